#pragma once
// The status panel on the right of the town frame: clock, weekday, points, deduction
// preview, the partner's gauge and name, and the cost in the move confirmation box.

#include <cstdint>
#include <string>

#include "app/game_state.h"
#include "app/indexed_array.h"
#include "gfx/geometry.h"

namespace velmora {

class TForm1;

inline const IndexedArray<Rect, 1, 7> StatusRects = [] {
  IndexedArray<Rect, 1, 7> r("ステータス欄");
  r[1] = {527, 37, 623, 74};    // clock
  r[2] = {552, 101, 598, 129};  // weekday
  r[3] = {572, 302, 618, 326};  // points
  r[4] = {572, 334, 618, 358};  // deduction preview
  r[5] = {572, 431, 618, 455};  // partner's gauge
  r[6] = {527, 399, 618, 423};  // partner's name
  r[7] = {162, 27, 198, 47};    // cost in the confirmation box (left and top only)
  return r;
}();

class StatusPanel {
 public:
  explicit StatusPanel(TForm1& form) : form_(form) {}

  // Where to write v so that values from -999 to 999 end at x + 24 (8 pixels a digit).
  static int32_t RightAlignX(int32_t v, int32_t x);
  // The partner's name as the panel shows it (Shift-JIS).
  std::string PartnerLabel(uint8_t partner) const;
  // The same for the state S (a save's, say) instead of the running game's.
  static std::string PartnerLabelIn(const GameState& s, uint8_t partner);
  // Field k 1..7 with value v on the screen; k 0 draws all fields into BackBuffer.
  void DrawStatusField(int k, int32_t v);
  // 0 redraws the fields on the screen, 1 draws them all into BackBuffer.
  void RefreshStatus(int a);

 private:
  // True when Partner is heroine 1 or 2 and her gauge is above 0.
  bool PartnerGaugeShown() const;
  // Field 0: every value but the deduction, into BackBuffer through ImageMap.
  void DrawAllFields(const std::string& label);
  TForm1& form_;
};

}  // namespace velmora
