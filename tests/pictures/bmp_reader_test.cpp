#include <gtest/gtest.h>

#include "app/game_error.h"
#include "gfx/bmp_reader.h"
#include "tools/bmp_corpus.h"

namespace velmora {
namespace {

using velmora::MalformedBmpCorpus;
using velmora::Put32At;
using velmora::ValidBmp;

Picture Read(std::vector<uint8_t> bytes, int64_t at = 0) {
  auto stream = FileStream::FromBytes(std::move(bytes));
  stream->Seek(at);
  return ReadBmp(*stream);
}

TEST(BmpReader, ReadsTwentyFourBitRowsBottomUpWithPadding) {
  // 5 pixels of 3 bytes pad each row to 16 bytes; the writer's pattern must come back.
  const Picture p = Read(ValidBmp(5, 3, 24));
  ASSERT_EQ(p.Width(), 5);
  ASSERT_EQ(p.Height(), 3);
  EXPECT_EQ(p.Format(), PixelFormat::Bgr24);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(p.PixelColor(x, y), static_cast<uint32_t>((x * 5) | ((y * 3) << 8) | 0x400000)) << x << "," << y;
}

TEST(BmpReader, ReadsEightBitPicturesWithTheirPaletteAndRawIndexes) {
  const Picture p = Read(ValidBmp(6, 4, 8));
  ASSERT_EQ(p.Format(), PixelFormat::Indexed8);
  EXPECT_EQ(p.Row(2)[3], (3 + 14) & 0xFF);
  EXPECT_EQ(p.PixelColor(3, 2), 17u * 0x010101u);
}

TEST(BmpReader, ReadsAtTheStreamPositionAndTopDownPictures) {
  std::vector<uint8_t> file(100, 0xAB);
  std::vector<uint8_t> bmp = ValidBmp(4, 2, 24);
  file.insert(file.end(), bmp.begin(), bmp.end());
  EXPECT_EQ(Read(file, 100).Width(), 4);

  // A negative height stores the top row first.
  std::vector<uint8_t> topDown = ValidBmp(4, 2, 24);
  Put32At(topDown, 22, static_cast<uint32_t>(-2));
  const Picture flipped = Read(topDown);
  const Picture normal = Read(ValidBmp(4, 2, 24));
  EXPECT_EQ(flipped.PixelColor(1, 0), normal.PixelColor(1, 1));
}

TEST(BmpReader, EightBitPixelsBeyondASmallPaletteReadBlackNotOutsideIt) {
  std::vector<uint8_t> bmp = ValidBmp(6, 4, 8);
  Put32At(bmp, 46, 3);  // three palette entries...
  // ...so the pixel data moves up to right after them.
  std::vector<uint8_t> shrunk(bmp.begin(), bmp.begin() + 54 + 12);
  shrunk.insert(shrunk.end(), bmp.begin() + 54 + 1024, bmp.end());
  Put32At(shrunk, 10, 54 + 12);
  shrunk[54 + 12 + 2] = 200;  // bottom row, third pixel: index 200
  const Picture p = Read(shrunk);
  EXPECT_EQ(p.Row(3)[2], 200);
  EXPECT_EQ(p.PixelColor(2, 3), kBlack);
}

TEST(BmpReader, RefusesEveryMalformedPictureWithAPlainError) {
  for (const auto& bad : MalformedBmpCorpus()) {
    try {
      Read(bad.Bytes);
      ADD_FAILURE() << bad.Name << " was accepted";
    } catch (const GameError& e) {
      EXPECT_NE(std::string(e.what()).find("ビットマップ"), std::string::npos) << bad.Name << ": " << e.what();
    }
  }
}

}  // namespace
}  // namespace velmora
