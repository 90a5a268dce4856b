#include "gfx/picture.h"

#include "gfx/span_check.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace velmora {

namespace {

inline uint32_t ReadColor(const Picture& p, const uint8_t* row, int x) {
  switch (p.Format()) {
    case PixelFormat::Indexed8:
      return p.Palette()[row[x]];
    case PixelFormat::Bgr24: {
      const uint8_t* px = row + 3 * x;
      return px[0] | (px[1] << 8) | (px[2] << 16);
    }
    case PixelFormat::Bgrx32: {
      const uint8_t* px = row + 4 * x;
      return px[0] | (px[1] << 8) | (px[2] << 16);
    }
  }
  return 0;
}

inline void WriteColor(Picture& p, uint8_t* row, int x, uint32_t c) {
  switch (p.Format()) {
    case PixelFormat::Indexed8:
      // Only the blue byte survives: indexed pictures are only ever masks.
      row[x] = static_cast<uint8_t>(c);
      break;
    case PixelFormat::Bgr24: {
      uint8_t* px = row + 3 * x;
      px[0] = static_cast<uint8_t>(c);
      px[1] = static_cast<uint8_t>(c >> 8);
      px[2] = static_cast<uint8_t>(c >> 16);
      break;
    }
    case PixelFormat::Bgrx32: {
      uint8_t* px = row + 4 * x;
      px[0] = static_cast<uint8_t>(c);
      px[1] = static_cast<uint8_t>(c >> 8);
      px[2] = static_cast<uint8_t>(c >> 16);
      break;
    }
  }
}

// Count pixels from 32 to 24 bits and from 24 to 32 bits (the fourth byte of a 32-bit
// pixel is left as it is). Four pixels go as three or four whole words: the wipes' frames
// are converted at every screen change, and a sanitized build checks every access.
VELMORA_UNCHECKED_ACCESS inline uint32_t Load32(const uint8_t* p) {
  uint32_t w;
  std::memcpy(&w, p, 4);
  return w;
}
VELMORA_UNCHECKED_ACCESS inline void Store32(uint8_t* p, uint32_t w) { std::memcpy(p, &w, 4); }

// Both loops are checked a row at a time (see span_check.h). Where the processor can
// shuffle bytes, four pixels go per shuffle: a CG pan copies a whole 24-bit screen onto
// the 32-bit one on every tick.
#if defined(__x86_64__) && defined(__GNUC__)
#define VELMORA_SSSE3_PIXELS 1
// Reads 16 source bytes for 12, so it stops two pixels before the end.
__attribute__((target("ssse3"))) VELMORA_UNCHECKED_ACCESS int Pixels24To32Ssse3(const uint8_t* sp, uint8_t* dp,
                                                                                int count) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i kept = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int x = 0;
  for (; x + 6 <= count; x += 4, sp += 12, dp += 16) {
    const __m128i colours = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sp)), spread);
    const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dp));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dp), _mm_or_si128(_mm_and_si128(old, kept), colours));
  }
  return x;
}

// Writes 16 bytes for 12; the next four are written again after, so it stops two pixels
// before the end.
__attribute__((target("ssse3"))) VELMORA_UNCHECKED_ACCESS int Pixels32To24Ssse3(const uint8_t* sp, uint8_t* dp,
                                                                                int count) {
  const __m128i pack = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  int x = 0;
  for (; x + 6 <= count; x += 4, sp += 16, dp += 12)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dp),
                     _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sp)), pack));
  return x;
}
#endif

VELMORA_UNCHECKED_ACCESS void Pixels32To24Unchecked(const uint8_t* sp, uint8_t* dp, int count) {
  int x = 0;
#ifdef VELMORA_SSSE3_PIXELS
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3) {
    x = Pixels32To24Ssse3(sp, dp, count);
    sp += 4 * static_cast<size_t>(x);
    dp += 3 * static_cast<size_t>(x);
  }
#endif
  if constexpr (std::endian::native == std::endian::little) {
    for (; x + 4 <= count; x += 4, sp += 16, dp += 12) {
      const uint32_t a = Load32(sp), b = Load32(sp + 4), c = Load32(sp + 8), d = Load32(sp + 12);
      Store32(dp, (a & 0xFFFFFFu) | (b << 24));
      Store32(dp + 4, ((b >> 8) & 0xFFFFu) | (c << 16));
      Store32(dp + 8, ((c >> 16) & 0xFFu) | (d << 8));
    }
  }
  for (; x < count; ++x, sp += 4, dp += 3) {
    dp[0] = sp[0];
    dp[1] = sp[1];
    dp[2] = sp[2];
  }
}

