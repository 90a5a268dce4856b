#include "tools/slot_pictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <algorithm>
#include <cstdio>

#include "app/game_error.h"
#include "gfx/bmp_reader.h"
#include "gfx/file_stream.h"
#include "gfx/picture.h"
#include "tools/bmp_writer.h"

namespace velmora {

namespace {

std::string SizeText(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

std::string ColorText(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", rgb & 0xFFFFFFu);
  return text;
}

// A picture of the slot's depth from true colours (0x00RRGGBB by pixel); masks take each
// pixel's grey level as their blend weight.
Picture SlotPicture(const AssetSlot& slot, int width, int height, const std::string& name, auto&& colorAt) {
  if (width != slot.Width || height != slot.Height)
    throw GameError(name + " is " + SizeText(width, height) + " pixels; the slot " + slot.Name + " needs " +
                    SizeText(slot.Width, slot.Height));
  if (slot.BitCount == 8) {
    Picture mask(width, height, PixelFormat::Indexed8);
    for (int i = 0; i < 256; ++i) mask.Palette()[static_cast<size_t>(i)] = static_cast<uint32_t>(i) * 0x010101u;
    for (int y = 0; y < height; ++y) {
      uint8_t* row = mask.Row(y);
      for (int x = 0; x < width; ++x) {
        const uint32_t c = colorAt(x, y);
        const uint32_t r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
        if (r != g || g != b)
          throw GameError(name + " is not grey: the pixel at (" + std::to_string(x) + ", " + std::to_string(y) +
                          ") is " + ColorText(c) + ". A portrait mask is a greyscale picture whose grey levels say "
                          "how much of the portrait shows");
        row[x] = static_cast<uint8_t>(r);
      }
    }
    return mask;
  }
  Picture picture(width, height, PixelFormat::Bgr24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.SetPixelColor(x, y, colorAt(x, y));
  return picture;
}

}  // namespace

std::vector<uint8_t> SlotBmpFromPictureFile(const AssetSlot& slot, const std::vector<uint8_t>& file,
                                            const std::string& name) {
  if (file.size() >= 2 && file[0] == 'B' && file[1] == 'M') {
    Picture source;
    try {
      auto stream = FileStream::FromBytes(file);
      source = ReadBmp(*stream);
    } catch (const GameError& e) {
      throw GameError(name + " is not a BMP picture the game can read: " + e.what());
    }
    return WriteBmp(SlotPicture(slot, source.Width(), source.Height(), name,
                                [&](int x, int y) { return source.PixelColor(x, y); }));
  }
  QImage image = QImage::fromData(QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                                          static_cast<qsizetype>(file.size())));
  if (image.isNull()) throw GameError(name + " is neither a PNG nor a BMP picture that can be read");
  // Grey pictures are read byte for byte, so no colour conversion can touch a blend weight.
  if (image.format() != QImage::Format_Grayscale8) image = image.convertToFormat(QImage::Format_ARGB32);
  const bool grey = image.format() == QImage::Format_Grayscale8;
  const auto colorAt = [&](int x, int y) -> uint32_t {
    if (grey) return image.constScanLine(y)[x] * 0x010101u;
    const QRgb c = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
    if (qAlpha(c) != 255)
      throw GameError(name + " has see-through pixels, the first at (" + std::to_string(x) + ", " + std::to_string(y) +
                      "); the game's pictures have none (sprites leave out the colour of their top-left pixel "
                      "instead): flatten the picture onto a background");
    return c & 0xFFFFFFu;
  };
  return WriteBmp(SlotPicture(slot, image.width(), image.height(), name, colorAt));
}

std::vector<uint8_t> SlotPng(const AssetSlot& slot, const std::vector<uint8_t>& bmp, bool& greyPalette) {
  auto stream = FileStream::FromBytes(bmp);
  const Picture picture = ReadBmp(*stream);
  greyPalette = true;
  QImage image;
  if (picture.Format() == PixelFormat::Indexed8) {
    for (int i = 0; i < 256; ++i)
      greyPalette = greyPalette && picture.Palette()[static_cast<size_t>(i)] == static_cast<uint32_t>(i) * 0x010101u;
    image = QImage(picture.Width(), picture.Height(), QImage::Format_Grayscale8);
    for (int y = 0; y < picture.Height(); ++y)
      std::copy_n(picture.Row(y), picture.Width(), image.scanLine(y));
  } else {
    image = QImage(picture.Width(), picture.Height(), QImage::Format_RGB888);
    for (int y = 0; y < picture.Height(); ++y) {
      uint8_t* out = image.scanLine(y);
      for (int x = 0; x < picture.Width(); ++x) {
        const uint32_t c = picture.PixelColor(x, y);
        out[3 * x] = static_cast<uint8_t>(c >> 16);
        out[3 * x + 1] = static_cast<uint8_t>(c >> 8);
        out[3 * x + 2] = static_cast<uint8_t>(c);
      }
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw GameError(std::string("cannot write ") + slot.Name + " as PNG");
  return {bytes.begin(), bytes.end()};
}

}  // namespace velmora
