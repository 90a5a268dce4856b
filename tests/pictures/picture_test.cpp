#include <gtest/gtest.h>

#include <cstring>

#include "gfx/picture.h"

namespace velmora {
namespace {

Picture Pattern(int w, int h, PixelFormat f = PixelFormat::Bgr24) {
  Picture p(w, h, f);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.SetPixelColor(x, y, static_cast<uint32_t>(x | (y << 8) | 0x110000));
  return p;
}

TEST(Picture, RowsArePaddedToFourBytesAndStartBlack) {
  EXPECT_EQ(Picture(5, 2, PixelFormat::Bgr24).Stride(), 16);
  EXPECT_EQ(Picture(5, 2, PixelFormat::Bgrx32).Stride(), 20);
  EXPECT_EQ(Picture(5, 2, PixelFormat::Indexed8).Stride(), 8);
  EXPECT_EQ(Picture(3, 3).PixelColor(2, 2), kBlack);
}

TEST(Picture, ResizeKeepsTheTopLeftAndFillsNewAreaWhite) {
  Picture p = Pattern(4, 4);
  p.Resize(6, 2);
  EXPECT_EQ(p.Width(), 6);
  EXPECT_EQ(p.PixelColor(3, 1), 0x110103u);
  EXPECT_EQ(p.PixelColor(5, 0), kWhite);
  p.Resize(2, 5);
  EXPECT_EQ(p.PixelColor(1, 1), 0x110101u);
  EXPECT_EQ(p.PixelColor(0, 4), kWhite);
}

TEST(Picture, ConvertBetween24And32BitsKeepsEveryColour) {
  const Picture original = Pattern(7, 3);
  Picture p = original;
  p.Convert(PixelFormat::Bgrx32);
  EXPECT_EQ(p.Format(), PixelFormat::Bgrx32);
  EXPECT_TRUE(p == original);
  p.Convert(PixelFormat::Bgr24);
  EXPECT_EQ(std::vector<uint8_t>(p.Bits(), p.Bits() + p.Stride() * 3),
            std::vector<uint8_t>(original.Bits(), original.Bits() + original.Stride() * 3));
}

TEST(Picture, FramesMadeFromRecycledMemoryStartBlackAndCopiesStayApart) {
  // Full-screen pictures reuse the memory of dropped ones: none may show old pixels.
  for (int round = 0; round < 20; ++round) {
    Picture frame(640, 480, round % 2 ? PixelFormat::Bgrx32 : PixelFormat::Bgr24);
    EXPECT_EQ(frame.PixelColor(round, 479 - round), kBlack) << round;
    EXPECT_EQ(frame.PixelColor(639, 0), kBlack) << round;
    frame.Fill(0x123456);
    Picture copy = frame;
    copy.SetPixelColor(0, 0, kWhite);
    EXPECT_EQ(frame.PixelColor(0, 0), 0x123456u);
    frame = std::move(copy);
    EXPECT_EQ(frame.PixelColor(0, 0), kWhite);
  }
}

TEST(Picture, WideRowsConvertByteExactAndKeepTheFourthByte) {
  // Widths around the four-pixel groups, and a 32-bit target whose fourth bytes are set.
  for (int w : {1, 5, 6, 7, 9, 10, 37, 640}) {
    const Picture src = Pattern(w, 3);
    Picture dst(w, 3, PixelFormat::Bgrx32);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w; ++x) dst.Row(y)[4 * x + 3] = static_cast<uint8_t>(x + y);
    CopyRect(dst, dst.Bounds(), src, src.Bounds());
    Picture back(w, 3);
    std::memset(back.Bits(), 0xFF, static_cast<size_t>(back.Stride()) * 3);
    DrawPicture(back, 0, 0, dst);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w; ++x) {
        ASSERT_EQ(dst.PixelColor(x, y), src.PixelColor(x, y)) << w << " " << x;
        ASSERT_EQ(dst.Row(y)[4 * x + 3], static_cast<uint8_t>(x + y)) << w << " " << x;
      }
    // The padding at the end of each 24-bit row is never written.
    for (int y = 0; y < 3; ++y)
      for (int i = 3 * w; i < back.Stride(); ++i) ASSERT_EQ(back.Row(y)[i], 0xFF) << w;
    EXPECT_TRUE(back == src) << w;
  }
}

TEST(Picture, CopyRectCopiesClipsAndStretches) {
  const Picture src = Pattern(10, 10);
  Picture dst(8, 8);
  CopyRect(dst, {2, 3, 5, 5}, src, {4, 6, 7, 8});
  EXPECT_EQ(dst.PixelColor(2, 3), src.PixelColor(4, 6));
  EXPECT_EQ(dst.PixelColor(4, 4), src.PixelColor(6, 7));
  EXPECT_EQ(dst.PixelColor(5, 3), kBlack);  // right edge excluded
  EXPECT_EQ(dst.PixelColor(2, 5), kBlack);  // bottom edge excluded

  // Parts outside either picture are skipped, never read or written.
  Picture clip(4, 4);
  CopyRect(clip, {-2, -2, 3, 3}, src, {8, 8, 13, 13});
  EXPECT_EQ(clip.PixelColor(0, 0), kBlack);
  CopyRect(clip, {-2, -2, 3, 3}, src, {0, 0, 5, 5});
  EXPECT_EQ(clip.PixelColor(0, 0), src.PixelColor(2, 2));

  // Twice the size: every source pixel covers two by two.
  Picture big(4, 4);
  CopyRect(big, big.Bounds(), src, {0, 0, 2, 2});
  EXPECT_EQ(big.PixelColor(1, 1), src.PixelColor(0, 0));
  EXPECT_EQ(big.PixelColor(3, 2), src.PixelColor(1, 1));
}

TEST(Picture, CopyAcrossFormatsGoesThroughThePalette) {
  Picture mask(2, 1, PixelFormat::Indexed8);
  mask.Palette()[7] = 0x123456;
  mask.Row(0)[1] = 7;
  Picture dst(2, 1, PixelFormat::Bgrx32);
  DrawPicture(dst, 0, 0, mask);
  EXPECT_EQ(dst.PixelColor(1, 0), 0x123456u);
}

TEST(Picture, TransparentDrawLeavesKeyColouredPixelsWhereverTheyAre) {
  Picture sprite(3, 2);
  sprite.Fill(0x00FF00);
  sprite.SetPixelColor(1, 0, 0xFF0000);
  sprite.SetPixelColor(2, 1, 0x0000FF);
  Picture dst(4, 4);
  dst.Fill(0x777777);
  DrawTransparent(dst, 1, 1, sprite, sprite.PixelColor(0, 0));
  EXPECT_EQ(dst.PixelColor(1, 1), 0x777777u);
  EXPECT_EQ(dst.PixelColor(2, 1), 0xFF0000u);
  EXPECT_EQ(dst.PixelColor(3, 2), 0x0000FFu);
  EXPECT_EQ(dst.PixelColor(2, 2), 0x777777u);
  // Drawn partly outside: clipped, no fault.
  DrawTransparent(dst, 3, 3, sprite, kBlack);
  EXPECT_EQ(dst.PixelColor(3, 3), 0x00FF00u);
}

}  // namespace
}  // namespace velmora
