#include "town/status_panel.h"
#include "app/form.h"
namespace velmora {
// PLACEHOLDER
int32_t StatusPanel::RightAlignX(int32_t, int32_t x) { return x; }
std::string StatusPanel::PartnerLabel(uint8_t) const { return {}; }
void StatusPanel::DrawStatusField(int, int32_t) {}
void StatusPanel::RefreshStatus(int) {}
}  // namespace velmora
