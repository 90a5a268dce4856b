#pragma once
// Days and the clock: the clock text, weekdays, how time and points move with a move,
// the night sequence and the day-start bookkeeping, and the player's remarks.

#include <array>
#include <cstdint>
#include <string>

namespace velmora {

class TForm1;

// Sunday first (UTF-8; drawn as Shift-JIS).
inline constexpr std::array<const char*, 7> WeekdayNames = {"日", "月", "火", "水", "木", "金", "土"};

class Calendar {
 public:
  explicit Calendar(TForm1& form) : form_(form) {}

  // "10 : 00" for slot 1; 44 and 45 read "00 : 00" and "02 : 00".
  static std::string ClockText(uint8_t slot);
  // Weekday of day d (day 0 reads as day 1), Shift-JIS.
  static std::string WeekdayText(int32_t day);
  // WeekdayNames[d mod 7] as Shift-JIS; a negative d names no weekday and raises.
  static std::string WeekdayName(int32_t d);
  // 0 walk over, 1 night, 2 day start, 3 move to TargetPlace, 4 nothing,
  // 5 walk home at night; larger values do nothing.
  void AdvanceTime(uint32_t mode);
  // The remark for a town phase (Shift-JIS), empty for phases without one.
  std::string TownMessage(int phase) const;

 private:
  void StartDay();
  TForm1& form_;
};

}  // namespace velmora
