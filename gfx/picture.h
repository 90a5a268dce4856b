#pragma once
// Our picture: width, height and one pixel format, rows padded to four bytes and stored
// top row first. Colours are 0x00RRGGBB. Indexed pictures keep their palette, but the
// game reads their bytes directly as blend weights (the portrait masks).

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/geometry.h"
#include "gfx/pixel_store.h"

namespace velmora {

enum class PixelFormat { Indexed8, Bgr24, Bgrx32 };

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

class Picture {
 public:
  Picture() = default;
  // A new picture is black.
  Picture(int width, int height, PixelFormat format = PixelFormat::Bgr24);
  // A picture whose bytes, padding included, are left as they happen to be: for readers
  // that write every row whole before anyone looks (a file's rows), or drop the picture.
  static Picture Unfilled(int width, int height, PixelFormat format);

  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelFormat Format() const { return format_; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  int Stride() const { return stride_; }
  int BytesPerPixel() const;
  Rect Bounds() const { return {0, 0, width_, height_}; }

  uint8_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * stride_; }
  const uint8_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * stride_; }
  uint8_t* Bits() { return pixels_.data(); }
  const uint8_t* Bits() const { return pixels_.data(); }

  // Palette of an indexed picture as 0x00RRGGBB; 256 entries, unused ones black.
  std::array<uint32_t, 256>& Palette() { return palette_; }
  const std::array<uint32_t, 256>& Palette() const { return palette_; }

  // The colour of a pixel (an indexed pixel through its palette). No range check.
  uint32_t PixelColor(int x, int y) const;
  void SetPixelColor(int x, int y, uint32_t color);
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // New size keeping the top-left pixels; an enlarged area is white.
  void Resize(int width, int height);
  // Converts between 24 and 32 bits (an indexed picture becomes true colour).
  void Convert(PixelFormat format);
  void Fill(uint32_t color);
  // Releases the pixels: the picture becomes 0x0.
  void Release();

  bool operator==(const Picture& other) const;

 private:
  static int StrideFor(int width, PixelFormat format);

  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Bgr24;
  int stride_ = 0;
  PixelBytes pixels_;
  std::array<uint32_t, 256> palette_{};
};

// Copies SrcRect of Src onto DstRect of Dst, stretching (nearest pixel) when the sizes
// differ. Parts outside either picture are skipped.
void CopyRect(Picture& dst, const Rect& dstRect, const Picture& src, const Rect& srcRect);
// Draws Src whole and opaque with its top-left corner at (x, y).
void DrawPicture(Picture& dst, int x, int y, const Picture& src);
// As DrawPicture, but pixels of Src equal to Key leave Dst unchanged.
void DrawTransparent(Picture& dst, int x, int y, const Picture& src, uint32_t key);

}  // namespace velmora
