#include "town/calendar.h"

#include "app/form.h"
#include "gfx/sjis.h"

namespace velmora {

namespace {

// Adds to a 32-bit counter the way the original's unchecked integers did: wrapping,
// never undefined.
int32_t WrapAdd(int32_t value, int32_t delta) {
  return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(delta));
}

// Time-rule constants of the day.
constexpr uint8_t kFirstSlot = 1;         // 10:00
constexpr uint8_t kLateFirstSlot = 20;    // 13:10, after a day ended with no points left
constexpr uint8_t kWalkOverSlot = 44;     // reads "00 : 00"
constexpr uint8_t kNightSlot = 45;        // reads "02 : 00"
constexpr uint8_t kWalkEndsSlot = 43;     // 17:00
constexpr int32_t kDailyRestore = 100;
constexpr int32_t kPointCap = 200;
constexpr int32_t kWalkHomeCost = 10;

}  // namespace

std::string Calendar::ClockText(uint8_t slot) {
  const int s = slot;  // widened to a signed integer, as the original read it
  if (s == kWalkOverSlot) return "00 : 00";
  if (s == kNightSlot) return "02 : 00";
  const int hour = 10 + (s - 1) / 6;
  // A 12-hour clock with a leading zero after noon; it was never meant for hours past
  // 21, which come out with three digits ("010").
  std::string text = hour <= 12 ? "" : "0";
  text += std::to_string(hour <= 12 ? hour : hour - 12);
  text += " : ";
  static constexpr const char* kMinutes[6] = {"00", "10", "20", "30", "40", "50"};
  const int rest = (s - 1) % 6;  // slot 0 gives -1, which reads as the full hour
  text += kMinutes[rest < 0 ? 0 : rest];
  return text;
}

std::string Calendar::WeekdayText(int32_t day) {
  // The prologue (day 0) is shown as the first day, a Monday.
  return WeekdayName(day == 0 ? 1 : day);
}

std::string Calendar::WeekdayName(int32_t d) {
  // Days only count up from 0; a negative remainder would index before the table.
  if (d < 0) ThrowRangeError("曜日", d);
  return Sjis(WeekdayNames[static_cast<size_t>(d % 7)]);
}

void Calendar::AdvanceTime(uint32_t mode) {
  GameState& s = form_.State;
  switch (mode) {
    case 0:  // the walk is over
      s.TimeSlot = kWalkOverSlot;
      break;
    case 1:  // bedtime: the day counter moves on
      s.DayCount = WrapAdd(s.DayCount, 1);
      s.TimeSlot = kNightSlot;
      break;
    case 2:
      StartDay();
      break;
    case 3: {  // a move, paid while CurrentPlace is still the place being left
      const int32_t cost = form_.Town.MoveCost(s.TargetPlace);
      s.Points = WrapAdd(s.Points, -cost);
      s.TimeSlot = static_cast<uint8_t>(s.TimeSlot + cost / 10);
      break;
    }
    case 5:  // walking home at night from somewhere else
      s.Points = WrapAdd(s.Points, -kWalkHomeCost);
      break;
    default:  // 4 and anything above 5 do nothing
      break;
  }
}

void Calendar::StartDay() {
  GameState& s = form_.State;
  // A night that ended with no points left means sleeping in: the day starts at 13:10.
  s.TimeSlot = s.Points > 0 ? kFirstSlot : kLateFirstSlot;
  s.CurrentPlace = 1;
  s.TargetPlace = 0;
  s.Points = WrapAdd(s.Points, kDailyRestore);
  if (s.Points > kPointCap) s.Points = kPointCap;
  for (int place = 1; place <= 16; ++place)
    if (s.PlaceOpen[place] > 1) --s.PlaceOpen[place];
  // Heroine 1's route closes the day after her wait has run out with event 8 unplayed;
  // this looks at the wait before it is lowered below.
  if (s.HeroineWait[1] == 0 && s.EventState[8] == 1) {
    s.EventState[8] = 2;
    s.EventState[14] = 1;
  }
  // Only heroines 1 and 2 lose gauge; a gauge above 0 never falls back to 0 this way.
  for (int heroine = 1; heroine <= 2; ++heroine) {
    int32_t& gauge = s.HeroineGauge[heroine - 1];
    if (s.HeroineWait[heroine] == 0 && gauge > 0) {
      gauge -= 10;
      if (gauge <= 0) gauge = 1;
    }
  }
  for (int32_t& wait : s.HeroineWait)
    if (wait > 0) --wait;
}

std::string Calendar::TownMessage(int phase) const {
  const GameState& s = form_.State;
  switch (phase) {
    case 0:
      return s.Points > 100 ? Sjis("今日はどこへ行こうかな。") : Sjis("もう、お昼だ。寝過ぎた～っ！！");
    case 5:
      if (s.CurrentPlace == 1) return Sjis("今日は終了だ。");
      if (s.TimeSlot >= kWalkEndsSlot) return Sjis("もうこんな時間か。今日の散歩は終了だ。");
      return Sjis("今日の散歩は終了だ。");
    case 6:
      return s.Points > 0 ? Sjis("もう寝よう。") : Sjis("今日は疲れたなぁ。もう寝よう。");
    case 7:
      return Sjis("ZZZZZ・・・・・");
    default:
      return {};
  }
}

}  // namespace velmora
