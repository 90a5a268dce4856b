// Fuzz target: one BMP read from arbitrary bytes must succeed or raise the game's error.
#include <cstddef>
#include <cstdint>

#include "app/game_error.h"
#include "gfx/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto stream = velmora::FileStream::FromBytes(std::vector<uint8_t>(data, data + size));
  try {
    velmora::Picture picture = velmora::ReadBmp(*stream);
    // Touch every pixel through the palette, as drawing would.
    uint32_t sum = 0;
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x) sum += picture.PixelColor(x, y);
    (void)sum;
  } catch (const velmora::GameError&) {
  }
  return 0;
}
