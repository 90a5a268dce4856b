#include "gfx_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tools/bmp_writer.h"

namespace velmora::testing {

Picture NoisePicture(int width, int height, uint32_t seed, PixelFormat format) {
  Picture p(width, height, format);
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y)
    for (int i = 0; i < width * p.BytesPerPixel(); ++i) p.Row(y)[i] = static_cast<uint8_t>(random());
  return p;
}

Picture RowCodedPicture(int width, int height, PixelFormat format) {
  Picture p(width, height, format);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      p.SetPixelColor(x, y, static_cast<uint32_t>(((y >> 8) << 16) | ((y & 0xFF) << 8) | (x & 0xFF)));
  return p;
}

std::vector<uint8_t> AssetWithPicture(std::vector<uint8_t> asset, int32_t offset, const Picture& picture) {
  const std::vector<uint8_t> bmp = WriteBmp(picture);
  // The slot's length is the next slot's offset minus this one: a BMP of the slot's
  // size and depth fills it exactly, and the file keeps every offset.
  const uint32_t slotLength = asset[static_cast<size_t>(offset) + 2] | (asset[static_cast<size_t>(offset) + 3] << 8) |
                              (asset[static_cast<size_t>(offset) + 4] << 16) |
                              (static_cast<uint32_t>(asset[static_cast<size_t>(offset) + 5]) << 24);
  EXPECT_EQ(bmp.size(), slotLength) << "picture does not fit the slot at " << offset;
  std::copy(bmp.begin(), bmp.begin() + std::min<size_t>(bmp.size(), slotLength), asset.begin() + offset);
  return asset;
}

Picture WindowOf(const Picture& picture, int x, int y) {
  Picture window(640, 480);
  CopyRect(window, window.Bounds(), picture, {x, y, x + 640, y + 480});
  return window;
}

int64_t DifferingPixels(const Picture& actual, const Picture& expected, const Rect& area) {
  int64_t differing = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (actual.PixelColor(x, y) != expected.PixelColor(x, y)) ++differing;
  return differing;
}

void StripRecordingHost::PaintWindow(const Picture& picture, int x, int y) {
  if (FailAtPaint != 0 && Strips.size() + 1 == FailAtPaint) throw GameError("描画に失敗しました");
  Strips.push_back({Milliseconds(), x, y, picture});
  HeadlessHost::PaintWindow(picture, x, y);
  if (Strips.size() == 1) WindowAfterFirstPaint = Window();
  Sleep(PaintCost);
}

RecordingGame::RecordingGame(const std::vector<uint8_t>& asset) {
  dir_.Write("data/qelvart.red", asset);
  host_ = std::make_unique<StripRecordingHost>(dir_.Path());
  host_->Start();
}

}  // namespace velmora::testing
