#pragma once
// Building an asset file from one BMP per slot and a script, and checking an existing
// file slot by slot. Both speak in plain words about what does not fit.

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/asset_layout.h"

namespace velmora {

// What is wrong with one BMP for one slot; empty when it fits.
std::string SlotProblem(const AssetSlot& slot, const std::vector<uint8_t>& bmp);

// Concatenates the pictures (one per slot, in AssetSlots() order) and the script bytes.
// Raises GameError naming every slot that does not fit.
std::vector<uint8_t> BuildAssetFile(const std::vector<std::vector<uint8_t>>& pictures,
                                    const std::string& scriptBytes);

struct SlotReport {
  std::string Name;
  int32_t Offset;
  std::string Problem;  // empty: fine
};

// One report per slot and one for the script.
std::vector<SlotReport> CheckAssetFile(const std::vector<uint8_t>& file);

}  // namespace velmora
