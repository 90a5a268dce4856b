#pragma once
// A choice panel on the town screen of a headless game: the demo asset with a plain grey
// town frame (so white text stands out) and a script holding one set-2 choice.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gfx/asset_table.h"
#include "gfx/canvas.h"
#include "gfx/sjis.h"
#include "support/fixtures.h"
#include "tools/bmp_writer.h"

namespace velmora::choice_test {

inline constexpr uint32_t kFrameGrey = 0x606060;

inline const char* kChoiceScript =
    "*OP\n<B>\n1\nはじまり\n*next_ba\n"
    "*mirel_1\n<Sentaku>\n2\nどうしよう？\n声をかける\nそっとしておく\n-\n声をかけた。\n*next_time\n";

// Lays a picture over the asset file at its offset; the picture fills its slot exactly.
inline void PutPicture(std::vector<uint8_t>& file, int32_t offset, const Picture& picture) {
  const std::vector<uint8_t> bmp = WriteBmp(picture);
  std::copy(bmp.begin(), bmp.end(), file.begin() + offset);
}

inline std::vector<uint8_t> GreyFrameAsset() {
  std::vector<uint8_t> file = testing::AssetFileWithScript(kChoiceScript);
  Picture frame(640, 480);
  frame.Fill(kFrameGrey);
  PutPicture(file, TownBackdrop, frame);
  return file;
}

// Pixels of one colour inside a rectangle.
inline int CountColour(const Picture& p, const Rect& r, uint32_t colour) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += p.PixelColor(x, y) == colour;
  return n;
}

class ChoiceTest : public ::testing::Test {
 protected:
  explicit ChoiceTest(const std::vector<uint8_t>& asset = GreyFrameAsset()) : game_(asset) {
    game_.RunToTitle();
    form().Modes.ResetGameState();
  }

  TForm1& form() { return game_.form(); }
  GameState& state() { return game_.state(); }
  HeadlessHost& host() { return game_.host(); }
  Picture& screen() { return form().ImageBa.Bitmap; }

  // The question line of the script's choice.
  int QuestionLine() {
    const auto& lines = form().ScriptLines.Lines();
    return static_cast<int>(std::find(lines.begin(), lines.end(), "<Sentaku>") - lines.begin()) + 2;
  }
  std::string Line(int offset) { return form().ScriptLines[QuestionLine() + offset]; }

  // The choice as "<Sentaku>" leaves it: town frame in BackBuffer and on screen.
  void OpenChoice(int32_t set, uint8_t cgShown = 0) {
    GameState& s = state();
    s.ScreenMode = 4;
    s.TownPhase = 4;
    s.ChoiceSet = set;
    s.CgShown = cgShown;
    s.Partner = 1;
    s.CurrentEvent = 1;
    s.TargetPlace = 7;
    s.ScriptPos = static_cast<uint16_t>(QuestionLine());
    form().Assets.LoadBackdrop(TownBackdrop);
    CopyRect(screen(), ScreenRect, form().BackBuffer, ScreenRect);
  }

  // The screen as the message window alone leaves it.
  Picture WindowOnly() {
    const Picture before = screen();
    form().Text.DrawMessageWindow();
    Picture window = screen();
    screen() = before;
    return window;
  }

  // The canvas as text style N leaves it.
  Canvas StyleCanvas(int n) {
    const Canvas before = form().ImageBa.Canvas;
    form().Text.SetTextStyle(0);
    form().Text.SetTextStyle(n);
    Canvas c = form().ImageBa.Canvas;
    form().ImageBa.Canvas = before;
    return c;
  }

  testing::TestGame game_;
};

}  // namespace velmora::choice_test