VELMORA_UNCHECKED_ACCESS void Pixels24To32Unchecked(const uint8_t* sp, uint8_t* dp, int count) {
  int x = 0;
#ifdef VELMORA_SSSE3_PIXELS
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3) {
    x = Pixels24To32Ssse3(sp, dp, count);
    sp += 3 * static_cast<size_t>(x);
    dp += 4 * static_cast<size_t>(x);
  }
#endif
  if constexpr (std::endian::native == std::endian::little) {
    constexpr uint32_t kKept = 0xFF000000u;
    for (; x + 4 <= count; x += 4, sp += 12, dp += 16) {
      const uint32_t a = Load32(sp), b = Load32(sp + 4), c = Load32(sp + 8);
      Store32(dp, (Load32(dp) & kKept) | (a & 0xFFFFFFu));
      Store32(dp + 4, (Load32(dp + 4) & kKept) | (a >> 24) | ((b & 0xFFFFu) << 8));
      Store32(dp + 8, (Load32(dp + 8) & kKept) | (b >> 16) | ((c & 0xFFu) << 16));
      Store32(dp + 12, (Load32(dp + 12) & kKept) | (c >> 8));
    }
  }
  for (; x < count; ++x, sp += 3, dp += 4) {
    dp[0] = sp[0];
    dp[1] = sp[1];
    dp[2] = sp[2];
  }
}

void Pixels32To24(const uint8_t* sp, uint8_t* dp, int count) {
  if (count <= 0) return;
  CheckSpan(sp, 4 * static_cast<size_t>(count));
  CheckSpan(dp, 3 * static_cast<size_t>(count));
  Pixels32To24Unchecked(sp, dp, count);
}

void Pixels24To32(const uint8_t* sp, uint8_t* dp, int count) {
  if (count <= 0) return;
  CheckSpan(sp, 3 * static_cast<size_t>(count));
  CheckSpan(dp, 4 * static_cast<size_t>(count));
  Pixels24To32Unchecked(sp, dp, count);
}

}  // namespace

int Picture::StrideFor(int width, PixelFormat format) {
  const int bits = format == PixelFormat::Indexed8 ? 8 : format == PixelFormat::Bgr24 ? 24 : 32;
  return ((width * bits + 31) / 32) * 4;
}

Picture::Picture(int width, int height, PixelFormat format)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), format_(format) {
  stride_ = StrideFor(width_, format_);
  pixels_.AssignZeros(static_cast<size_t>(stride_) * height_);
}

Picture Picture::Unfilled(int width, int height, PixelFormat format) {
  Picture picture;
  picture.width_ = std::max(width, 0);
  picture.height_ = std::max(height, 0);
  picture.format_ = format;
  picture.stride_ = StrideFor(picture.width_, format);
  picture.pixels_.AssignUnset(static_cast<size_t>(picture.stride_) * picture.height_);
  return picture;
}

int Picture::BytesPerPixel() const {
  return format_ == PixelFormat::Indexed8 ? 1 : format_ == PixelFormat::Bgr24 ? 3 : 4;
}

uint32_t Picture::PixelColor(int x, int y) const { return ReadColor(*this, Row(y), x); }

void Picture::SetPixelColor(int x, int y, uint32_t color) { WriteColor(*this, Row(y), x, color); }

void Picture::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  Picture resized(width, height, format_);
  resized.palette_ = palette_;
  resized.Fill(format_ == PixelFormat::Indexed8 ? 0xFF : kWhite);
  const int keepRows = std::min(height, height_);
  const size_t keepBytes = static_cast<size_t>(std::min(width, width_)) * BytesPerPixel();
  for (int y = 0; y < keepRows; ++y) std::memcpy(resized.Row(y), Row(y), keepBytes);
  *this = std::move(resized);
}

void Picture::Convert(PixelFormat format) {
  if (format == format_) return;
  Picture converted(width_, height_, format);
  for (int y = 0; y < height_; ++y) {
    const uint8_t* src = Row(y);
    uint8_t* dst = converted.Row(y);
    // The new picture is zeroed, so its fourth bytes come out 0 either way.
    if (format_ == PixelFormat::Bgr24 && format == PixelFormat::Bgrx32)
      Pixels24To32(src, dst, width_);
    else if (format_ == PixelFormat::Bgrx32 && format == PixelFormat::Bgr24)
      Pixels32To24(src, dst, width_);
    else
      for (int x = 0; x < width_; ++x) WriteColor(converted, dst, x, ReadColor(*this, src, x));
  }
  converted.palette_ = palette_;
  *this = std::move(converted);
}

