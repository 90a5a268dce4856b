#include <gtest/gtest.h>

#include "gfx/asset_table.h"
#include "gfx/sjis.h"
#include "town/town_fixture.h"

namespace velmora {
namespace {

using testing::BackdropColor;
using testing::FlatPicture;
using testing::SceneColor;
using testing::ShowsText;
using testing::TownBackdropPicture;
using testing::TownGame;

// The middle of the first hotspot of a place.
Point HotspotOf(int place) {
  for (const MapHotspot& h : MapHotspots)
    if (h.Place == place) return {h.X + h.W / 2, h.Y + h.H / 2};
  return {};
}

// On the map at Place with Points at Slot.
void StartWalk(TownGame& game, uint8_t place, int32_t points, uint8_t slot) {
  game.SetUpDay(1);
  game.state().CurrentPlace = place;
  game.state().Points = points;
  game.state().TimeSlot = slot;
  game.EnterTown();
}

// Picks Place on the map, confirms, and waits for the screen that follows.
void MoveTo(TownGame& game, int place) {
  const Point p = HotspotOf(place);
  game.Click(p.X, p.Y);
  const int top = game.form().Town.ConfirmTop();
  game.Click(240, top + 60);
  game.host().RunUntilIdle();
}

TEST(TownMove, PickConfirmPayAndArrive) {
  TownGame game;
  GameState& s = game.state();
  TForm1& form = game.form();
  const Picture& window = game.host().Window();
  StartWalk(game, 1, 200, 1);
  ASSERT_EQ(s.TownPhase, 1);
  EXPECT_TRUE(form.ReSet_Btn1.Enabled());

  game.host().Press(450, 375);  // the convenience store by the station, place 7
  EXPECT_EQ(s.TargetPlace, 7);
  ASSERT_FALSE(game.host().Sounds().empty());
  EXPECT_NE(game.host().Sounds().back().Path.find("01.wav"), std::string::npos);
  game.host().Release(450, 375);
  EXPECT_EQ(s.TownPhase, 2);
  EXPECT_FALSE(form.ReSet_Btn1.Enabled());
  // The box at the top (place 7 is in the lower part of the map) with its go button,
  // the place's surroundings twice, and the cost in the box and on the panel.
  EXPECT_EQ(window.PixelColor(25, 75), testing::kBoxColor);
  EXPECT_EQ(window.PixelColor(240, 130), testing::kBoxColor);  // the box's own button look
  const Point crop = form.Town.PreviewOrigin(7);
  EXPECT_EQ(crop, (Point{422, 343}));
  for (const auto& [x, y] : {std::pair{537, 172}, std::pair{612, 247}})
    EXPECT_EQ(window.PixelColor(x, y), BackdropColor(crop.X + x - 537, crop.Y + y - 172));
  EXPECT_EQ(window.PixelColor(28, 77), BackdropColor(crop.X, crop.Y));
  EXPECT_EQ(window.PixelColor(103, 152), BackdropColor(crop.X + 75, crop.Y + 75));
  EXPECT_TRUE(ShowsText(window, FlatPicture(testing::kBoxColor), {162, 97, 198, 117}, {195, 99}, "30"));
  EXPECT_TRUE(ShowsText(window, TownBackdropPicture(), StatusRects[4], {582, 337}, "-30"));

  game.host().Press(240, 130);
  EXPECT_EQ(s.PressedButton, 9);
  EXPECT_EQ(window.PixelColor(240, 130), testing::kBoxButtonColor);  // pressed
  game.host().Release(240, 130);
  EXPECT_EQ(s.Points, 170);
  EXPECT_EQ(s.TimeSlot, 4);
  EXPECT_EQ(s.CurrentPlace, 7);
  EXPECT_EQ(s.TownPhase, 1);  // no event here, and the walk goes on
  EXPECT_EQ(s.TargetPlace, 0);
  EXPECT_EQ(s.PressedButton, 0);
  EXPECT_TRUE(form.G_Timer.Enabled());
  game.host().RunUntilIdle();
  EXPECT_TRUE(form.ReSet_Btn1.Enabled());
  const Picture& backdrop = TownBackdropPicture();
  // The family restaurant's name on the menu spills over the clock field's top-left
  // corner (it did in the original too); the clock's digits stand below it.
  EXPECT_TRUE(ShowsText(window, backdrop, {527, 43, 623, 74}, {537, 42}, "10 : 30", 20));
  EXPECT_TRUE(ShowsText(window, backdrop, StatusRects[3], {582, 305}, "170"));
  EXPECT_TRUE(ShowsText(window, backdrop, {537, 172, 613, 248}, {0, 0}, ""));  // the preview is cleared
  EXPECT_EQ(window.PixelColor(464, 394), testing::kLabelColor);  // the marker's foot under the label
}

TEST(TownMove, CancelRedrawsTheMenuInPlace) {
  TownGame game;
  GameState& s = game.state();
  const Picture& window = game.host().Window();
  StartWalk(game, 1, 200, 1);
  const Point park = HotspotOf(5);
  game.Click(park.X, park.Y);
  ASSERT_EQ(s.TownPhase, 2);
  game.Click(290, 130);
  EXPECT_EQ(s.TownPhase, 1);
  EXPECT_EQ(s.TargetPlace, 0);
  EXPECT_EQ(s.Points, 200);
  EXPECT_FALSE(game.form().G_Timer.Enabled());  // no transition
  EXPECT_EQ(window.PixelColor(25, 75), BackdropColor(25, 75));
  EXPECT_EQ(window.PixelColor(540, 175), BackdropColor(540, 175));
  EXPECT_FALSE(testing::HasText(window, StatusRects[4]));
}

TEST(TownMove, TooDearAPlaceCanBePickedButNeverConfirmed) {
  TownGame game;
  GameState& s = game.state();
  TForm1& form = game.form();
  const Picture& window = game.host().Window();
  StartWalk(game, 1, 20, 1);
  // The family restaurant costs 120: no name on the menu until the pointer is over it.
  const Rect nameArea{450, 29, 500, 38};
  EXPECT_FALSE(testing::HasText(window, nameArea));
  game.host().Move(460, 50);
  EXPECT_TRUE(testing::HasText(window, nameArea));
  game.host().Move(300, 440);
  EXPECT_FALSE(testing::HasText(window, nameArea));

  game.Click(460, 50);
  ASSERT_EQ(s.TownPhase, 2);
  ASSERT_EQ(form.Town.ConfirmTop(), 270);
  EXPECT_TRUE(ShowsText(window, FlatPicture(testing::kBoxColor), {162, 297, 198, 317}, {187, 299}, "120"));
  // The go button is painted over with the plain backdrop and the notice.
  bool notice = false;
  for (int y = 325; y < 349; ++y)
    for (int x = 108; x < 264; ++x) {
      ASSERT_NE(window.PixelColor(x, y), testing::kBoxButtonColor) << x << "," << y;
      ASSERT_NE(window.PixelColor(x, y), testing::kBoxColor) << x << "," << y;
      notice |= window.PixelColor(x, y) != testing::kPlainColor;
    }
  EXPECT_TRUE(notice);
  EXPECT_EQ(window.PixelColor(110, 327), testing::kPlainColor);
  for (int y = 325; y <= 349; ++y)
    for (int x = 224; x <= 264; ++x) ASSERT_EQ(form.Town.MapHit(x, y), 0) << x << "," << y;
  game.Click(240, 335);
  EXPECT_EQ(s.TownPhase, 2);
  EXPECT_EQ(s.Points, 20);
  EXPECT_EQ(s.CurrentPlace, 1);
  game.Click(300, 335);  // cancel still works
  EXPECT_EQ(s.TownPhase, 1);
}

TEST(TownMove, ArrivingHomeEndsTheWalkAtOnce) {
  TownGame game;
  GameState& s = game.state();
  StartWalk(game, 7, 170, 4);
  MoveTo(game, 1);
  EXPECT_EQ(s.Points, 160);
  EXPECT_EQ(s.TimeSlot, 5);
  EXPECT_EQ(s.CurrentPlace, 1);
  EXPECT_EQ(s.TownPhase, 5);
  EXPECT_EQ(game.LastLine(), "今日は終了だ。");
  EXPECT_EQ(game.host().Window().PixelColor(260, 240), SceneColor(1));
  EXPECT_FALSE(testing::HasText(game.host().Window(), StatusRects[4]));
}

TEST(TownMove, TheWalkEndsWhenGoingHomeIsTooDearOrAtFive) {
  {  // 0 points left after the move: no event, and not even the way home is affordable
    TownGame game;
    StartWalk(game, 1, 30, 1);
    MoveTo(game, 7);
    EXPECT_EQ(game.state().Points, 0);
    EXPECT_EQ(game.state().TownPhase, 5);
    EXPECT_EQ(game.LastLine(), "今日の散歩は終了だ。");
    EXPECT_TRUE(ShowsText(game.host().Window(), TownBackdropPicture(), StatusRects[4], {582, 337}, "-10"));
  }
  {  // staying costs 5 and no time; 11 points at 16:50 still leave the way home open
    TownGame game;
    StartWalk(game, 6, 16, 42);
    const Point here = HotspotOf(6);
    game.Click(here.X, here.Y);
    EXPECT_TRUE(ShowsText(game.host().Window(), FlatPicture(testing::kBoxColor), {162, 97, 198, 117}, {203, 99}, "5"));
    game.Click(240, 130);
    game.host().RunUntilIdle();
    EXPECT_EQ(game.state().Points, 11);
    EXPECT_EQ(game.state().TimeSlot, 42);
    EXPECT_EQ(game.state().TownPhase, 1);
  }
  {  // a move that ends at 17:00 or later ends the walk
    TownGame game;
    StartWalk(game, 6, 200, 42);
    MoveTo(game, 7);
    EXPECT_EQ(game.state().TimeSlot, 45);
    EXPECT_EQ(game.state().TownPhase, 5);
    EXPECT_EQ(game.LastLine(), "もうこんな時間か。今日の散歩は終了だ。");
  }
}

TEST(TownMove, AnEventStartsOnlyWithTwentyPointsLeft) {
  {  // heroine 1 at the supermarket on a Monday: the event's scene, in event play
    TownGame game;
    GameState& s = game.state();
    StartWalk(game, 1, 200, 1);
    s.EventState[1] = 1;
    const Point p = HotspotOf(10);
    game.Click(p.X, p.Y);
    game.Click(240, game.form().Town.ConfirmTop() + 60);
    EXPECT_EQ(s.Points, 160);
    EXPECT_EQ(s.CurrentPlace, 10);
    EXPECT_EQ(s.CurrentEvent, 1);
    EXPECT_EQ(s.Partner, 1);
    EXPECT_EQ(s.TargetPlace, 7);  // now the scene number of the supermarket's picture
    EXPECT_EQ(s.TownPhase, 3);
    EXPECT_EQ(s.ScriptPos, 0);
    EXPECT_EQ(s.ScreenMode, 6);
    EXPECT_TRUE(game.form().G_Timer.Enabled());
  }
  {  // 19 points after paying: no event is chosen, and the walk goes on
    TownGame game;
    GameState& s = game.state();
    StartWalk(game, 1, 59, 1);
    s.EventState[1] = 1;
    s.CurrentEvent = 9;  // whatever the last event left behind
    MoveTo(game, 10);
    EXPECT_EQ(s.Points, 19);
    EXPECT_EQ(s.CurrentEvent, 0);
    EXPECT_EQ(s.ScreenMode, 4);
    EXPECT_EQ(s.TownPhase, 1);
  }
}

TEST(TownMove, ChoicePhaseHandsPicksToTheChoicePanel) {
  TownGame game;
  GameState& s = game.state();
  game.SetUpDay(4);
  s.ChoiceSet = 3;
  EXPECT_EQ(game.form().Town.MapHit(460, 450), 18);
  s.ChoiceSet = 2;
  s.CurrentPlace = 5;
  s.TargetPlace = 5;
  s.ScriptPos = 1;
  game.EnterTown();
  EXPECT_EQ(game.host().Window().PixelColor(260, 240), SceneColor(5));
  game.Click(100, 440);  // option 2 with no heroine: leave the event, back to the map
  EXPECT_EQ(s.ChoiceSet, 0);
  EXPECT_EQ(s.TownPhase, 1);
  EXPECT_EQ(s.TargetPlace, 0);
  EXPECT_EQ(s.PressedButton, 0);
  game.host().RunUntilIdle();
  EXPECT_EQ(s.ScreenMode, 4);
}

}  // namespace
}  // namespace velmora
