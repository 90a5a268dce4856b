#pragma once
// Writes a picture as a Windows BMP file (24 bits, or 8 bits with its 256-entry palette),
// bottom row first, exactly as the game's asset file holds its pictures.

#include <cstdint>
#include <vector>

#include "gfx/picture.h"

namespace velmora {

std::vector<uint8_t> WriteBmp(const Picture& picture);

}  // namespace velmora
