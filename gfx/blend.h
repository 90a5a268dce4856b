#pragma once
// Pixel arithmetic of the wipes, the panels and the portraits: whole rows as packed
// 32-bit words with shifts and masks, four bytes at a time.

#include <cstddef>
#include <cstdint>

#include "gfx/geometry.h"
#include "gfx/picture.h"

namespace velmora {

// Level 0..7 of old and new bytes; level k gives the new picture the weight (8 - k) / 8.
// Any other level raises the game's error.
uint8_t BlendLevelByte(int level, uint8_t oldValue, uint8_t newValue);
// The same for Words packed words (four bytes each) of two rows; level 0 is a copy.
void BlendLevelRow(int level, const uint8_t* oldRow, const uint8_t* newRow, uint8_t* out, size_t words);

// Each channel of Scene becomes Scene x Mask div 255; both 32-bit and of one size (else
// the game's error).
void MultiplyBlend(Picture& scene, const Picture& mask);

// Blends Source into Dest with Source's top-left at At, weighted by the 8-bit Mask's
// bytes (0 keeps Dest, 255 takes Source). Dest and Source become 32-bit unless they do
// not overlap. Pixels the mask does not cover keep Dest.
void AlphaMaskBlend(Picture& dest, Point at, const Picture& mask, Picture& source);

}  // namespace velmora
