#include <gtest/gtest.h>

#include "gfx/asset_table.h"
#include "town/town_fixture.h"

namespace velmora {
namespace {

using testing::BackdropColor;
using testing::SceneColor;
using testing::TownGame;

TEST(TownMap, MoveCostsFollowTheRoadsOfTheMap) {
  // Row: the place being left; column: the destination.
  const int32_t costs[16][16] = {
      {5, 30, 110, 80, 20, 10, 30, 50, 100, 40, 70, 100, 90, 80, 30, 120},  // from 1
      {10, 5, 110, 80, 20, 40, 60, 50, 100, 40, 70, 100, 90, 80, 60, 120},  // from 2
      {10, 110, 5, 40, 100, 110, 120, 70, 20, 80, 50, 20, 30, 40, 120, 20},  // from 3
      {10, 80, 40, 5, 70, 80, 90, 40, 30, 50, 20, 30, 20, 20, 90, 50},  // from 4
      {10, 20, 100, 70, 5, 30, 50, 40, 90, 30, 60, 90, 80, 70, 50, 110},  // from 5
      {10, 40, 110, 80, 30, 5, 30, 50, 100, 40, 70, 100, 90, 80, 30, 120},  // from 6
      {10, 60, 120, 90, 50, 30, 5, 60, 110, 50, 80, 110, 100, 90, 20, 130},  // from 7
      {10, 50, 70, 40, 40, 50, 60, 5, 60, 20, 30, 60, 50, 40, 60, 80},  // from 8
      {10, 100, 20, 30, 90, 100, 110, 60, 5, 70, 40, 20, 20, 30, 110, 30},  // from 9
      {10, 40, 80, 50, 30, 40, 50, 20, 70, 5, 40, 70, 60, 50, 50, 90},  // from 10
      {10, 70, 50, 20, 60, 70, 80, 30, 40, 40, 5, 40, 30, 20, 80, 60},  // from 11
      {10, 100, 20, 30, 90, 100, 110, 60, 20, 70, 40, 5, 20, 30, 110, 30},  // from 12
      {10, 90, 30, 20, 80, 90, 100, 50, 20, 60, 30, 20, 5, 20, 100, 40},  // from 13
      {10, 80, 40, 20, 70, 80, 90, 40, 30, 50, 20, 30, 20, 5, 90, 50},  // from 14
      {10, 60, 120, 90, 50, 30, 20, 60, 110, 50, 80, 110, 100, 90, 5, 130},  // from 15
      {10, 120, 20, 50, 110, 120, 130, 80, 30, 90, 60, 30, 40, 50, 130, 5},  // from 16
  };
  TownGame game;
  GameState& s = game.state();
  for (int from = 1; from <= 16; ++from) {
    s.CurrentPlace = static_cast<uint8_t>(from);
    for (int to = 1; to <= 16; ++to) EXPECT_EQ(game.form().Town.MoveCost(to), costs[from - 1][to - 1]) << from << "->" << to;
  }
  // Place numbers that name no place raise the game's error instead of reading past the table.
  s.CurrentPlace = 1;
  EXPECT_THROW(game.form().Town.MoveCost(17), GameError);
  EXPECT_THROW(game.form().Town.MoveCost(0), GameError);
  s.CurrentPlace = 0;
  EXPECT_THROW(game.form().Town.MoveCost(3), GameError);
}

TEST(TownMap, ConfirmationBoxAndPreviewStayOutOfThePlacesWay) {
  TownGame game;
  GameState& s = game.state();
  TownMap& town = game.form().Town;
  for (int place = 1; place <= 16; ++place) {
    s.TargetPlace = static_cast<uint8_t>(place);
    const bool low = place == 1 || place == 2 || place == 5 || place == 6 || place == 7 || place == 15;
    EXPECT_EQ(town.ConfirmTop(), low ? 70 : 270) << place;
    const Point p = town.PreviewOrigin(place);
    EXPECT_GE(p.X, 10) << place;
    EXPECT_LE(p.X, 434) << place;
  }
  EXPECT_EQ(town.PreviewOrigin(1), (Point{147, 313}));
  EXPECT_EQ(town.PreviewOrigin(13), (Point{20, 104}));
  EXPECT_EQ(town.PreviewOrigin(16), (Point{434, 16}));  // clamped from 439
  EXPECT_THROW(town.PreviewOrigin(17), GameError);
  s.TargetPlace = 0;
  EXPECT_THROW(town.ConfirmTop(), GameError);
}

TEST(TownMap, MapHitFindsEveryHotspotInTableOrder) {
  TownGame game;
  GameState& s = game.state();
  TownMap& town = game.form().Town;
  s.TownPhase = 1;
  for (const MapHotspot& h : MapHotspots) {
    EXPECT_EQ(town.MapHit(h.X, h.Y), h.Place) << h.X << "," << h.Y;
    EXPECT_EQ(town.MapHit(h.X + h.W - 1, h.Y + h.H - 1), h.Place) << h.X << "," << h.Y;
  }
  // The labels of places 12 and 13 overlap; only the hotspot entries count.
  EXPECT_EQ(town.MapHit(70, 121), 12);
  EXPECT_EQ(town.MapHit(70, 130), 13);
  EXPECT_EQ(town.MapHit(70, 124), 0);
  // The right and bottom edges are outside.
  EXPECT_EQ(town.MapHit(202, 350), 0);
  EXPECT_EQ(town.MapHit(180, 364), 0);
  EXPECT_EQ(town.MapHit(504, 50), 0);
  EXPECT_EQ(town.MapHit(0, 0), 0);
  // Whether a place is open does not matter to the hit test.
  s.PlaceOpen.Fill(0);
  EXPECT_EQ(town.MapHit(60, 100), 12);

  // The box's two buttons; go only while the move is affordable.
  s.TownPhase = 2;
  s.CurrentPlace = 1;
  s.TargetPlace = 5;  // 20 points, box at 70
  s.Points = 20;
  const std::tuple<int, int, int> box[] = {{224, 125, 9},  {264, 149, 9},  {265, 130, 0}, {269, 125, 10},
                                           {309, 149, 10}, {310, 130, 0},  {240, 124, 0}, {240, 150, 0},
                                           {223, 130, 0},  {240, 325, 0}};
  for (const auto& [x, y, id] : box) EXPECT_EQ(town.MapHit(x, y), id) << x << "," << y;
  s.Points = 19;
  EXPECT_EQ(town.MapHit(240, 130), 0);
  EXPECT_EQ(town.MapHit(290, 130), 10);
  s.TargetPlace = 16;  // zone 12: box at 270
  s.Points = 200;
  EXPECT_EQ(town.MapHit(240, 330), 9);
  EXPECT_EQ(town.MapHit(240, 130), 0);

  for (uint8_t phase : {0, 3, 5, 6, 7, 8}) {
    s.TownPhase = phase;
    EXPECT_EQ(town.MapHit(180, 350), 0) << int(phase);
    EXPECT_EQ(town.MapHit(240, 330), 0) << int(phase);
  }
}

TEST(TownMap, SceneNumbersOutsideTheSceneTableRaiseTheGamesError) {
  TownGame game;
  GameState& s = game.state();
  TownMap& town = game.form().Town;
  game.SetUpDay(3);
  for (int scene : {0, 18, 255}) EXPECT_THROW(town.DrawScenePicture(scene), GameError) << scene;
  town.DrawScenePicture(17);
  EXPECT_EQ(game.form().BackBuffer.PixelColor(10, 10), SceneColor(17));
  s.TargetPlace = 18;  // a script's scene number past the table
  EXPECT_THROW(town.DrawScene(0), GameError);
  EXPECT_THROW(town.DrawScene(2), GameError);
  s.TownPhase = 5;
  s.TargetPlace = 0x80;  // the top bit cleared leaves no scene
  EXPECT_THROW(town.DrawScene(0), GameError);
  s.TargetPlace = 0x85;
  town.DrawScene(0);
  EXPECT_EQ(game.form().BackBuffer.PixelColor(260, 240), SceneColor(5));

  // Through the mode machine: a message box, and the game stays usable.
  s.TownPhase = 3;
  s.TargetPlace = 30;
  game.EnterTown();
  ASSERT_EQ(game.host().Messages().size(), 1u);
  EXPECT_NE(game.host().Messages()[0].find("(30)"), std::string::npos);
  EXPECT_FALSE(game.form().G_Timer.Enabled());
  EXPECT_TRUE(game.form().ReSet_Btn1.Enabled());
}

TEST(TownMap, DrawSceneComposesTheMapAreaForEachPhase) {
  TownGame game;
  GameState& s = game.state();
  TForm1& form = game.form();
  const Picture& back = form.BackBuffer;
  game.SetUpDay(0);
  s.TargetPlace = 7;
  s.ChoiceSet = 2;
  const Point probe{260, 240};  // inside the map area, on no label
  const std::pair<uint8_t, uint32_t> phases[] = {
      {0, SceneColor(1)}, {1, BackdropColor(260, 240)}, {2, BackdropColor(260, 240)}, {3, SceneColor(7)},
      {4, SceneColor(7)}, {6, SceneColor(14)},           {7, testing::kPlainColor}};
  for (const auto& [phase, color] : phases) {
    s.TownPhase = phase;
    form.Town.DrawScene(0);
    EXPECT_EQ(back.PixelColor(probe.X, probe.Y), color) << int(phase);
    EXPECT_EQ(back.PixelColor(600, 200), BackdropColor(600, 200)) << int(phase);  // the frame
    EXPECT_TRUE(testing::HasText(back, StatusRects[3])) << int(phase);            // the fields
  }
  s.TownPhase = 4;
  s.ChoiceSet = 3;
  s.Partner = 3;  // no portrait for heroine 3 here: just the frame
  form.Town.DrawScene(0);
  EXPECT_EQ(back.PixelColor(probe.X, probe.Y), BackdropColor(probe.X, probe.Y));

  // Labels of the open places only, each with its top-left colour transparent.
  s.TownPhase = 5;
  s.TargetPlace = 0;
  form.Town.DrawScene(0);
  for (int place = 1; place <= 16; ++place) {
    const Rect& r = PlaceTable[place].MapRect;
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    const uint32_t expected = s.PlaceOpen[place] == 1 ? testing::kLabelColor : BackdropColor(cx, cy);
    EXPECT_EQ(back.PixelColor(cx, cy), expected) << place;
    EXPECT_NE(back.PixelColor(r.Left, r.Top), testing::kSpriteKey) << place;
  }

  s.TargetPlace = 9;
  form.Town.DrawScene(2);
  EXPECT_EQ(back.PixelColor(probe.X, probe.Y), SceneColor(9));
  EXPECT_TRUE(testing::HasText(back, StatusRects[1]));
  form.Town.DrawScene(4);
  EXPECT_EQ(back.PixelColor(600, 200), testing::kPlainColor);

  // The position marker goes onto the screen under the current place's label.
  s.CurrentPlace = 10;
  form.ImageBa.Bitmap.Fill(kBlack);
  form.Town.DrawScene(3);
  const Rect& r = PlaceTable[10].MapRect;
  EXPECT_EQ(form.ImageBa.Bitmap.PixelColor(r.Left + 20, r.Bottom - 20), testing::kLabelColor);
  EXPECT_EQ(form.ImageBa.Bitmap.PixelColor(r.Left + 10, r.Bottom - 45), kBlack);  // the transparent corner
  EXPECT_EQ(form.ImageBa.Bitmap.PixelColor(r.Left + 32, r.Bottom - 20), kBlack);
}

}  // namespace
}  // namespace velmora
