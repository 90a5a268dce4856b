#include <gtest/gtest.h>

#include <cstdio>

#include "gfx/sjis.h"
#include "town/town_fixture.h"

namespace velmora {
namespace {

using testing::TownGame;

// The clock as a person reads it: slot s is 10:00 plus 10 minutes per slot, shown on a
// 12-hour dial whose afternoon hours carry a leading zero.
std::string ReadClock(int s) {
  if (s == 44) return "00 : 00";
  if (s == 45) return "02 : 00";
  const int minutes = 600 + 10 * (s - 1);  // slot 0 is ten minutes before ten, read as ten
  const int hour = s == 0 ? 10 : minutes / 60;
  const int minute = s == 0 ? 0 : minutes % 60;
  char text[32];
  if (hour <= 12)
    std::snprintf(text, sizeof text, "%d : %02d", hour, minute);
  else
    std::snprintf(text, sizeof text, "0%d : %02d", hour - 12, minute);
  return text;
}

TEST(Calendar, ClockTextForEverySlot) {
  for (int s = 0; s <= 255; ++s) EXPECT_EQ(Calendar::ClockText(static_cast<uint8_t>(s)), ReadClock(s)) << s;
  const std::pair<int, const char*> examples[] = {{1, "10 : 00"},  {2, "10 : 10"},  {13, "12 : 00"},
                                                  {19, "01 : 00"}, {20, "01 : 10"}, {43, "05 : 00"},
                                                  {44, "00 : 00"}, {45, "02 : 00"}, {46, "05 : 30"},
                                                  {55, "07 : 00"}, {0, "10 : 00"},  {79, "011 : 00"}};
  for (const auto& [slot, text] : examples) EXPECT_EQ(Calendar::ClockText(static_cast<uint8_t>(slot)), text) << slot;
}

TEST(Calendar, WeekdaysStartOnMondayAndDayZeroReadsAsDayOne) {
  EXPECT_EQ(Calendar::WeekdayText(0), Sjis("月"));
  EXPECT_EQ(Calendar::WeekdayText(1), Sjis("月"));
  EXPECT_EQ(Calendar::WeekdayText(6), Sjis("土"));
  EXPECT_EQ(Calendar::WeekdayText(7), Sjis("日"));
  EXPECT_EQ(Calendar::WeekdayText(8), Sjis("月"));
  EXPECT_EQ(Calendar::WeekdayName(0), Sjis("日"));
  EXPECT_THROW(Calendar::WeekdayText(-1), GameError);
}

TEST(Calendar, DayStartRestoresPointsAndChoosesTheFirstSlot) {
  TownGame game;
  GameState& s = game.state();
  struct Case {
    int32_t before;
    uint8_t slot;
    int32_t after;
  };
  // A night that ends at 0 points or below means sleeping in until 13:10.
  for (const Case& c : {Case{0, 20, 100}, Case{1, 1, 101}, Case{150, 1, 200}, Case{-5, 20, 95}, Case{200, 1, 200}}) {
    game.SetUpDay(7);
    s.Points = c.before;
    s.CurrentPlace = 9;
    s.TargetPlace = 9;
    s.TimeSlot = 45;
    game.form().Clock.AdvanceTime(2);
    EXPECT_EQ(s.TimeSlot, c.slot) << c.before;
    EXPECT_EQ(s.Points, c.after) << c.before;
    EXPECT_EQ(s.CurrentPlace, 1);
    EXPECT_EQ(s.TargetPlace, 0);
  }
}

TEST(Calendar, DayStartCountsDownClosedPlacesWaitsAndGauges) {
  TownGame game;
  GameState& s = game.state();
  Calendar& clock = game.form().Clock;
  game.SetUpDay(7);
  s.PlaceOpen[5] = 5;
  s.PlaceOpen[2] = 0;
  s.HeroineWait.Fill(0);
  s.HeroineWait[0] = 1;
  s.HeroineWait[1] = 2;
  s.HeroineWait[3] = 3;
  s.HeroineGauge[0] = 30;
  s.HeroineGauge[1] = 5;
  s.HeroineGauge[2] = 40;
  const int32_t place5[] = {4, 3, 2, 1, 1};
  const int32_t gauge1[] = {30, 30, 20, 10, 1};  // waits while heroine 1 is waiting
  const int32_t wait1[] = {1, 0, 0, 0, 0};
  for (int day = 0; day < 5; ++day) {
    clock.AdvanceTime(2);
    EXPECT_EQ(s.PlaceOpen[5], place5[day]) << day;
    EXPECT_EQ(s.HeroineGauge[0], gauge1[day]) << day;
    EXPECT_EQ(s.HeroineWait[1], wait1[day]) << day;
  }
  EXPECT_EQ(s.PlaceOpen[2], 0);      // closed for good stays closed
  EXPECT_EQ(s.HeroineGauge[1], 1);   // 5 falls to 1, not to -5
  EXPECT_EQ(s.HeroineGauge[2], 40);  // heroine 3's gauge is never lowered
  EXPECT_EQ(s.HeroineWait[0], 0);
  EXPECT_EQ(s.HeroineWait[3], 0);
  s.HeroineGauge[0] = 0;
  clock.AdvanceTime(2);
  EXPECT_EQ(s.HeroineGauge[0], 0);  // a gauge at 0 stays at 0
}

TEST(Calendar, HeroineOnesRouteClosesTheDayAfterHerWaitRunsOut) {
  TownGame game;
  GameState& s = game.state();
  game.SetUpDay(7);
  s.EventState[8] = 1;
  s.HeroineWait[1] = 1;  // set by event 7
  game.form().Clock.AdvanceTime(2);
  EXPECT_EQ(s.HeroineWait[1], 0);
  EXPECT_EQ(s.EventState[8], 1);  // the one day event 8 can be played
  EXPECT_EQ(s.EventState[14], 0);
  game.form().Clock.AdvanceTime(2);
  EXPECT_EQ(s.EventState[8], 2);
  EXPECT_EQ(s.EventState[14], 1);
  s.EventState[8] = 2;
  s.EventState[14] = 0;
  game.form().Clock.AdvanceTime(2);
  EXPECT_EQ(s.EventState[14], 0);  // only an open event 8 closes the route
}

TEST(Calendar, StepsOfTheNightAndTheMove) {
  TownGame game;
  GameState& s = game.state();
  Calendar& clock = game.form().Clock;
  game.SetUpDay(1);
  s.TimeSlot = 30;
  s.DayCount = 4;
  s.Points = 50;
  clock.AdvanceTime(0);
  EXPECT_EQ(s.TimeSlot, 44);
  clock.AdvanceTime(1);
  EXPECT_EQ(s.TimeSlot, 45);
  EXPECT_EQ(s.DayCount, 5);
  clock.AdvanceTime(5);
  EXPECT_EQ(s.Points, 40);
  for (uint32_t inert : {4u, 6u, 0xFFFFFFFFu}) clock.AdvanceTime(inert);
  EXPECT_EQ(s.Points, 40);
  EXPECT_EQ(s.TimeSlot, 45);
  EXPECT_EQ(s.DayCount, 5);

  // From a convenience store at 16:50 to the family restaurant: 130 points, 13 slots.
  s.CurrentPlace = 7;
  s.TargetPlace = 16;
  s.TimeSlot = 42;
  s.Points = 200;
  clock.AdvanceTime(3);
  EXPECT_EQ(s.Points, 70);
  EXPECT_EQ(s.TimeSlot, 55);
  EXPECT_EQ(Calendar::ClockText(s.TimeSlot), "07 : 00");
  EXPECT_EQ(s.CurrentPlace, 7);  // the town screen moves the player afterwards
  s.TimeSlot = 250;
  clock.AdvanceTime(3);
  EXPECT_EQ(s.TimeSlot, 7);  // the byte wraps
  EXPECT_EQ(s.Points, -60);  // a move has no floor of its own
  s.TargetPlace = 7;         // staying costs 5 and no time
  clock.AdvanceTime(3);
  EXPECT_EQ(s.Points, -65);
  EXPECT_EQ(s.TimeSlot, 7);
}

TEST(Calendar, RemarksFollowTheStateWhenTheScreenSettles) {
  TownGame game;
  GameState& s = game.state();
  const Calendar& clock = game.form().Clock;
  game.SetUpDay(0);
  s.Points = 101;
  EXPECT_EQ(clock.TownMessage(0), Sjis("今日はどこへ行こうかな。"));
  s.Points = 100;
  EXPECT_EQ(clock.TownMessage(0), Sjis("もう、お昼だ。寝過ぎた～っ！！"));
  s.CurrentPlace = 1;
  s.TimeSlot = 50;
  EXPECT_EQ(clock.TownMessage(5), Sjis("今日は終了だ。"));
  s.CurrentPlace = 4;
  EXPECT_EQ(clock.TownMessage(5), Sjis("もうこんな時間か。今日の散歩は終了だ。"));
  s.TimeSlot = 42;
  EXPECT_EQ(clock.TownMessage(5), Sjis("今日の散歩は終了だ。"));
  s.Points = 1;
  EXPECT_EQ(clock.TownMessage(6), Sjis("もう寝よう。"));
  s.Points = 0;
  EXPECT_EQ(clock.TownMessage(6), Sjis("今日は疲れたなぁ。もう寝よう。"));
  EXPECT_EQ(clock.TownMessage(7), Sjis("ZZZZZ・・・・・"));
  for (int phase : {1, 2, 3, 4, 8, 255}) EXPECT_EQ(clock.TownMessage(phase), "") << phase;
}

}  // namespace
}  // namespace velmora
