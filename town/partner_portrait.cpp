#include "town/partner_portrait.h"
#include "app/form.h"
namespace velmora {
// PLACEHOLDER
void PartnerPortrait::DrawPartnerPortrait(int, bool, int) {}
}  // namespace velmora
