#pragma once
// Every slot of the asset file as the tools see it: offset, length, and the picture that
// must fill it. The builder refuses pictures that do not fit; the checker reports slot by
// slot; the demo generator draws one picture for each.

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

struct AssetSlot {
  int32_t Offset;
  int32_t Length;   // BMP file length in bytes
  int Width;        // 0: any size whose length fits (the opening logo, TownSprites)
  int Height;
  int BitCount;     // 8 or 24
  const char* Name; // file name in a picture folder, and the slot's name in reports
};

// The slots in file order; each offset plus its length is the next offset, and the last
// one ends at ScriptOffset.
const std::vector<AssetSlot>& AssetSlots();

// Length of a BMP file of the given size and depth (8-bit with a 256-entry palette).
int64_t BmpFileLength(int width, int height, int bitCount);

}  // namespace velmora
