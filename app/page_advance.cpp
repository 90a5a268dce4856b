#include "app/page_advance.h"

#include "app/form.h"

namespace velmora {

namespace {

// The middle of the page button: in the message window, or in the corner over a
// full-screen picture.
constexpr Point kInMessageWindow{464, 451};
constexpr Point kOverPicture{574, 444};

}  // namespace

std::optional<Point> PageButtonTarget(const TForm1& form) {
  if (form.G_Timer.Enabled() || form.Play_Timer.Enabled()) return std::nullopt;
  const GameState& s = form.State;
  const Point button = s.CgShown == 0 ? kInMessageWindow : kOverPicture;
  bool live = false;
  switch (s.ScreenMode) {
    case 3: live = s.GamePhase == 2; break;
    case 4: live = s.TownPhase == 0 || (s.TownPhase >= 5 && s.TownPhase <= 7); break;
    case 5: return Point{320, 240};
    case 6: live = true; break;
    case 7: return button;
    default: break;
  }
  // The game's own hit test has the last word, so a key never lands beside the button.
  if (!live || form.Input.ButtonAt(button.X, button.Y) != 5) return std::nullopt;
  return button;
}

}  // namespace velmora
