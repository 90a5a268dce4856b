#include "platform/qt/picture_image.h"

#include <cstdint>

namespace velmora {

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
    switch (picture.Format()) {
      case PixelFormat::Bgrx32: {
        const uint8_t* px = in + 4 * first;
        for (int i = 0; i < count; ++i, px += 4)
          out[i] = 0xFF000000u | px[0] | (uint32_t{px[1]} << 8) | (uint32_t{px[2]} << 16);
        break;
      }
      case PixelFormat::Bgr24: {
        const uint8_t* px = in + 3 * first;
        for (int i = 0; i < count; ++i, px += 3)
          out[i] = 0xFF000000u | px[0] | (uint32_t{px[1]} << 8) | (uint32_t{px[2]} << 16);
        break;
      }
      case PixelFormat::Indexed8:
        for (int i = 0; i < count; ++i) out[i] = 0xFF000000u | picture.Palette()[in[first + i]];
        break;
    }
  }
  return area;
}

}  // namespace velmora
