#pragma once
// Pictures for the asset file's slots as editors know them: any picture file QtGui reads
// (PNG above all) or a BMP, turned into the exact BMP a slot holds (24 bits, or 8 bits
// with a grey colour table for the portrait masks), and each slot's BMP back out as a
// lossless PNG (the masks as 8-bit greyscale, their grey levels the blend weights).

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/asset_layout.h"

namespace velmora {

// The slot's BMP from the bytes of a picture file named Name (for messages). Raises
// GameError in plain words: not a picture, the wrong size, see-through pixels, a mask
// that is not grey.
std::vector<uint8_t> SlotBmpFromPictureFile(const AssetSlot& slot, const std::vector<uint8_t>& file,
                                            const std::string& name);

// A slot's BMP (as the asset file holds it) as PNG bytes. Raises GameError when the BMP
// cannot be read. Sets GreyPalette false when a mask's colour table is not plain grey:
// the PNG keeps the blend weights, and a rebuilt file gets a grey table.
std::vector<uint8_t> SlotPng(const AssetSlot& slot, const std::vector<uint8_t>& bmp, bool& greyPalette);

}  // namespace velmora
