#include "town/status_panel.h"

#include "app/form.h"
#include "gfx/asset_table.h"
#include "gfx/sjis.h"

namespace velmora {

namespace {

// Text positions of the fields (the panel's captions are part of TownBackdrop).
constexpr Point kClockAt{537, 42};
constexpr Point kWeekdayAt{567, 107};
constexpr int kPointsY = 305;
constexpr int kDeductionY = 337;
constexpr int kGaugeY = 434;
constexpr Point kNameBesideGaugeAt{534, 403};
constexpr Point kNameAloneAt{555, 403};
constexpr int kValueX = 582;  // points and deduction: RightAlignX base
constexpr int kGaugeX = 577;
constexpr int kCostX = 187;   // the cost inside the confirmation box
constexpr int kCostDy = 29;   // below the box's top edge

std::string Decimal(int32_t v) { return std::to_string(v); }
std::string GaugeText(int32_t v) { return Decimal(v) + " %"; }

}  // namespace

int32_t StatusPanel::RightAlignX(int32_t v, int32_t x) {
  if (v >= 0 && v <= 9) return x + 16;
  if ((v >= 10 && v <= 99) || (v >= -9 && v <= -1)) return x + 8;
  if (v >= -999 && v <= -100) return x - 8;
  return x;  // three characters wide, or too wide to align at all
}

std::string StatusPanel::PartnerLabel(uint8_t partner) const { return PartnerLabelIn(form_.State, partner); }

std::string StatusPanel::PartnerLabelIn(const GameState& s, uint8_t partner) {
  // Only heroine 1 is ever introduced by name in this edition, after her second event.
  if (partner == 1 && s.EventState[2] == 2) return Sjis(HeroineNames[1].DisplayName);
  return "***";
}

bool StatusPanel::PartnerGaugeShown() const {
  // Heroine 3 has no gauge on the panel; checking the number first also keeps a partner
  // outside 1..2 from ever indexing the gauges.
  const uint8_t p = form_.State.Partner;
  return (p == 1 || p == 2) && form_.State.HeroineGauge[p - 1] > 0;
}

void StatusPanel::DrawStatusField(int k, int32_t v) {
  const GameState& s = form_.State;
  TextStyles& text = form_.Text;
  const std::string label = PartnerLabel(s.Partner);
  text.SetTextStyle(0);
  if (k >= 1 && k <= 6) form_.Assets.DrawAssetRect(StatusRects[k], StatusRects[k], TownBackdrop, 0);
  switch (k) {
    case 0:
      DrawAllFields(label);
      break;
    case 1:  // the clock always shows TimeSlot, whatever value it is given
      text.SetTextStyle(2);
      text.DrawText(kClockAt.X, kClockAt.Y, Calendar::ClockText(s.TimeSlot));
      break;
    case 2:
      text.DrawText(kWeekdayAt.X, kWeekdayAt.Y, Calendar::WeekdayName(s.DayCount == 0 ? 1 : v));
      break;
    case 3:
      text.DrawText(RightAlignX(v, kValueX), kPointsY, Decimal(v));
      break;
    case 4:  // 0 leaves the deduction preview empty
      if (v != 0) text.DrawText(RightAlignX(v, kValueX), kDeductionY, Decimal(v));
      break;
    case 5:
      text.DrawText(RightAlignX(v, kGaugeX), kGaugeY, GaugeText(v));
      break;
    case 6:
      if (v != 0) {
        const Point at = PartnerGaugeShown() ? kNameBesideGaugeAt : kNameAloneAt;
        text.DrawText(at.X, at.Y, label);
      }
      break;
    case 7:
      text.DrawText(RightAlignX(v, kCostX), form_.Town.ConfirmTop() + kCostDy, Decimal(v));
      break;
    default:
      break;
  }
}

void StatusPanel::DrawAllFields(const std::string& label) {
  // The text styles act on the canvases of ImageBa and ImageMap, not on BackBuffer's, so
  // the values are written on ImageMap over a copy of BackBuffer and only the fields'
  // rectangles are copied back.
  const GameState& s = form_.State;
  TextStyles& text = form_.Text;
  ImageComponent& scratch = form_.ImageMap;
  CopyRect(scratch.Bitmap, ScreenRect, form_.BackBuffer, ScreenRect);
  text.DrawText(scratch, kWeekdayAt.X, kWeekdayAt.Y, Calendar::WeekdayText(s.DayCount));
  text.DrawText(scratch, RightAlignX(s.Points, kValueX), kPointsY, Decimal(s.Points));
  if (s.Partner != 0) {
    if (PartnerGaugeShown()) {
      const int32_t gauge = s.HeroineGauge[s.Partner - 1];
      text.DrawText(scratch, RightAlignX(gauge, kGaugeX), kGaugeY, GaugeText(gauge));
      text.DrawText(scratch, kNameBesideGaugeAt.X, kNameBesideGaugeAt.Y, label);
    } else {
      text.DrawText(scratch, kNameAloneAt.X, kNameAloneAt.Y, label);
    }
  }
  text.SetTextStyle(2);
  text.DrawText(scratch, kClockAt.X, kClockAt.Y, Calendar::ClockText(s.TimeSlot));
  for (int field = 1; field <= 6; ++field)
    CopyRect(form_.BackBuffer, StatusRects[field], scratch.Bitmap, StatusRects[field]);
}

void StatusPanel::RefreshStatus(int a) {
  const GameState& s = form_.State;
  if (a == 1) {
    DrawStatusField(0, 0);
    return;
  }
  if (a != 0) return;
  DrawStatusField(1, s.TimeSlot);
  DrawStatusField(2, s.DayCount);
  DrawStatusField(3, s.Points);
  // Phase 5 away from home previews the 10 points the walk home at night will cost.
  DrawStatusField(4, s.TownPhase == 5 && s.CurrentPlace != 1 ? -10 : 0);
  if (s.Partner != 0) {
    if (PartnerGaugeShown()) DrawStatusField(5, s.HeroineGauge[s.Partner - 1]);
    DrawStatusField(6, s.Partner);
  }
}

}  // namespace velmora
