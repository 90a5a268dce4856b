#include "gfx/transitions.h"
#include "app/form.h"
namespace velmora {
// PLACEHOLDER
void Transitions::PlayTransition() { DrawPicture(form_.ImageBa.Bitmap, 0, 0, form_.BackBuffer); }
void Transitions::VerticalSoftWipe(int) {}
void Transitions::HorizontalSoftWipe(int) {}
bool Transitions::FramesMatch() { return true; }
}  // namespace velmora
