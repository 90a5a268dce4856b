#pragma once
// The demo pictures, drawn once per test program, looked up by slot name, and small
// pixel helpers for the checks.

#include <cstdint>
#include <string>

#include "gfx/geometry.h"
#include "gfx/picture.h"

namespace velmora::testing {

// The demo picture of the slot with this name.
const Picture& DemoPicture(const std::string& slotName);
// A copy of Area of Picture, as the game cuts sprites.
Picture Cut(const Picture& picture, const Rect& area);
// True when every pixel of Key in Cell can be reached from the cell's edge through
// pixels of Key: a drawn sprite then shows the figure whole, without punched holes.
bool KeyOnlyAroundTheFigure(const Picture& cell, uint32_t key);
// How many pixels of Area differ from Other's pixels in the same place.
int DifferingPixels(const Picture& a, const Picture& b);
// Luma 0..255 of a 0xRRGGBB colour.
int Luma(uint32_t color);

}  // namespace velmora::testing
