#include "explore/coverage.h"

#include <algorithm>
#include <sstream>

#include "gfx/asset_table.h"
#include "script/events.h"

namespace velmora::explore {

namespace {

constexpr int kEndTag = 13;  // "*end": the ending screen follows

bool IsLabel(const std::string& line) { return !line.empty() && line[0] == '*' && ScriptText::TagIndex(line) == 0; }

}  // namespace

void Coverage::Learn(const TForm1& form) {
  labels_.clear();
  const StringList& lines = form.ScriptLines;
  for (int64_t i = 0; i < lines.Count(); ++i) {
    if (IsLabel(lines[i])) labels_.push_back({i, lines[i], false});
    else if (ScriptText::TagIndex(lines[i]) == kEndTag && !labels_.empty()) labels_.back().EndsGame = true;
  }
}

int Coverage::BlockOf(int64_t line) const {
  const auto after = std::upper_bound(labels_.begin(), labels_.end(), line,
                                      [](int64_t l, const Label& label) { return l < label.Line; });
  if (after == labels_.begin()) return -1;
  return static_cast<int>(after - labels_.begin()) - 1;
}

void Coverage::Observe(const TForm1& form) {
  const GameState& s = form.State;
  if (s.ScriptPos != 0) {
    lastBlock_ = BlockOf(s.ScriptPos);
    if (lastBlock_ >= 0) labelsPlayed_.insert(lastBlock_);
  }
  for (int e = EventTable.kFirst; e <= EventTable.kLast; ++e)
    if (s.EventState[e] == 2) eventsDone_.insert(e);
  if ((s.ScreenMode == 5 || s.ScreenMode == 6) && s.CgShown == 1 && AssetTable.CgTable.Contains(s.CurrentCg))
    cgsShown_.insert(s.CurrentCg);
  if (s.ScreenMode == 3 && s.GamePhase == 2) photoResults_.insert(s.GamePick);
  // The ending screen comes from the page that stood before "*end".
  if (s.ScreenMode == 7 && lastMode_ != 7 && lastBlock_ >= 0) endings_.insert(lastBlock_);
  lastMode_ = s.ScreenMode;
}

std::vector<Coverage::Tally> Coverage::Tallies() const {
  std::vector<Tally> tallies;
  auto numbered = [&](const std::string& what, int first, int last, const std::set<int>& seen) {
    Tally t{what, 0, static_cast<size_t>(last - first + 1), {}};
    for (int n = first; n <= last; ++n) {
      if (seen.count(n)) ++t.Reached;
      else t.Missing.push_back(std::to_string(n));
    }
    tallies.push_back(t);
  };
  auto named = [&](const std::string& what, bool endingsOnly, const std::set<int>& seen) {
    Tally t{what, 0, 0, {}};
    for (size_t i = 0; i < labels_.size(); ++i) {
      if (endingsOnly && !labels_[i].EndsGame) continue;
      ++t.Total;
      if (seen.count(static_cast<int>(i))) ++t.Reached;
      else t.Missing.push_back(labels_[i].Name);
    }
    tallies.push_back(t);
  };
  numbered("events finished", EventTable.kFirst, EventTable.kLast, eventsDone_);
  named("labels played", false, labelsPlayed_);
  numbered("CGs shown", AssetTable.CgTable.kFirst, AssetTable.CgTable.kLast, cgsShown_);
  named("endings reached", true, endings_);
  // A deal lays out the values 1..5, one per card slot of GameCards.
  numbered("photo results seen", 1, decltype(GameState::GameCards)::kLast, photoResults_);
  return tallies;
}

bool Coverage::Complete() const {
  const auto tallies = Tallies();
  return std::all_of(tallies.begin(), tallies.end(), [](const Tally& t) { return t.Missing.empty() && t.Total > 0; });
}

std::string Coverage::Report() const {
  std::ostringstream out;
  for (const Tally& t : Tallies()) {
    out << "  " << t.What << ": " << t.Reached << " of " << t.Total;
    if (!t.Missing.empty()) {
      out << " (missing:";
      for (const std::string& m : t.Missing) out << ' ' << m;
      out << ')';
    }
    out << '\n';
  }
  return out.str();
}

}  // namespace velmora::explore