void Picture::Fill(uint32_t color) {
  for (int y = 0; y < height_; ++y) {
    uint8_t* row = Row(y);
    for (int x = 0; x < width_; ++x) WriteColor(*this, row, x, color);
  }
}

void Picture::Release() { *this = Picture(); }

bool Picture::operator==(const Picture& other) const {
  if (width_ != other.width_ || height_ != other.height_) return false;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (PixelColor(x, y) != other.PixelColor(x, y)) return false;
  return true;
}

void CopyRect(Picture& dst, const Rect& dstRect, const Picture& src, const Rect& srcRect) {
  if (dstRect.IsEmpty() || srcRect.IsEmpty()) return;
  const Rect visible = dstRect.Intersected(dst.Bounds());
  if (visible.IsEmpty()) return;
  const bool sameSize = dstRect.Width() == srcRect.Width() && dstRect.Height() == srcRect.Height();
  const bool rawCopy = sameSize && dst.Format() == src.Format();
  // The wipes paint 24-bit strips onto 32-bit windows hundreds of times a second: give
  // the two true-colour conversions a loop of their own.
  const bool trueColour = sameSize && src.Format() != PixelFormat::Indexed8 && dst.Format() != PixelFormat::Indexed8;
  const int bpp = dst.BytesPerPixel();
  for (int y = visible.Top; y < visible.Bottom; ++y) {
    const int sy = sameSize ? srcRect.Top + (y - dstRect.Top)
                            : srcRect.Top + static_cast<int>(static_cast<int64_t>(y - dstRect.Top) *
                                                             srcRect.Height() / dstRect.Height());
    if (sy < 0 || sy >= src.Height()) continue;
    const uint8_t* srow = src.Row(sy);
    uint8_t* drow = dst.Row(y);
    if (trueColour) {
      // Clip the run to the source too, then copy it in one go.
      const int dx = srcRect.Left - dstRect.Left;
      const int x0 = std::max(visible.Left, -dx);
      const int x1 = std::min(visible.Right, src.Width() - dx);
      if (x0 >= x1) continue;
      if (rawCopy) {
        std::memcpy(drow + static_cast<size_t>(x0) * bpp, srow + static_cast<size_t>(x0 + dx) * bpp,
                    static_cast<size_t>(x1 - x0) * bpp);
        continue;
      }
      const int sbpp = src.BytesPerPixel();
      const uint8_t* sp = srow + static_cast<size_t>(x0 + dx) * sbpp;
      uint8_t* dp = drow + static_cast<size_t>(x0) * bpp;
      if (sbpp == 4)
        Pixels32To24(sp, dp, x1 - x0);
      else
        Pixels24To32(sp, dp, x1 - x0);
      continue;
    }
    for (int x = visible.Left; x < visible.Right; ++x) {
      const int sx = sameSize ? srcRect.Left + (x - dstRect.Left)
                              : srcRect.Left + static_cast<int>(static_cast<int64_t>(x - dstRect.Left) *
                                                                srcRect.Width() / dstRect.Width());
      if (sx < 0 || sx >= src.Width()) continue;
      WriteColor(dst, drow, x, ReadColor(src, srow, sx));
    }
  }
}

void DrawPicture(Picture& dst, int x, int y, const Picture& src) {
  CopyRect(dst, {x, y, x + src.Width(), y + src.Height()}, src, src.Bounds());
}

void DrawTransparent(Picture& dst, int x, int y, const Picture& src, uint32_t key) {
  const Rect visible = Rect{x, y, x + src.Width(), y + src.Height()}.Intersected(dst.Bounds());
  for (int dy = visible.Top; dy < visible.Bottom; ++dy) {
    const uint8_t* srow = src.Row(dy - y);
    uint8_t* drow = dst.Row(dy);
    for (int dx = visible.Left; dx < visible.Right; ++dx) {
      const uint32_t c = ReadColor(src, srow, dx - x);
      if (c != key) WriteColor(dst, drow, dx, c);
    }
  }
}

}  // namespace velmora
