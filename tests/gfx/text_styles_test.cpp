#include <gtest/gtest.h>

#include "gfx/asset_table.h"
#include "gfx/sjis.h"
#include "gfx_fixtures.h"

namespace velmora {
namespace {

using testing::NoisePicture;
using testing::TestGame;

constexpr uint32_t kSentinel = 0x123456;  // a brush colour no style sets

struct Look {
  bool Solid;
  uint32_t Brush;
  uint32_t Font;
  int Size;
};

Look LookOf(const Canvas& c) { return {c.BrushSolid, c.BrushColor, c.FontColor, c.FontSize}; }

void ExpectLook(const Canvas& c, const Look& want, const char* what) {
  EXPECT_EQ(c.BrushSolid, want.Solid) << what;
  EXPECT_EQ(c.BrushColor, want.Brush) << what;
  EXPECT_EQ(c.FontColor, want.Font) << what;
  EXPECT_EQ(c.FontSize, want.Size) << what;
  EXPECT_EQ(c.FontFace, kGameFontFace) << what;
}

void Scramble(Canvas& c) {
  c.BrushSolid = true;
  c.BrushColor = kSentinel;
  c.FontColor = 0xABCDEF;
  c.FontSize = 33;
  c.FontFace = "Other";
}

TEST(TextStyles, EachStyleSetsFaceSizeColourAndBrushOnBothCanvases) {
  TestGame game;
  TForm1& form = game.form();
  const Look screenLooks[8] = {
      {false, kSentinel, kWhite, 12},   {false, kSentinel, kWhite, 14},  {false, kSentinel, kWhite, 20},
      {true, kBlack, kWhite, 10},       {false, kSentinel, 0x808080, 12}, {false, kSentinel, 0x404040, 12},
      {true, kBlack, kWhite, 12},       {true, kWhite, kBlack, 10},
  };
  for (int style = 0; style < 8; ++style) {
    SCOPED_TRACE(style);
    Scramble(form.ImageBa.Canvas);
    Scramble(form.ImageMap.Canvas);
    form.Text.SetTextStyle(style);
    ExpectLook(form.ImageBa.Canvas, screenLooks[style], "ImageBa");
    // The status panel's canvas knows styles 0..3; for 4..7 only the common part.
    const Look mapLook = style < 4 ? screenLooks[style] : Look{false, kSentinel, kWhite, 33};
    ExpectLook(form.ImageMap.Canvas, mapLook, "ImageMap");
  }
  // Above 7, and below 0: the common part only, the size stays.
  for (int style : {8, 99, -1}) {
    Scramble(form.ImageBa.Canvas);
    Scramble(form.ImageMap.Canvas);
    form.Text.SetTextStyle(style);
    ExpectLook(form.ImageBa.Canvas, {false, kSentinel, kWhite, 33}, "ImageBa");
    ExpectLook(form.ImageMap.Canvas, {false, kSentinel, kWhite, 33}, "ImageMap");
  }
}

TEST(TextStyles, StylesAreNotRememberedOnlyLayeredOnTheCanvas) {
  TestGame game;
  TForm1& form = game.form();
  form.Text.SetTextStyle(5);
  form.Text.SetTextStyle(0);
  EXPECT_EQ(form.ImageBa.Canvas.FontColor, kWhite);  // every style sets the colour
  // A clear-brush style keeps the brush colour a solid one left.
  form.Text.SetTextStyle(7);
  form.Text.SetTextStyle(3);
  form.Text.SetTextStyle(0);
  EXPECT_FALSE(form.ImageBa.Canvas.BrushSolid);
  EXPECT_EQ(form.ImageBa.Canvas.BrushColor, kBlack);
  // Style 4 on ImageMap gives 12-point text only if it was 12 before.
  form.Text.SetTextStyle(0);
  form.Text.SetTextStyle(4);
  EXPECT_EQ(LookOf(form.ImageMap.Canvas).Size, 12);
  form.Text.SetTextStyle(2);
  form.Text.SetTextStyle(4);
  EXPECT_EQ(form.ImageBa.Canvas.FontSize, 12);
  EXPECT_EQ(form.ImageMap.Canvas.FontSize, 20);
  EXPECT_EQ(form.ImageMap.Canvas.FontColor, kWhite);
  // Style 7 on ImageMap: no white box, no black letters.
  form.Text.SetTextStyle(7);
  EXPECT_FALSE(form.ImageMap.Canvas.BrushSolid);
  EXPECT_EQ(form.ImageMap.Canvas.FontColor, kWhite);
  // A style above 7 after a solid one: clear brush, white, the size of before.
  form.Text.SetTextStyle(6);
  form.Text.SetTextStyle(8);
  EXPECT_FALSE(form.ImageBa.Canvas.BrushSolid);
  EXPECT_EQ(form.ImageBa.Canvas.FontColor, kWhite);
  EXPECT_EQ(form.ImageBa.Canvas.FontSize, 12);
}

// A window picture whose every pixel differs from its neighbours, so that a panel cut
// or placed wrongly cannot match by chance.
std::vector<uint8_t> AssetWithPatternedWindow() {
  Picture window(590, 80);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 590; ++x)
      window.SetPixelColor(x, y, static_cast<uint32_t>(((x * 3) & 0xFF) << 16 | ((y * 5 + x) & 0xFF) << 8 | (255 - y)));
  return testing::AssetWithPicture(testing::DemoAssetBytes(), kWindowPicture, window);
}

// BackBuffer under the panel at (X, Y), multiplied with Window from its top-left.
Picture ExpectedPanel(const Picture& screen, const Picture& backBuffer, const Picture& window, const Rect& at) {
  Picture expected = screen;
  for (int y = at.Top; y < at.Bottom; ++y)
    for (int x = at.Left; x < at.Right; ++x) {
      const uint32_t b = backBuffer.PixelColor(x, y), w = window.PixelColor(x - at.Left, y - at.Top);
      uint32_t c = 0;
      for (int ch = 0; ch < 3; ++ch)
        c |= ((((b >> (8 * ch)) & 0xFF) * ((w >> (8 * ch)) & 0xFF)) / 255) << (8 * ch);
      expected.SetPixelColor(x, y, c);
    }
  return expected;
}

TEST(MessageWindow, SitsBelowTheSceneOrWiderOverAFullScreenPicture) {
  TestGame game(AssetWithPatternedWindow());
  TForm1& form = game.form();
  const Picture window = form.Assets.ReadPicture(kWindowPicture);
  form.BackBuffer = NoisePicture(640, 480, 41);
  const Picture backBuffer = form.BackBuffer;
  struct Case {
    uint8_t CgShown;
    Rect Panel;
  };
  for (const Case& c : {Case{0, {15, 385, 505, 465}}, Case{1, {25, 380, 615, 460}}, Case{2, {25, 380, 615, 460}}}) {
    SCOPED_TRACE(static_cast<int>(c.CgShown));
    form.ImageBa.Bitmap = NoisePicture(640, 480, 42, PixelFormat::Bgrx32);
    const Picture expected = ExpectedPanel(form.ImageBa.Bitmap, backBuffer, window, c.Panel);
    game.state().CgShown = c.CgShown;
    form.Text.DrawMessageWindow();
    EXPECT_EQ(testing::DifferingPixels(form.ImageBa.Bitmap, expected, form.ImageBa.Bitmap.Bounds()), 0);
    EXPECT_TRUE(form.BackBuffer == backBuffer);  // the scene under the window stays clean
    // Drawing the window again takes the text written on it away.
    form.Text.SetTextStyle(0);
    form.Text.DrawText(c.Panel.Left + 10, c.Panel.Top + 10, Sjis("メッセージの行"));
    form.Text.DrawMessageWindow();
    EXPECT_EQ(testing::DifferingPixels(form.ImageBa.Bitmap, expected, form.ImageBa.Bitmap.Bounds()), 0);
  }
}

TEST(MessageWindow, TheFullScreenPanelDarkensBackBufferAndNotTheScreen) {
  TestGame game(AssetWithPatternedWindow());
  TForm1& form = game.form();
  Picture stretched(640, 480);
  CopyRect(stretched, ScreenRect, form.Assets.ReadPicture(kWindowPicture), {0, 0, 590, 80});
  form.BackBuffer = NoisePicture(640, 480, 43);
  form.ImageBa.Bitmap = NoisePicture(640, 480, 44, PixelFormat::Bgrx32);
  const Picture screen = form.ImageBa.Bitmap;
  const Picture expected = ExpectedPanel(form.BackBuffer, form.BackBuffer, stretched, ScreenRect);
  form.Text.DrawWindowPanel(0, 0, ScreenRect, 3);
  EXPECT_EQ(testing::DifferingPixels(form.BackBuffer, expected, ScreenRect), 0);
  EXPECT_TRUE(form.ImageBa.Bitmap == screen);
}

TEST(MessageWindow, AWindowPictureThatCannotBeReadLeavesEverythingAsItWas) {
  std::vector<uint8_t> asset = testing::DemoAssetBytes();
  asset[kWindowPicture] = 'X';
  TestGame game(asset);
  TForm1& form = game.form();
  form.BackBuffer = NoisePicture(640, 480, 45);
  const Picture screen = form.ImageBa.Bitmap, backBuffer = form.BackBuffer;
  EXPECT_THROW(form.Text.DrawMessageWindow(), GameError);
  EXPECT_THROW(form.Text.DrawWindowPanel(0, 0, ScreenRect, 3), GameError);
  EXPECT_TRUE(form.ImageBa.Bitmap == screen);
  EXPECT_TRUE(form.BackBuffer == backBuffer);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(FontHeights, PointsRoundToTheNearestPixelAt96Dpi) {
  EXPECT_EQ(PointsToPixels(9), 12);
  EXPECT_EQ(PointsToPixels(10), 13);
  EXPECT_EQ(PointsToPixels(12), 16);
  EXPECT_EQ(PointsToPixels(14), 19);
  EXPECT_EQ(PointsToPixels(20), 27);
}

}  // namespace
}  // namespace velmora
