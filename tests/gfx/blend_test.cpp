#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "gfx/blend.h"
#include "gfx_fixtures.h"

namespace velmora {
namespace {

using testing::NoisePicture;

TEST(BlendLevels, PerByteLevelsFollowTheLevelTable) {
  for (int o = 0; o < 256; ++o)
    for (int n = 0; n < 256; ++n) {
      ASSERT_EQ(BlendLevelByte(0, o, n), n);  // level 0 is the new picture exactly
      if (o != n) continue;
      for (int level = 0; level < 8; ++level) ASSERT_EQ(BlendLevelByte(level, o, n), n) << level;
    }
  // Old white over new black and the other way round, level by level: the weight of
  // the new picture falls by an eighth a level, every division rounding down.
  const uint8_t whiteOverBlack[8] = {0, 31, 63, 94, 128, 161, 192, 224};
  const uint8_t blackOverWhite[8] = {255, 224, 192, 161, 127, 94, 63, 31};
  for (int level = 0; level < 8; ++level) {
    EXPECT_EQ(BlendLevelByte(level, 255, 0), whiteOverBlack[level]) << level;
    EXPECT_EQ(BlendLevelByte(level, 0, 255), blackOverWhite[level]) << level;
  }
  EXPECT_EQ(BlendLevelByte(3, 200, 40), 100);  // 40 - 5 - 10 + 25 + 50
  EXPECT_EQ(BlendLevelByte(5, 200, 40), 140);  // 200 - 25 - 50 + 5 + 10
  EXPECT_EQ(BlendLevelByte(6, 100, 255), 138);
  EXPECT_THROW(BlendLevelByte(8, 1, 2), GameError);
  EXPECT_THROW(BlendLevelByte(-1, 1, 2), GameError);
}

TEST(BlendLevels, PackedWordsMatchThePerByteReferenceForEveryPair) {
  // Byte 0 and byte 1 of the words run through every (old, new) pair; bytes 2 and 3
  // hold neighbours that would show any carry or borrow across a byte boundary.
  constexpr size_t kWords = 65536;
  std::vector<uint8_t> oldRow(4 * kWords), newRow(4 * kWords), out(4 * kWords + 8);
  for (size_t i = 0; i < kWords; ++i) {
    const uint8_t lo = static_cast<uint8_t>(i), hi = static_cast<uint8_t>(i >> 8);
    const uint8_t o[4] = {lo, hi, static_cast<uint8_t>(255 - lo), static_cast<uint8_t>(i * 7)};
    const uint8_t n[4] = {hi, lo, static_cast<uint8_t>(i * 13), static_cast<uint8_t>(255 - hi)};
    std::memcpy(&oldRow[4 * i], o, 4);
    std::memcpy(&newRow[4 * i], n, 4);
  }
  for (int level = 0; level < 8; ++level) {
    std::fill(out.begin(), out.end(), 0xA5);
    BlendLevelRow(level, oldRow.data(), newRow.data(), out.data(), kWords);
    size_t wrong = 0;
    for (size_t b = 0; b < 4 * kWords; ++b)
      if (out[b] != BlendLevelByte(level, oldRow[b], newRow[b])) ++wrong;
    EXPECT_EQ(wrong, 0u) << "level " << level;
    for (size_t b = 4 * kWords; b < out.size(); ++b) EXPECT_EQ(out[b], 0xA5) << "written past the row";
  }
  EXPECT_THROW(BlendLevelRow(9, oldRow.data(), newRow.data(), out.data(), 1), GameError);
}

TEST(BlendLevels, RandomScreenRowsMatchTheReferenceAndStayInsideTheirWords) {
  const Picture from = NoisePicture(640, 16, 11);
  const Picture to = NoisePicture(640, 16, 12);
  const size_t words = (3 * 640 + 3) / 4;
  for (int level = 0; level < 8; ++level)
    for (int y = 0; y < 16; ++y) {
      std::vector<uint8_t> out(4 * words + 4, 0x5A);
      BlendLevelRow(level, from.Row(y), to.Row(y), out.data(), words);
      for (size_t b = 0; b < 3 * 640; ++b)
        ASSERT_EQ(out[b], BlendLevelByte(level, from.Row(y)[b], to.Row(y)[b])) << level << " " << y << " " << b;
      EXPECT_EQ(out[4 * words], 0x5A);
    }
}

Picture Solid32(int w, int h, uint32_t color, uint8_t fourth) {
  Picture p(w, h, PixelFormat::Bgrx32);
  p.Fill(color);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.Row(y)[4 * x + 3] = fourth;
  return p;
}

TEST(MultiplyBlend, WhiteKeepsBlackClearsGreyHalvesRoundingDown) {
  Picture scene = Solid32(3, 2, 0xFF6401, 0x77);  // red 255, green 100, blue 1
  MultiplyBlend(scene, Solid32(3, 2, kWhite, 0));
  EXPECT_EQ(scene.PixelColor(2, 1), 0xFF6401u);
  MultiplyBlend(scene, Solid32(3, 2, 0x808080, 0));
  EXPECT_EQ(scene.PixelColor(0, 0), 0x803200u);  // 255*128/255, 100*128/255, 1*128/255
  EXPECT_EQ(scene.Row(1)[4 * 2 + 3], 0x77);      // the fourth byte is left alone
  // Channel by channel: a tinted mask darkens each channel by its own weight.
  Picture tinted = Solid32(1, 1, 0xC8C8C8, 0);
  MultiplyBlend(tinted, Solid32(1, 1, 0x0080FF, 0));
  EXPECT_EQ(tinted.PixelColor(0, 0), 0x0064C8u);
  MultiplyBlend(scene, Solid32(3, 2, kBlack, 0));
  EXPECT_EQ(scene.PixelColor(1, 0), kBlack);
  EXPECT_THROW(MultiplyBlend(scene, Solid32(2, 2, kWhite, 0)), GameError);
  Picture scene24(3, 2);
  EXPECT_THROW(MultiplyBlend(scene24, Solid32(3, 2, kWhite, 0)), GameError);
}

Picture Mask(int w, int h, uint8_t weight) {
  Picture m(w, h, PixelFormat::Indexed8);
  // The palette is deliberately not grey: the weights are the bytes, not the colours.
  for (int i = 0; i < 256; ++i) m.Palette()[static_cast<size_t>(i)] = static_cast<uint32_t>(255 - i);
  for (int y = 0; y < h; ++y) std::memset(m.Row(y), weight, static_cast<size_t>(w));
  return m;
}

TEST(AlphaMaskBlend, WeightsAreTheMaskBytes) {
  Picture dest(4, 4, PixelFormat::Bgrx32);
  Picture source(2, 2);
  source.Fill(kWhite);
  for (int y = 0; y < 4; ++y) dest.Row(y)[3] = 0x42;
  AlphaMaskBlend(dest, {0, 0}, Mask(2, 2, 128), source);
  EXPECT_EQ(dest.PixelColor(1, 1), 0x808080u);  // 255 * 128 div 255
  EXPECT_EQ(dest.Row(0)[3], 0x42);              // fourth byte unchanged
  EXPECT_EQ(dest.PixelColor(2, 2), kBlack);     // outside the source

  Picture noisySource = NoisePicture(3, 3, 5);
  Picture copied = NoisePicture(3, 3, 6, PixelFormat::Bgrx32);
  const Picture before = copied;
  AlphaMaskBlend(copied, {0, 0}, Mask(3, 3, 0), noisySource);
  EXPECT_TRUE(copied == before);  // weight 0 keeps the destination
  AlphaMaskBlend(copied, {0, 0}, Mask(3, 3, 255), noisySource);
  EXPECT_TRUE(copied == noisySource);  // weight 255 copies the source exactly

  Picture mixed(1, 1, PixelFormat::Bgrx32);
  mixed.Fill(0x6496C8);
  Picture over(1, 1);
  over.Fill(0x0A141E);
  AlphaMaskBlend(mixed, {0, 0}, Mask(1, 1, 77), over);
  // ((255 - 77) * d + 77 * s) div 255 per channel.
  EXPECT_EQ(mixed.PixelColor(0, 0), static_cast<uint32_t>(((178 * 100 + 77 * 10) / 255) << 16 |
                                                           ((178 * 150 + 77 * 20) / 255) << 8 |
                                                           ((178 * 200 + 77 * 30) / 255)));
}

TEST(AlphaMaskBlend, BlendsOnlyWhereSourceAndDestinationOverlap) {
  const Picture screen = NoisePicture(640, 480, 21);
  Picture portrait = NoisePicture(400, 470, 22);
  const Picture portraitCopy = portrait;
  struct Case {
    Point At;
    Rect Blended;  // in destination coordinates
  };
  const Case cases[] = {
      {{100, 10}, {100, 10, 500, 480}},  // the portrait's own place
      {{500, 400}, {500, 400, 640, 480}},
      {{-50, -20}, {0, 0, 350, 450}},
  };
  for (const Case& c : cases) {
    Picture dest = screen;
    Picture source = portraitCopy;
    AlphaMaskBlend(dest, c.At, Mask(400, 470, 255), source);
    EXPECT_EQ(dest.Format(), PixelFormat::Bgrx32);
    int64_t wrong = 0;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) {
        const bool inside = x >= c.Blended.Left && x < c.Blended.Right && y >= c.Blended.Top && y < c.Blended.Bottom;
        const uint32_t expected = inside ? portraitCopy.PixelColor(x - c.At.X, y - c.At.Y) : screen.PixelColor(x, y);
        if (dest.PixelColor(x, y) != expected) ++wrong;
      }
    EXPECT_EQ(wrong, 0) << c.At.X << "," << c.At.Y;
  }
  // No overlap: nothing changes and nothing is converted.
  for (Point at : {Point{640, 0}, Point{-400, 0}, Point{0, 480}, Point{0, -470}}) {
    Picture dest = screen;
    AlphaMaskBlend(dest, at, Mask(400, 470, 255), portrait);
    EXPECT_EQ(dest.Format(), PixelFormat::Bgr24);
    EXPECT_EQ(portrait.Format(), PixelFormat::Bgr24);
    EXPECT_TRUE(dest == screen);
  }
}

TEST(AlphaMaskBlend, AMaskThatDoesNotFitIsNeverReadOutside) {
  const Picture screen = NoisePicture(640, 480, 31);
  Picture portrait = NoisePicture(400, 470, 32);
  Picture dest = screen;
  // A mask smaller than its portrait: the part it does not cover keeps the screen.
  AlphaMaskBlend(dest, {100, 10}, Mask(200, 100, 255), portrait);
  EXPECT_EQ(testing::DifferingPixels(dest, testing::WindowOf(portrait, -100, -10), {100, 10, 300, 110}), 0);
  EXPECT_EQ(testing::DifferingPixels(dest, screen, {300, 10, 640, 480}), 0);
  EXPECT_EQ(testing::DifferingPixels(dest, screen, {100, 110, 300, 480}), 0);
  // A true-colour "mask" has no weights to give.
  Picture dest2 = screen;
  EXPECT_THROW(AlphaMaskBlend(dest2, {100, 10}, Picture(400, 470), portrait), GameError);
}

}  // namespace
}  // namespace velmora
