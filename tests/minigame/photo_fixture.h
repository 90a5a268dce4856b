#pragma once
// A photo game on the headless host with pictures the tests control: a card sheet whose
// cells have their own colours and a transparent stripe, a patterned photo scene and a
// page button sheet, over the demo asset file with a script of result blocks.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gfx/asset_table.h"
#include "gfx/canvas.h"
#include "gfx/sjis.h"
#include "minigame/photo_game.h"
#include "support/fixtures.h"
#include "tools/bmp_writer.h"
#include "town/town_map.h"

namespace velmora::photo_test {

// Every cell's top-left colour, and a stripe 10 columns into each cell: transparent.
inline constexpr uint32_t kKey = 0xFF00FF;
inline constexpr uint32_t kBack = 0x2040A0;
inline constexpr uint32_t kEdgeBack = 0x30A040;
inline constexpr uint32_t kPageButton = 0x30C030;
inline constexpr int32_t kPhotoScene = 15896126;
inline constexpr int32_t kPageButtonSheet = 3722670;
inline uint32_t FaceColor(int v) { return 0xA00000 + 0x1100 * static_cast<uint32_t>(v); }
inline uint32_t EdgeFaceColor(int v) { return 0x00A000 + 0x11 * static_cast<uint32_t>(v); }
// The photo scene varies in x and y, so a copy from the wrong place shows.
inline uint32_t SceneColor(int x, int y) {
  return 0x800000 | (static_cast<uint32_t>(y & 0xFF) << 8) | static_cast<uint32_t>(x & 0xFF);
}

inline const char* kScript =
    "*OP\n<B>\n1\nはじまり\n*next_ba\n"
    "*pan_1\n<Game>\n"
    "*pan_1_1\n撮れた。\n*next_ba\n"
    "*pan_2\nだめだった。\n<Sentaku>\n2\nもう一度？\n撮りなおす\nあきらめる\n-\nあきらめた。\n*next_time\n"
    "*pan_3\nぶれた。\n*next_time\n"
    "*pan_4\n逃げられた。\n*next_time\n"
    "*pan_5\n怒られた。\n*next_time\n"
    "*pan_10_3\nぶれた。\n*next_time\n"
    "*pan_10_4\n逃げられた。\n*next_time\n";

// Lays a picture over the asset file at its offset; the picture fills its slot exactly.
inline void PutPicture(std::vector<uint8_t>& file, int32_t offset, const Picture& picture) {
  const std::vector<uint8_t> bmp = WriteBmp(picture);
  std::copy(bmp.begin(), bmp.end(), file.begin() + offset);
}

inline void FillCell(Picture& p, const Rect& r, uint32_t color) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) p.SetPixelColor(x, y, x == r.Left + 10 ? kKey : color);
  p.SetPixelColor(r.Left, r.Top, kKey);
}

inline std::vector<uint8_t> PhotoAsset() {
  std::vector<uint8_t> file = testing::AssetFileWithScript(kScript);
  Picture cards(840, 125);
  FillCell(cards, {0, 0, 90, 125}, kBack);
  for (int v = 1; v <= 5; ++v) FillCell(cards, {90 * v, 0, 90 * v + 90, 125}, FaceColor(v));
  FillCell(cards, {540, 0, 590, 125}, kEdgeBack);
  for (int v = 1; v <= 5; ++v) FillCell(cards, {540 + 50 * v, 0, 590 + 50 * v, 125}, EdgeFaceColor(v));
  PutPicture(file, kCardSheet, cards);
  Picture scene(500, 460);
  for (int y = 0; y < 460; ++y)
    for (int x = 0; x < 500; ++x) scene.SetPixelColor(x, y, SceneColor(x, y));
  PutPicture(file, kPhotoScene, scene);
  Picture button(70, 80);
  button.Fill(kPageButton);
  button.SetPixelColor(0, 0, kKey);
  PutPicture(file, kPageButtonSheet, button);
  return file;
}

class PhotoGameTest : public ::testing::Test {
 protected:
  PhotoGameTest() : game_(PhotoAsset()) {}

  TForm1& form() { return game_.form(); }
  GameState& state() { return game_.state(); }
  HeadlessHost& host() { return game_.host(); }
  const Picture& screen() { return form().ImageBa.Bitmap; }

  // From the title into mode 3 as "<Game>" would leave it, up to the dealt cards.
  void Enter(int32_t points, uint8_t place, uint8_t partner, uint8_t event) {
    game_.RunToTitle();
    form().Modes.ResetGameState();
    GameState& s = state();
    s.DayCount = 1;
    s.Points = points;
    s.CurrentPlace = place;
    s.Partner = partner;
    s.CurrentEvent = event;
    s.TargetPlace = static_cast<uint8_t>(PlaceTable[place].PlaceKind);  // the event's scene
    s.ScriptPos = 0;
    s.TownPhase = 3;
    s.GamePhase = 1;
    host().ClearRecords();
    form().Modes.SwitchMode(3, 1);
    ASSERT_TRUE(host().RunUntilIdle());
  }

  // Puts Value under slot 1..4 and keeps the five cards an order of 1..5.
  void Rig(int slot, int32_t value) {
    auto& cards = state().GameCards;
    for (int j = 1; j <= 5; ++j)
      if (cards[j] == value) std::swap(cards[j], cards[slot]);
  }

  static Point CardCentre(int slot) { return {95 + 110 * (slot - 1), 222}; }

  // Picks a card and lets it turn (four ticks of 50 ms).
  void Turn(int slot, int32_t value) {
    Rig(slot, value);
    const Point c = CardCentre(slot);
    host().Click(c.X, c.Y);
    host().RunFor(200);
    ASSERT_EQ(state().GamePhase, 2);
  }

  // The next button under the result.
  void Next() { host().Click(460, 450); }

  int LineAfter(const std::string& label) {
    const auto& lines = form().ScriptLines.Lines();
    const auto it = std::find(lines.begin(), lines.end(), Sjis(label));
    EXPECT_NE(it, lines.end()) << label;
    return static_cast<int>(it - lines.begin()) + 1;
  }

  // The strip holds the scene picture's own strip with message R written at (185, 312).
  void ExpectMessage(int r) {
    static const char* const kMessages[] = {"1枚選んでください。", "撮影成功！", "「・・・！」",
                                            "「・・・？」",       "「げっ！？」", "「げっ！？」"};
    const Picture scene = form().Assets.ReadPicture(kPhotoScene);
    Picture expected(640, 480, PixelFormat::Bgrx32);
    CopyRect(expected, PhotoMessageStrip, scene, PhotoMessageStrip);
    const Picture bare = expected;
    TextOut(expected, form().ImageBa.Canvas, 185, 312, Sjis(kMessages[r]));
    int differing = 0, drawn = 0;
    for (int y = PhotoMessageStrip.Top; y < PhotoMessageStrip.Bottom; ++y)
      for (int x = PhotoMessageStrip.Left; x < PhotoMessageStrip.Right; ++x) {
        differing += screen().PixelColor(x, y) != expected.PixelColor(x, y);
        drawn += expected.PixelColor(x, y) != bare.PixelColor(x, y);
      }
    EXPECT_EQ(differing, 0) << "message " << r;
    EXPECT_GT(drawn, 20) << "message " << r << " left no mark";
  }

  testing::TestGame game_;
};

}  // namespace velmora::photo_test
