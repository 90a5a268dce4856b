#include "tools/bmp_writer.h"

#include <cstring>

namespace velmora {

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> WriteBmp(const Picture& source) {
  Picture picture = source;
  if (picture.Format() == PixelFormat::Bgrx32) picture.Convert(PixelFormat::Bgr24);
  const bool indexed = picture.Format() == PixelFormat::Indexed8;
  const uint32_t paletteBytes = indexed ? 1024 : 0;
  const uint32_t headers = 54 + paletteBytes;
  const uint32_t pixelBytes = static_cast<uint32_t>(picture.Stride()) * static_cast<uint32_t>(picture.Height());
  std::vector<uint8_t> out(headers + pixelBytes, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, headers + pixelBytes);
  Put32(out, 10, headers);
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<uint32_t>(picture.Width()));
  Put32(out, 22, static_cast<uint32_t>(picture.Height()));
  Put16(out, 26, 1);
  Put16(out, 28, indexed ? 8 : 24);
  Put32(out, 34, pixelBytes);
  Put32(out, 38, 2835);
  Put32(out, 42, 2835);
  if (indexed) {
    for (int i = 0; i < 256; ++i) {
      const uint32_t c = picture.Palette()[static_cast<size_t>(i)];
      out[54 + 4 * i] = static_cast<uint8_t>(c);
      out[55 + 4 * i] = static_cast<uint8_t>(c >> 8);
      out[56 + 4 * i] = static_cast<uint8_t>(c >> 16);
    }
  }
  for (int y = 0; y < picture.Height(); ++y)
    std::memcpy(out.data() + headers + static_cast<size_t>(picture.Height() - 1 - y) * picture.Stride(),
                picture.Row(y), static_cast<size_t>(picture.Stride()));
  return out;
}

}  // namespace velmora
