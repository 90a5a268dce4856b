#include "explore/live_actions.h"

#include <algorithm>
#include <map>

namespace velmora::explore {

namespace {

// Id ranges per kind of area, so one screen's areas never share an id.
constexpr int kAnywhere = 1000;  // the whole picture takes the click
constexpr int kSlotIds = 100;    // album slot n is 100 + n
constexpr int kCardIds = 200;    // card n is 200 + n
constexpr int kTownIds = 300;    // map place, box button or choice option n is 300 + n

// The grid the hit areas are looked for on: fine enough for the smallest area a player
// aims at (the choice rows are 16 pixels high, the map's labels 22).
constexpr int kGrid = 8;

void Reachable(MenuItem& item, std::vector<Action>& out) {
  if (!item.Visible() || !item.Enabled()) return;
  if (item.Items().empty()) {
    if (item.OnClick) out.push_back(Action::Menu(item));
    return;
  }
  for (MenuItem* child : item.Items()) Reachable(*child, out);
}

}  // namespace

std::string Action::Describe() const {
  switch (What) {
    case Kind::Click:
      return "click at (" + std::to_string(At.X) + "," + std::to_string(At.Y) + ") on area " + std::to_string(HitId);
    case Kind::Menu:
      return std::string("menu ") + Item->Name();
    case Kind::Wait:
      return "wait " + std::to_string(Milliseconds) + " ms";
  }
  return "?";
}

int HitIdAt(const TForm1& form, int x, int y) {
  const GameState& s = form.State;
  switch (s.ScreenMode) {
    case 0:
    case 5:
    case 7:
      return kAnywhere;
    case 1:
    case 6:
      return form.Input.ButtonAt(x, y);
    case 2: {
      if (const int button = form.Input.ButtonAt(x, y)) return button;
      const int slot = PointerInput::AlbumSlotAt(x, y);
      return slot > 0 ? kSlotIds + slot : 0;
    }
    case 3:
      if (s.GamePhase == 1) return s.GamePick == 0 && PointerInput::CardAt(x, y) > 0 ? kCardIds + PointerInput::CardAt(x, y) : 0;
      return s.GamePhase == 2 ? form.Input.ButtonAt(x, y) : 0;
    case 4:
      switch (s.TownPhase) {
        case 1:
        case 2:
        case 4: {
          const int hit = form.Town.MapHit(x, y);
          return hit > 0 ? kTownIds + hit : 0;
        }
        case 0:
        case 5:
        case 6:
        case 7:
          return form.Input.ButtonAt(x, y);
        default:
          return 0;
      }
    case 8: {
      if (const int button = form.Input.ButtonAt(x, y)) return button;
      return PointerInput::AlbumSlotAt(x, y) == s.CurrentCg ? kSlotIds + s.CurrentCg : 0;
    }
    default:
      return 0;
  }
}

std::vector<Action> LiveClicks(const TForm1& form, std::mt19937& random) {
  std::uniform_int_distribution<int> phase(0, kGrid - 1);
  const int dx = phase(random), dy = phase(random);
  std::map<int, std::vector<Point>> areas;
  for (int y = dy; y < 480; y += kGrid)
    for (int x = dx; x < 640; x += kGrid)
      if (const int id = HitIdAt(form, x, y)) {
        std::vector<Point>& points = areas[id];
        if (id == kAnywhere && !points.empty()) continue;  // one spot stands for the whole picture
        points.push_back({x, y});
      }
  std::vector<Action> clicks;
  for (const auto& [id, points] : areas) {
    std::uniform_int_distribution<size_t> pick(0, points.size() - 1);
    Point at = points[pick(random)];
    if (id == kAnywhere) at = {std::uniform_int_distribution<int>(0, 639)(random), std::uniform_int_distribution<int>(0, 479)(random)};
    clicks.push_back(Action::Click(id, at));
  }
  return clicks;
}

std::vector<Action> LiveMenuCommands(TForm1& form) {
  std::vector<Action> commands;
  Reachable(form.MainMenu1, commands);
  return commands;
}

}  // namespace velmora::explore
