#include "explore/live_actions.h"

#include <algorithm>
#include <map>

namespace velmora::explore {

namespace {

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

std::vector<Action> LiveClicks(const TForm1& form, std::mt19937& random) {
  std::uniform_int_distribution<int> phase(0, kGrid - 1);
  const int dx = phase(random), dy = phase(random);
  const std::vector<LiveTarget> targets = LiveTargets(form);
  std::map<int, std::vector<Point>> areas;
  for (const LiveTarget& t : targets) areas[t.Id];
  for (int y = dy; y < 480; y += kGrid)
    for (int x = dx; x < 640; x += kGrid) {
      const auto area = areas.find(TargetIdAt(form, x, y));
      if (area != areas.end()) area->second.push_back({x, y});
    }
  std::vector<Action> clicks;
  for (const LiveTarget& t : targets) {
    // Anywhere in the target's area, so over a run every part of it is tried.
    const std::vector<Point>& points = areas[t.Id];
    Point at = t.At;
    if (t.Id == kWholePictureId)
      at = {std::uniform_int_distribution<int>(0, 639)(random), std::uniform_int_distribution<int>(0, 479)(random)};
    else if (!points.empty())
      at = points[std::uniform_int_distribution<size_t>(0, points.size() - 1)(random)];
    clicks.push_back(Action::Click(t.Id, at));
  }
  return clicks;
}

std::vector<Action> LiveMenuCommands(TForm1& form) {
  std::vector<Action> commands;
  Reachable(form.MainMenu1, commands);
  return commands;
}

}  // namespace velmora::explore
