#include "gfx/blend.h"
namespace velmora {
// PLACEHOLDER
uint8_t BlendLevelByte(int, uint8_t, uint8_t n) { return n; }
void BlendLevelRow(int, const uint8_t*, const uint8_t*, uint8_t*, size_t) {}
void MultiplyBlend(Picture&, const Picture&) {}
void AlphaMaskBlend(Picture&, Point, const Picture&, Picture&) {}
}  // namespace velmora
