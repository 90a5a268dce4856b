#include "gfx/cg_display.h"
#include "app/form.h"
namespace velmora {
// PLACEHOLDER
void CgDisplay::ShowCg() {}
void CgDisplay::CG_TimerTimer() {}
void CgDisplay::FinishCgPan() {}
void CgDisplay::DrawUnseenCgSlots() {}
}  // namespace velmora
