#include "tools/bmp_corpus.h"

#include "gfx/picture.h"
#include "tools/bmp_writer.h"

namespace velmora {

std::vector<uint8_t> ValidBmp(int width, int height, int bitCount) {
  Picture p(width, height, bitCount == 8 ? PixelFormat::Indexed8 : PixelFormat::Bgr24);
  if (bitCount == 8)
    for (int i = 0; i < 256; ++i) p.Palette()[static_cast<size_t>(i)] = static_cast<uint32_t>(i) * 0x010101u;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      p.SetPixelColor(x, y, bitCount == 8 ? static_cast<uint32_t>((x + 7 * y) & 0xFF)
                                          : static_cast<uint32_t>((x * 5) & 0xFF) | (((y * 3) & 0xFF) << 8) | 0x400000u);
  return WriteBmp(p);
}

void Put16At(std::vector<uint8_t>& bmp, size_t offset, uint16_t value) {
  bmp[offset] = static_cast<uint8_t>(value);
  bmp[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32At(std::vector<uint8_t>& bmp, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bmp[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

std::vector<BadBmp> MalformedBmpCorpus() {
  std::vector<BadBmp> corpus;
  const std::vector<uint8_t> base24 = ValidBmp(5, 3, 24);
  const std::vector<uint8_t> base8 = ValidBmp(6, 4, 8);
  auto add = [&](std::string name, std::vector<uint8_t> bytes) { corpus.push_back({std::move(name), std::move(bytes)}); };
  auto with32 = [&](const std::vector<uint8_t>& base, size_t at, uint32_t v) {
    std::vector<uint8_t> b = base;
    Put32At(b, at, v);
    return b;
  };
  auto with16 = [&](const std::vector<uint8_t>& base, size_t at, uint16_t v) {
    std::vector<uint8_t> b = base;
    Put16At(b, at, v);
    return b;
  };

  // Cut off at every header byte, inside the palette and inside the last row.
  for (size_t n = 0; n < 54; ++n) add("truncated header at " + std::to_string(n), {base24.begin(), base24.begin() + n});
  for (size_t n : {55u, 300u, 1077u}) add("truncated palette at " + std::to_string(n), {base8.begin(), base8.begin() + n});
  add("truncated last row 24", {base24.begin(), base24.end() - 1});
  add("truncated last row 8", {base8.begin(), base8.end() - 3});
  add("empty", {});
  add("not BM", with16(base24, 0, 0x4D42 ^ 0x0101));

  add("width 0", with32(base24, 18, 0));
  add("width negative", with32(base24, 18, static_cast<uint32_t>(-5)));
  add("width huge", with32(base24, 18, 0x7FFFFFFF));
  add("width 0x40000001 at 24 bits", with32(base24, 18, 0x40000001));
  add("height 0", with32(base24, 22, 0));
  add("height INT32_MIN", with32(base24, 22, 0x80000000u));
  {
    std::vector<uint8_t> b = with32(base24, 18, 32768);
    Put32At(b, 22, 32769);
    add("32768x32769", b);
  }
  {
    std::vector<uint8_t> b = with32(base24, 18, 20000);
    Put32At(b, 22, 20000);
    b.resize(60);
    add("20000x20000 in 60 bytes", b);
  }
  for (uint32_t size : {0u, 12u, 39u, 41u}) add("header size " + std::to_string(size), with32(base24, 14, size));
  for (uint16_t bits : {0, 1, 4, 7, 16, 32}) add("bit depth " + std::to_string(bits), with16(base24, 28, bits));
  add("planes 0", with16(base24, 26, 0));
  for (uint32_t c = 1; c <= 4; ++c) add("compression " + std::to_string(c), with32(base24, 30, c));
  add("palette 257", with32(base8, 46, 257));
  add("palette 0xFFFFFFFF", with32(base8, 46, 0xFFFFFFFF));
  add("pixel offset before the header", with32(base24, 10, 20));
  add("pixel offset before the palette end", with32(base8, 10, 54 + 512));
  add("pixel offset past the end", with32(base24, 10, static_cast<uint32_t>(base24.size() + 10)));
  add("pixel offset 0xFFFFFFFF", with32(base24, 10, 0xFFFFFFFF));
  return corpus;
}

}  // namespace velmora
