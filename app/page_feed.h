#pragma once
// What the player is reading: every text page, choice, morning or night remark and ending
// line the game draws, as one unit with its lines in UTF-8 and an identity that stays the
// same for a given asset file. The drawing paths open a unit (Begin), the lines drawn
// while it is open join it, and the host publishes it after the entry that drew it
// (Settle). It only listens: nothing the game draws or decides depends on it. The backlog,
// the read memory, skipping, auto-reading and the reading tools take from it.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

enum class UnitKind { Page, Choice, Remark, Ending };

struct ReadUnit {
  UnitKind Kind = UnitKind::Page;
  // "page:1234" and "choice:1234" carry the script position of the first line; a remark or
  // an ending line is named by what chose it ("remark:0:<hash>", "ending:42", "photo:1").
  std::string Id;
  std::vector<std::string> Lines;    // UTF-8 as drawn; for a choice the question's lines
  std::vector<std::string> Options;  // a choice's options in order (none where they are pictures)
  // A choice's option taken, once taken: the index into Options, or for a choice whose
  // options are pictures, the option's number counted from 0 (the closing option is 7).
  int Taken = -1;
};

// The kind's name as used in an Id ("page", "choice", "remark", "ending").
const char* UnitKindName(UnitKind kind);
// All of a unit's text, lines and options, one a line (what the reading tools send).
std::string UnitText(const ReadUnit& unit);

class PageFeed {
 public:
  using Listener = std::function<void(const ReadUnit&)>;
  static constexpr size_t kHistoryLength = 200;

  // A new unit is on the screen, whole: told once, after the entry that drew it.
  void OnUnit(Listener listener);
  // A choice's option was taken (the unit with Taken set).
  void OnChoiceTaken(Listener listener);
  // What is on the screen now, or nullptr.
  const ReadUnit* Current() const;
  // The last 200 units, oldest first.
  const std::deque<ReadUnit>& History() const { return history_; }

  // --- fed by the game's drawing paths ---
  // A unit starts being drawn; the story lines drawn from now join it.
  void Begin(UnitKind kind, std::string id);
  // The lines drawn from now on are a choice's options.
  void BeginOptions();
  // The unit is drawn; later lines (a hover's redraw) do not join it.
  void End();
  // A story line was drawn (UTF-8); kept when a unit is open.
  void Line(const std::string& utf8);
  // The option taken in the choice on the screen.
  void Take(int option);
  // The screen changes to one without the unit (a mode change, the town screen redrawn).
  void Clear();

  // --- called by the hosts after every entry ---
  // Publishes the unit drawn during the entry, unless it only drew the unit on the screen
  // again (a hover over a choice redraws the panel).
  void Settle();

 private:
  std::vector<Listener> unitListeners_;
  std::vector<Listener> takenListeners_;
  std::deque<ReadUnit> history_;
  std::optional<ReadUnit> pending_;
  bool open_ = false;
  bool options_ = false;
  bool shown_ = false;  // history_.back() is on the screen
};

}  // namespace velmora
