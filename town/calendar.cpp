#include "town/calendar.h"
#include "app/form.h"
namespace velmora {
// PLACEHOLDER
std::string Calendar::ClockText(uint8_t) { return {}; }
std::string Calendar::WeekdayText(int32_t) { return {}; }
void Calendar::AdvanceTime(uint32_t) {}
std::string Calendar::TownMessage(int) const { return {}; }
void Calendar::StartDay() {}
}  // namespace velmora
