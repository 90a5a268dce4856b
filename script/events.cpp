#include "script/events.h"
#include "app/form.h"
namespace velmora {
// PLACEHOLDER
void Events::ChooseEvent() {}
bool Events::PartnerAvailable(int) const { return true; }
void Events::FinishEvent() {}
void Events::ShowEnding(int) {}
}  // namespace velmora
