#include "script/events.h"

#include "app/form.h"
#include "gfx/asset_table.h"
#include "gfx/sjis.h"

namespace velmora {

namespace {

// Home never has events.
constexpr uint8_t kHome = 1;
// Event 7 is the one heroine 1 also refuses on Saturdays.
constexpr uint8_t kSaturdayShyEvent = 7;
// The two events that close a route with a line of their own.
constexpr uint8_t kTrialEndEvent = 8;
constexpr uint8_t kBadEndEvent = 14;
// Where the ending lines stand.
constexpr Point kEndingLineAt{250, 380};

// The table has events 1..14 and heroines 0..3 only; the original indexed past both.
void CheckEventAndPartner(int64_t event, int64_t partner) {
  if (!EventTable.Contains(event)) ThrowRangeError("イベント", event);
  if (partner < 0 || partner > 3) ThrowRangeError("ヒロイン", partner);
}

}  // namespace

void Events::ChooseEvent() {
  GameState& s = form_.State;
  s.CurrentEvent = 0;
  for (int e = EventTable.kFirst; e <= EventTable.kLast; ++e) {
    const TEvent_Rec& event = EventTable[e];
    if (event.Place == s.CurrentPlace && s.CurrentPlace != kHome && s.EventState[e] == 1) {
      s.CurrentEvent = static_cast<uint8_t>(e);
      // The day rule reads CurrentEvent, so it is set before the heroine is asked.
      if (s.HeroineWait[event.Heroine] > 0 || !PartnerAvailable(event.Heroine)) s.CurrentEvent = 0;
    }
    if (s.CurrentEvent != 0) break;
  }
  if (s.CurrentEvent != 0) s.Partner = EventTable[s.CurrentEvent].Heroine;
}

bool Events::PartnerAvailable(int heroine) const {
  const GameState& s = form_.State;
  const int32_t weekday = s.DayCount % 7;  // 0 Sunday, 5 Friday, 6 Saturday
  switch (heroine) {
    case 0:
      return true;
    case 1:
      return !(weekday == 0 || (s.CurrentEvent == kSaturdayShyEvent && weekday == 6));
    case 2:
      return weekday != 5;
    case 3:
      return s.DayCount % 3 != 0;
    default:
      ThrowRangeError("ヒロイン", heroine);
  }
}

void Events::FinishEvent() {
  GameState& s = form_.State;
  // Both numbers are checked before anything changes, so a bad script leaves no half
  // applied outcome behind.
  CheckEventAndPartner(s.CurrentEvent, s.Partner);
  const uint8_t e = s.CurrentEvent;
  const TEvent_Rec& r = EventTable[e];
  s.EventState[e] = 2;
  s.TimeSlot += 1;  // the event takes one 10-minute slot
  if (r.OpensEvent != 0 && s.EventState[r.OpensEvent] == 0) s.EventState[r.OpensEvent] = 1;
  if (r.OpensPlace != 0) s.PlaceOpen[r.OpensPlace] = 1;
  if (r.MovesTo != 0) s.CurrentPlace = r.MovesTo;
  // The wait goes to the current partner, not to the record's heroine.
  s.HeroineWait[s.Partner] = r.WaitDays > 0 ? r.WaitDays : 1;
  if (r.ClosesEvent != 0 && s.EventState[r.ClosesEvent] == 1) s.EventState[r.ClosesEvent] = 0;
}

void Events::ShowEnding(int phase) {
  GameState& s = form_.State;
  if (phase == 0) {
    if (s.Partner > 3) ThrowRangeError("ヒロイン", s.Partner);
    if (s.Partner > 0) {
      // Heroine k's events follow those of heroines 1..k-1.
      int first = 1;
      for (int k = 1; k < s.Partner; ++k) first += AssetTable.EventCounts[static_cast<size_t>(k - 1)];
      const int count = AssetTable.EventCounts[static_cast<size_t>(s.Partner - 1)];
      for (int e = first; e < first + count; ++e) s.EventState[e] = 2;
    }
    form_.Text.DrawWindowPanel(0, 0, ScreenRect, 3);  // darkens the last screen
  } else if (phase == 1) {
    form_.Text.SetTextStyle(1);
    form_.Feed.Begin(UnitKind::Ending, "ending:" + std::to_string(s.CurrentEvent));
    if (s.CurrentEvent == kTrialEndEvent)
      form_.Text.DrawStoryText(kEndingLineAt.X, kEndingLineAt.Y, Sjis("続きは本編でお楽しみ下さい。"));
    else if (s.CurrentEvent == kBadEndEvent)
      form_.Text.DrawStoryText(kEndingLineAt.X, kEndingLineAt.Y, Sjis("BAD　END・・・再挑戦してね。"));
    form_.Feed.End();
  }
}

}  // namespace velmora
