#pragma once
// The demo content: every picture of the asset file drawn by code at its slot's size,
// an original scenario in Japanese, and four synthesised sound effects. It is generated
// at build time and never committed as binary.

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/picture.h"

namespace velmora {

// One picture per slot of AssetSlots(), in file order.
std::vector<Picture> DrawDemoPictures();
// The scenario script (UTF-8; the asset file holds it as Shift-JIS).
std::string DemoScript();
// The whole asset file.
std::vector<uint8_t> DemoAssetFile();
// Sound effect 1..4 as a WAV file.
std::vector<uint8_t> DemoSound(int id);
// Writes Dir/data/qelvart.red and Dir/wav/01.wav .. 04.wav.
void WriteDemoGameFolder(const std::string& dir);

}  // namespace velmora
