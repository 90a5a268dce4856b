#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/blend.h"
#include "gfx_fixtures.h"

namespace velmora {
namespace {

using testing::NoisePicture;
using testing::PaintedStrip;
using testing::RecordingGame;

// Pixels of a painted strip whose level (for the pixel's window position) is wrong; the
// level is asked of LevelAt, which gives -1 where nothing should have been painted.
template <typename LevelAt>
int64_t WrongStripPixels(const PaintedStrip& strip, const Picture& from, const Picture& to, LevelAt levelAt) {
  int64_t wrong = 0;
  for (int j = 0; j < strip.Pixels.Height(); ++j)
    for (int i = 0; i < strip.Pixels.Width(); ++i) {
      const int x = strip.X + i, y = strip.Y + j;
      if (x < 0 || y < 0 || x >= 640 || y >= 480) continue;  // clipped away by the window
      const int level = levelAt(x, y);
      if (level < 0 || level > 7) {
        ++wrong;
        continue;
      }
      const uint32_t painted = strip.Pixels.PixelColor(i, j);
      for (int c = 0; c < 3; ++c) {
        const int o = (from.PixelColor(x, y) >> (8 * c)) & 0xFF;
        const int n = (to.PixelColor(x, y) >> (8 * c)) & 0xFF;
        if (((painted >> (8 * c)) & 0xFF) != BlendLevelByte(level, static_cast<uint8_t>(o), static_cast<uint8_t>(n))) {
          ++wrong;
          break;
        }
      }
    }
  return wrong;
}

void SetFrames(TForm1& form, const Picture& from, const Picture& to) {
  form.Wipes.FromFrame = std::make_unique<Picture>(from);
  form.Wipes.ToFrame = std::make_unique<Picture>(to);
}

TEST(SoftWipe, VerticalSweepsSixteenRowBandsDownInThirtySevenSteps) {
  RecordingGame game;
  testing::StripRecordingHost& host = game.host();
  const Picture from = NoisePicture(640, 480, 1), to = NoisePicture(640, 480, 2);
  SetFrames(game.form(), from, to);
  const Picture windowBefore = host.Window();
  const uint32_t t0 = host.Now();
  game.form().Wipes.VerticalSoftWipe(1000);

  // Step s paints band b at level 7 + b - s; the first wait falls at the start time
  // itself and every later one 27 ms (1000 div 37) after the one before.
  struct Expected {
    uint32_t Time;
    int Top;
    int Level;
  };
  std::vector<Expected> expected;
  for (int step = 0; step < 37; ++step)
    for (int level = 0; level < 8; ++level) {
      const int top = -112 + 16 * step + 16 * level;
      if (top >= 0 && top < 480) expected.push_back({t0 + 27u * static_cast<uint32_t>(std::max(0, step - 1)), top, level});
    }
  ASSERT_EQ(host.Strips.size(), expected.size());
  ASSERT_EQ(host.Paints().size(), expected.size());
  EXPECT_EQ(expected.front().Top, 0);
  EXPECT_EQ(expected.front().Level, 7);
  for (size_t i = 0; i < expected.size(); ++i) {
    const PaintedStrip& strip = host.Strips[i];
    SCOPED_TRACE(::testing::Message() << "paint " << i << " at row " << expected[i].Top);
    EXPECT_EQ(strip.Time, expected[i].Time);
    EXPECT_EQ(host.Paints()[i].Area, (Rect{0, expected[i].Top, 640, expected[i].Top + 16}));
    EXPECT_EQ(WrongStripPixels(strip, from, to, [&](int, int) { return expected[i].Level; }), 0);
  }
  EXPECT_EQ(host.Now() - t0, 36u * 27u);
  // The first step shows only rows 0..15.
  EXPECT_EQ(testing::DifferingPixels(host.WindowAfterFirstPaint, windowBefore, {0, 16, 640, 480}), 0);
  // Every band ends at level 0: the window is the new screen, and so is FromFrame.
  EXPECT_TRUE(host.Window() == to);
  EXPECT_TRUE(*game.form().Wipes.FromFrame == to);
  EXPECT_TRUE(host.Messages().empty());
}

TEST(SoftWipe, HorizontalSweepsThirtyTwoColumnBandsAcrossInTwentySevenSteps) {
  RecordingGame game;
  testing::StripRecordingHost& host = game.host();
  const Picture from = NoisePicture(640, 480, 3), to = NoisePicture(640, 480, 4);
  SetFrames(game.form(), from, to);
  const Picture windowBefore = host.Window();
  const uint32_t t0 = host.Now();
  game.form().Wipes.HorizontalSoftWipe(1000);

  ASSERT_EQ(host.Strips.size(), 27u);
  for (size_t step = 0; step < 27; ++step) {
    const PaintedStrip& strip = host.Strips[step];
    SCOPED_TRACE(::testing::Message() << "step " << step);
    // Builds, waits for its deadline, then paints: one paint every 37 ms (1000 div 27).
    EXPECT_EQ(strip.Time, t0 + 37u * step);
    const int left = -224 + 32 * static_cast<int>(step);
    EXPECT_EQ(host.Paints()[step].Area, (Rect{std::max(left, 0), 0, std::min(left + 256, 640), 480}));
    const int s = static_cast<int>(step);
    EXPECT_EQ(WrongStripPixels(strip, from, to, [&](int x, int) { return 7 + x / 32 - s; }), 0);
  }
  EXPECT_EQ(host.Now() - t0, 26u * 37u);
  // The first step changes only columns 0..31, at level 7.
  EXPECT_EQ(testing::DifferingPixels(host.WindowAfterFirstPaint, windowBefore, {32, 0, 640, 480}), 0);
  EXPECT_EQ(host.Strips[0].X, 0);
  EXPECT_EQ(host.Strips[0].Pixels.Width(), 32);
  EXPECT_TRUE(host.Window() == to);
  EXPECT_TRUE(*game.form().Wipes.FromFrame == to);
}

TEST(SoftWipe, PacingKeepsAbsoluteDeadlinesWhenPaintsTakeTime) {
  RecordingGame game;
  testing::StripRecordingHost& host = game.host();
  SetFrames(game.form(), NoisePicture(640, 480, 5), NoisePicture(640, 480, 6));
  host.PaintCost = 30;  // slow, but within the 37 ms of a step
  const uint32_t t0 = host.Now();
  game.form().Wipes.HorizontalSoftWipe(1000);
  ASSERT_EQ(host.Strips.size(), 27u);
  for (size_t step = 0; step < 27; ++step) EXPECT_EQ(host.Strips[step].Time, t0 + 37u * step) << step;

  // Steps slower than their delay are not pushed back further: each paint follows the
  // last at once, no extra wait added.
  SetFrames(game.form(), NoisePicture(640, 480, 5), NoisePicture(640, 480, 6));
  host.Strips.clear();
  host.PaintCost = 50;
  const uint32_t t1 = host.Now();
  game.form().Wipes.HorizontalSoftWipe(1000);
  ASSERT_EQ(host.Strips.size(), 27u);
  for (size_t step = 0; step < 27; ++step) EXPECT_EQ(host.Strips[step].Time, t1 + 50u * step) << step;
}

TEST(SoftWipe, TheTitleWipesDownAndEveryOtherScreenAcross) {
  for (int mode : {1, 2, 4, 6}) {
    SCOPED_TRACE(mode);
    RecordingGame game;
    TForm1& form = game.form();
    game.state().ScreenMode = mode;
    form.ImageBa.Bitmap = NoisePicture(640, 480, 7, PixelFormat::Bgrx32);
    const Picture oldScreen = form.ImageBa.Bitmap;
    form.BackBuffer = NoisePicture(640, 480, 8);
    form.Wipes.PlayTransition();
    ASSERT_FALSE(game.host().Strips.empty());
    const Picture& first = game.host().Strips.front().Pixels;
    EXPECT_EQ(first.Width(), mode == 1 ? 640 : 32);
    EXPECT_EQ(first.Height(), mode == 1 ? 16 : 480);
    // The old screen is what the wipe starts from: level 7 of old over new.
    EXPECT_EQ(first.PixelColor(0, 0) & 0xFF,
              BlendLevelByte(7, oldScreen.PixelColor(0, 0) & 0xFF, form.BackBuffer.PixelColor(0, 0) & 0xFF));
    EXPECT_TRUE(form.ImageBa.Bitmap == form.BackBuffer);
    EXPECT_EQ(form.ImageBa.Bitmap.Format(), PixelFormat::Bgrx32);
    EXPECT_TRUE(game.host().Window() == form.BackBuffer);
    EXPECT_EQ(form.Wipes.FromFrame, nullptr);
    EXPECT_EQ(form.Wipes.ToFrame, nullptr);
  }
}

TEST(SoftWipe, FramesThatDoNotMatchGiveTheMessageAndStillShowBackBuffer) {
  struct Case {
    Picture From;
    Picture To;
    int Mode;
  };
  Case cases[] = {
      {Picture(320, 240), Picture(640, 480), 4},
      {Picture(640, 480), Picture(640, 470), 1},
      {Picture(640, 480, PixelFormat::Bgrx32), Picture(640, 480), 4},
      {Picture(640, 480), Picture(640, 480, PixelFormat::Bgrx32), 1},
  };
  for (Case& c : cases) {
    RecordingGame game;
    TForm1& form = game.form();
    game.state().ScreenMode = c.Mode;
    form.BackBuffer = NoisePicture(640, 480, 9);
    const uint32_t t0 = game.host().Now();
    form.Wipes.PlayTransition(std::move(c.From), std::move(c.To));
    ASSERT_EQ(game.host().Messages().size(), 1u);
    EXPECT_EQ(game.host().Messages()[0], "フォーマットが一致しません");
    EXPECT_TRUE(game.host().Strips.empty());  // no effect at all
    EXPECT_EQ(game.host().Now(), t0);
    EXPECT_TRUE(form.ImageBa.Bitmap == form.BackBuffer);
    EXPECT_EQ(form.Wipes.FromFrame, nullptr);
    EXPECT_EQ(form.Wipes.ToFrame, nullptr);
  }
  // The effects alone, with no frames at all, refuse the same way.
  RecordingGame game;
  game.form().Wipes.VerticalSoftWipe(1000);
  game.form().Wipes.HorizontalSoftWipe(1000);
  EXPECT_EQ(game.host().Messages().size(), 2u);
  EXPECT_TRUE(game.host().Strips.empty());
}

TEST(SoftWipe, AnErrorInTheMiddleOfAWipeFreesBothFrames) {
  for (int mode : {1, 4}) {
    RecordingGame game;
    TForm1& form = game.form();
    game.state().ScreenMode = mode;
    form.BackBuffer = NoisePicture(640, 480, 10);
    game.host().FailAtPaint = 3;
    EXPECT_THROW(form.Wipes.PlayTransition(), GameError);
    EXPECT_EQ(game.host().Strips.size(), 2u);
    EXPECT_EQ(form.Wipes.FromFrame, nullptr);
    EXPECT_EQ(form.Wipes.ToFrame, nullptr);
    // The next transition starts afresh.
    game.host().FailAtPaint = 0;
    form.Wipes.PlayTransition();
    EXPECT_TRUE(game.host().Window() == form.BackBuffer);
  }
}

}  // namespace
}  // namespace velmora
