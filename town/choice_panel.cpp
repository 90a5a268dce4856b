#include "town/choice_panel.h"
#include "app/form.h"
namespace velmora {
// PLACEHOLDER
int32_t Choices::ChoiceOptionAt(int32_t, int32_t) const { return 0; }
void Choices::ChoicePanel(int32_t) {}
}  // namespace velmora
