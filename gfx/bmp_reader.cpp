#include "gfx/bmp_reader.h"

#include <cstring>
#include <limits>
#include <string>

#include "app/game_error.h"

namespace velmora {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

[[noreturn]] void Invalid(int64_t at, const std::string& why) {
  throw GameError("ビットマップ イメージは有効ではありません: " + why + " (位置 " + std::to_string(at) + ")");
}

}  // namespace

Picture ReadBmp(FileStream& stream) {
  const int64_t start = stream.Position();
  if (stream.Remaining() < kFileHeaderSize + kInfoHeaderSize) Invalid(start, "ヘッダーが途中で切れています");

  uint8_t header[kFileHeaderSize + kInfoHeaderSize];
  stream.ReadExact(header, sizeof header, "ビットマップのヘッダー");
  if (header[0] != 'B' || header[1] != 'M') Invalid(start, "BM で始まっていません");
  const uint32_t pixelOffset = U32(header + 10);
  const uint8_t* info = header + kFileHeaderSize;
  const uint32_t infoSize = U32(info);
  const int32_t width = I32(info + 4);
  const int32_t rawHeight = I32(info + 8);
  const uint16_t planes = U16(info + 12);
  const uint16_t bitCount = U16(info + 14);
  const uint32_t compression = U32(info + 16);
  const uint32_t colorsUsed = U32(info + 32);

  if (infoSize != kInfoHeaderSize) Invalid(start, "情報ヘッダーの長さ " + std::to_string(infoSize) + " は扱えません");
  if (planes != 1) Invalid(start, "プレーン数が 1 ではありません");
  if (bitCount != 8 && bitCount != 24) Invalid(start, std::to_string(bitCount) + " ビットの絵は扱えません");
  if (compression != 0) Invalid(start, "圧縮された絵は扱えません");
  if (width <= 0) Invalid(start, "幅 " + std::to_string(width) + " は不正です");
  if (rawHeight == 0 || rawHeight == std::numeric_limits<int32_t>::min())
    Invalid(start, "高さ " + std::to_string(rawHeight) + " は不正です");
  const bool topDown = rawHeight < 0;
  const int32_t height = topDown ? -rawHeight : rawHeight;
  if (width > kMaxBmpDimension || height > kMaxBmpDimension)
    Invalid(start, std::to_string(width) + "x" + std::to_string(height) + " は大きすぎます");

  // An 8-bit picture always has a colour table (0 entries means 256); a 24-bit one may
  // carry an optional table that is skipped.
  const uint32_t paletteCount = (bitCount == 8 && colorsUsed == 0) ? 256 : colorsUsed;
  if (paletteCount > 256) Invalid(start, "色数 " + std::to_string(colorsUsed) + " は不正です");
  const int64_t paletteBytes = 4 * static_cast<int64_t>(paletteCount);
  const int64_t headersEnd = kFileHeaderSize + kInfoHeaderSize + paletteBytes;
  if (pixelOffset < headersEnd) Invalid(start, "画素データの位置がヘッダーと重なっています");

  const int64_t stride = ((static_cast<int64_t>(width) * bitCount + 31) / 32) * 4;
  const int64_t pixelBytes = stride * height;
  if (static_cast<int64_t>(pixelOffset) + pixelBytes > stream.Size() - start)
    Invalid(start, "画素データが途中で切れています");

  // Every row is read whole, padding included, or the picture is dropped with the error.
  Picture picture = Picture::Unfilled(width, height, bitCount == 8 ? PixelFormat::Indexed8 : PixelFormat::Bgr24);
  if (paletteCount > 0) {
    uint8_t table[256 * 4];
    stream.ReadExact(table, static_cast<size_t>(paletteBytes), "カラーテーブル");
    if (bitCount == 8)
      for (uint32_t i = 0; i < paletteCount; ++i)
        picture.Palette()[i] = table[4 * i] | (table[4 * i + 1] << 8) | (table[4 * i + 2] << 16);
  }

  stream.Seek(start + pixelOffset);
  for (int32_t i = 0; i < height; ++i) {
    const int y = topDown ? i : height - 1 - i;
    stream.ReadExact(picture.Row(y), static_cast<size_t>(stride), "画素データ");
  }
  return picture;
}

}  // namespace velmora
