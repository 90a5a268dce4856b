#pragma once
// A static walk through a scenario script: it follows every way play can take through the
// blocks (event starts, choice jumps and go-ons, "*ending", photo results) the way the
// interpreter would, without a game, and writes down what it reached and what would go
// wrong on screen or in the engine.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace velmora::scenario {

// The label the game looks up to start the block of Event for Partner ("" when none).
std::string EventLabelFor(int event, int partner);
// The label the game looks up after photo result 1..5.
std::string ResultLabelFor(int event, int partner, int result);

struct WalkReport {
  std::set<std::string> LabelsReached;            // labels some path started a block at
  std::set<int> CgsMarked;                        // CG numbers shown with "<CG>" on a path
  std::set<int> ChoiceSets;                       // choice sets opened on a path
  std::set<std::pair<int, int>> Endings;          // (CurrentEvent, Partner) at "*end"
  std::set<std::pair<int, int>> PhotoGames;       // (CurrentEvent, Partner) of every deal
  std::set<std::pair<int, int>> FinishedEvents;   // (CurrentEvent, Partner) at every outcome
  std::vector<std::string> Faults;                // what would break, with where (UTF-8)
};

class ScriptWalker {
 public:
  // Lines as the game holds them (Shift-JIS).
  explicit ScriptWalker(std::vector<std::string> lines);

  // Every label line: its text in lower case and the index of its first occurrence.
  const std::map<std::string, size_t>& Labels() const { return labels_; }
  // From the opening and from every event the event table can choose.
  WalkReport Walk();

 private:
  // What play carries from one line to the next.
  struct Play {
    int Event = 0;           // CurrentEvent, 0..255 after byte wrap
    int Partner = 0;         // 0 none, 1..3
    bool Day0 = false;       // still the opening day, before "*next_ba" makes it day 1
    int ChoiceSet = 0;       // kept over a jump from set 3 or 6
    bool CgShown = false;    // a full-screen picture is up
    int CurrentCg = 0;       // the last CG shown in this event
    bool Portrait = false;   // a heroine's portrait is on the scene
    bool FramedCg = false;   // a framed CG is on screen, with no window for text
    auto Key() const { return std::tuple(Event, Partner, Day0, ChoiceSet, CgShown, CurrentCg, Portrait, FramedCg); }
  };

  void StartBlock(const Play& play, const std::string& from);
  void EnterResult(const Play& play, int result, const std::string& from);
  void PlayPhotoGame(const Play& play, const std::string& from);
  void Run(Play play, size_t line, bool blockStart);
  // The command of the tag at TagLine; false when play leaves the block there.
  bool RunCommand(Play& play, size_t tagLine, int tag, int32_t argument);
  void OpenChoice(const Play& play, size_t tagLine, int set);
  // The prompt and captions that sets 3 and 6 take from the lines after their argument.
  void CheckOptionCaptions(size_t tagLine, int set);
  void FinishEvent(const Play& play, const std::string& how);
  bool CheckFrame(const Play& play, int32_t frame, size_t line);
  void Fault(size_t line, const std::string& what);
  void AddFault(const std::string& fault);
  bool IsLabelLine(size_t line) const;
  bool IsBlankLine(size_t line) const;

  std::vector<std::string> lines_;
  std::map<std::string, size_t> labels_;
  std::set<std::tuple<size_t, bool, std::tuple<int, int, bool, int, bool, int, bool, bool>>> visited_;
  WalkReport report_;
};

}  // namespace velmora::scenario
