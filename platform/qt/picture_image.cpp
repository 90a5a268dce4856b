#include "platform/qt/picture_image.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

namespace velmora {

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000u;

// Pixels First .. First + Count - 1 of a row of Picture as RGB32 values (top byte 0xFF).
void ConvertRow(const Picture& picture, const uint8_t* in, int first, int count, uint32_t* out) {
  switch (picture.Format()) {
    case PixelFormat::Bgrx32: {
      const uint8_t* px = in + 4 * first;
      if constexpr (std::endian::native == std::endian::little) {
        // Blue, green, red, spare byte is already 0x00RRGGBB read as one word.
        for (int i = 0; i < count; ++i, px += 4) {
          uint32_t word;
          std::memcpy(&word, px, 4);
          out[i] = kOpaqueBlack | word;
        }
      } else {
        for (int i = 0; i < count; ++i, px += 4)
          out[i] = kOpaqueBlack | px[0] | (uint32_t{px[1]} << 8) | (uint32_t{px[2]} << 16);
      }
      break;
    }
    case PixelFormat::Bgr24: {
      const uint8_t* px = in + 3 * first;
      for (int i = 0; i < count; ++i, px += 3)
        out[i] = kOpaqueBlack | px[0] | (uint32_t{px[1]} << 8) | (uint32_t{px[2]} << 16);
      break;
    }
    case PixelFormat::Indexed8:
      for (int i = 0; i < count; ++i) out[i] = kOpaqueBlack | picture.Palette()[in[first + i]];
      break;
  }
}

}  // namespace

namespace {

// Pixel X of a row of a picture of format Format as an RGB32 value.
template <PixelFormat Format>
inline uint32_t PixelAt(const Picture& picture, const uint8_t* row, int x) {
  if constexpr (Format == PixelFormat::Bgrx32) {
    if constexpr (std::endian::native == std::endian::little) {
      uint32_t word;
      std::memcpy(&word, row + 4 * x, 4);
      return kOpaqueBlack | word;
    } else {
      const uint8_t* px = row + 4 * x;
      return kOpaqueBlack | px[0] | (uint32_t{px[1]} << 8) | (uint32_t{px[2]} << 16);
    }
  } else if constexpr (Format == PixelFormat::Bgr24) {
    const uint8_t* px = row + 3 * x;
    return kOpaqueBlack | px[0] | (uint32_t{px[1]} << 8) | (uint32_t{px[2]} << 16);
  } else {
    return kOpaqueBlack | picture.Palette()[row[x]];
  }
}

// Brings one surface row in line with the picture's row (its first Covered pixels; black
// beyond). A row that did not change is only read; in a changed one the span between its
// outermost differences is found from both ends and written once.
// Returns the span [first, last], or first = -1 when nothing changed.
template <PixelFormat Format>
std::pair<int, int> UpdateRow(const Picture* picture, const uint8_t* in, int covered, uint32_t* out, int width) {
  const auto wanted = [&](int x) { return x < covered ? PixelAt<Format>(*picture, in, x) : kOpaqueBlack; };
  // Most rows of a still screen match: compare sixteen pixels at a time without
  // branching (that vectorises), and pixel by pixel only in the block that differs.
  constexpr int kBlock = 16;
  int first = 0;
  for (; first + kBlock <= covered; first += kBlock) {
    uint32_t difference = 0;
    for (int k = 0; k < kBlock; ++k) difference |= out[first + k] ^ PixelAt<Format>(*picture, in, first + k);
    if (difference != 0) break;
  }
  while (first < width && out[first] == wanted(first)) ++first;
  if (first == width) return {-1, -1};
  int last = width - 1;
  while (out[last] == wanted(last)) --last;
  const int pictureEnd = std::min(last + 1, covered);
  for (int x = first; x < pictureEnd; ++x) out[x] = PixelAt<Format>(*picture, in, x);
  for (int x = std::max(first, covered); x <= last; ++x) out[x] = kOpaqueBlack;
  return {first, last};
}

template <PixelFormat Format>
Rect UpdateImage(QImage& image, const Picture* picture) {
  const int width = image.width();
  const int coveredWidth = picture ? std::min(picture->Width(), width) : 0;
  const int coveredHeight = picture ? std::min(picture->Height(), image.height()) : 0;
  Rect changed{width, image.height(), 0, 0};
  for (int y = 0; y < image.height(); ++y) {
    const bool inside = y < coveredHeight;
    const auto [first, last] =
        UpdateRow<Format>(picture, inside ? picture->Row(y) : nullptr, inside ? coveredWidth : 0,
                          reinterpret_cast<uint32_t*>(image.scanLine(y)), width);
    if (first < 0) continue;
    changed.Left = std::min(changed.Left, first);
    changed.Right = std::max(changed.Right, last + 1);
    changed.Top = std::min(changed.Top, y);
    changed.Bottom = y + 1;
  }
  return changed.IsEmpty() ? Rect{} : changed;
}

}  // namespace

Rect UpdateImageFromPicture(QImage& image, const Picture* picture) {
  // No picture covers nothing: the whole surface goes black.
  const Picture* shown = picture && !picture->IsEmpty() ? picture : nullptr;
  switch (shown ? shown->Format() : PixelFormat::Bgrx32) {
    case PixelFormat::Bgrx32: return UpdateImage<PixelFormat::Bgrx32>(image, shown);
    case PixelFormat::Bgr24: return UpdateImage<PixelFormat::Bgr24>(image, shown);
    case PixelFormat::Indexed8: return UpdateImage<PixelFormat::Indexed8>(image, shown);
  }
  return {};
}

Rect DrawPictureOnImage(QImage& image, int x, int y, const Picture& picture) {
  const Rect area = Rect{x, y, x + picture.Width(), y + picture.Height()}.Intersected(
      Rect{0, 0, image.width(), image.height()});
  if (area.IsEmpty()) return {};
  for (int row = area.Top; row < area.Bottom; ++row) {
    auto* out = reinterpret_cast<uint32_t*>(image.scanLine(row)) + area.Left;
    const uint8_t* in = picture.Row(row - y);
    const int first = area.Left - x;
    const int count = area.Width();
    // RGB32 wants its top byte at 0xFF; our pictures leave it zero.
    ConvertRow(picture, in, first, count, out);
  }
  return area;
}

}  // namespace velmora
