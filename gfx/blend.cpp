#include "gfx/blend.h"

#include <cstring>

#include "app/game_error.h"

namespace velmora {

namespace {

// The four bytes of a word divided by 8, 4 or 2: the shift lets the low bits of each
// byte fall into the byte below, the mask clears them again.
constexpr uint32_t Eighth(uint32_t w) { return (w >> 3) & 0x1F1F1F1Fu; }
constexpr uint32_t Quarter(uint32_t w) { return (w >> 2) & 0x3F3F3F3Fu; }
constexpr uint32_t Half(uint32_t w) { return (w >> 1) & 0x7F7F7F7Fu; }

// One packed word at level 1..7. The terms are added and subtracted in the order of the
// level table, so no partial result leaves 0..255 in any byte and nothing carries or
// borrows across a byte boundary.
template <int Level>
constexpr uint32_t BlendWord(uint32_t o, uint32_t n) {
  if constexpr (Level == 1) return n - Eighth(n) + Eighth(o);
  if constexpr (Level == 2) return n - Quarter(n) + Quarter(o);
  if constexpr (Level == 3) return n - Eighth(n) - Quarter(n) + Eighth(o) + Quarter(o);
  if constexpr (Level == 4) return o - Half(o) + Half(n);
  if constexpr (Level == 5) return o - Eighth(o) - Quarter(o) + Eighth(n) + Quarter(n);
  if constexpr (Level == 6) return o - Quarter(o) + Quarter(n);
  if constexpr (Level == 7) return o - Eighth(o) + Eighth(n);
  return n;
}

template <int Level>
void BlendWords(const uint8_t* oldRow, const uint8_t* newRow, uint8_t* out, size_t words) {
  // Rows of 24-bit pictures are only byte-aligned in general: move words with memcpy,
  // which the compiler turns into plain loads and stores.
  for (size_t i = 0; i < words; ++i) {
    uint32_t o, n;
    std::memcpy(&o, oldRow + 4 * i, 4);
    std::memcpy(&n, newRow + 4 * i, 4);
    const uint32_t r = BlendWord<Level>(o, n);
    std::memcpy(out + 4 * i, &r, 4);
  }
}

[[noreturn]] void ThrowBadLevel(int level) { ThrowRangeError("ブレンド段階", level); }

}  // namespace

uint8_t BlendLevelByte(int level, uint8_t oldValue, uint8_t newValue) {
  const int o = oldValue, n = newValue;
  switch (level) {
    case 0: return static_cast<uint8_t>(n);
    case 1: return static_cast<uint8_t>(n - n / 8 + o / 8);
    case 2: return static_cast<uint8_t>(n - n / 4 + o / 4);
    case 3: return static_cast<uint8_t>(n - n / 8 - n / 4 + o / 8 + o / 4);
    case 4: return static_cast<uint8_t>(o - o / 2 + n / 2);
    case 5: return static_cast<uint8_t>(o - o / 8 - o / 4 + n / 8 + n / 4);
    case 6: return static_cast<uint8_t>(o - o / 4 + n / 4);
    case 7: return static_cast<uint8_t>(o - o / 8 + n / 8);
    default: ThrowBadLevel(level);
  }
}

void BlendLevelRow(int level, const uint8_t* oldRow, const uint8_t* newRow, uint8_t* out, size_t words) {
  switch (level) {
    case 0: std::memcpy(out, newRow, 4 * words); break;  // entirely new: a plain copy
    case 1: BlendWords<1>(oldRow, newRow, out, words); break;
    case 2: BlendWords<2>(oldRow, newRow, out, words); break;
    case 3: BlendWords<3>(oldRow, newRow, out, words); break;
    case 4: BlendWords<4>(oldRow, newRow, out, words); break;
    case 5: BlendWords<5>(oldRow, newRow, out, words); break;
    case 6: BlendWords<6>(oldRow, newRow, out, words); break;
    case 7: BlendWords<7>(oldRow, newRow, out, words); break;
    default: ThrowBadLevel(level);
  }
}

void MultiplyBlend(Picture& scene, const Picture& mask) {
  if (scene.Format() != PixelFormat::Bgrx32 || mask.Format() != PixelFormat::Bgrx32 ||
      scene.Width() != mask.Width() || scene.Height() != mask.Height())
    throw GameError("乗算する画像の形式が一致しません");
  const int width = scene.Width();
  for (int y = 0; y < scene.Height(); ++y) {
    uint8_t* s = scene.Row(y);
    const uint8_t* m = mask.Row(y);
    for (int x = 0; x < width; ++x, s += 4, m += 4) {
      // Blue, green, red; the fourth byte is left as it is.
      s[0] = static_cast<uint8_t>(s[0] * m[0] / 255);
      s[1] = static_cast<uint8_t>(s[1] * m[1] / 255);
      s[2] = static_cast<uint8_t>(s[2] * m[2] / 255);
    }
  }
}

void AlphaMaskBlend(Picture& dest, Point at, const Picture& mask, Picture& source) {
  const Rect sourceOnDest = source.Bounds().Moved(at.X, at.Y);
  const Rect overlap = dest.Bounds().Intersected(sourceOnDest);
  if (overlap.IsEmpty()) return;  // nothing to blend, and nothing is converted either
  // The mask's bytes are the weights themselves, so it has to be an 8-bit picture.
  if (mask.Format() != PixelFormat::Indexed8) throw GameError("マスク画像が 8 ビットではありません");
  dest.Convert(PixelFormat::Bgrx32);
  source.Convert(PixelFormat::Bgrx32);
  // A mask smaller than its portrait would be read past its end; the part it does not
  // cover counts as weight 0 and keeps Dest.
  const Rect masked = overlap.Moved(-at.X, -at.Y).Intersected(mask.Bounds());
  for (int y = masked.Top; y < masked.Bottom; ++y) {
    const uint8_t* weights = mask.Row(y);
    const uint8_t* src = source.Row(y);
    uint8_t* dst = dest.Row(y + at.Y);
    for (int x = masked.Left; x < masked.Right; ++x) {
      const int a = weights[x];
      if (a == 0) continue;
      const uint8_t* s = src + 4 * static_cast<size_t>(x);
      uint8_t* d = dst + 4 * static_cast<size_t>(x + at.X);
      for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>(((255 - a) * d[c] + a * s[c]) / 255);
    }
  }
}

}  // namespace velmora
