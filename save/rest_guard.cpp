#include "save/rest_guard.h"

#include "app/form.h"

namespace velmora {

bool GameIdle(const TForm1& form) {
  return form.AssetStream != nullptr && !form.G_Timer.Enabled() && !form.CG_Timer.Enabled() &&
         !form.Play_Timer.Enabled();
}

bool TownAtRest(const TForm1& form) {
  const GameState& s = form.State;
  if (!GameIdle(form) || s.ScreenMode != 4 || s.PressedButton != 0) return false;
  switch (s.TownPhase) {
    case 0:
    case 5:
    case 6:
    case 7:
      return true;
    case 1:
      return s.TargetPlace == 0;  // a place pressed but not yet released is a pick under way
    default:
      return false;
  }
}

}  // namespace velmora
