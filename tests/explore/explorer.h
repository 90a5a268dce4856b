#pragma once
// The liveness explorer: plays the intact demo game on the headless host from start-up
// with random but valid player actions, drawn from a seeded generator, and stops with a
// failure that names the seed and the step when
//   - a message box other than the about box comes up;
//   - a state variable leaves its range;
//   - the game is stuck: it is at rest (no timer running) and no live action (a hit area,
//     the page button, a menu command) changes the state or the screen;
//   - the player cannot get back to the title from where the game is;
//   - the game never comes to rest.
// A run is a row of sessions: each starts at the title, plays until an ending, the menu's
// back command, a bored player or the exit, and, unless the window was closed, then has
// to get back to the title. The run is a pure function of the seed, so a failure is
// replayed by running again with the seed and the step count it names.

#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <tuple>
#include <random>
#include <stdexcept>
#include <string>

#include "explore/coverage.h"
#include "explore/live_actions.h"
#include "platform/headless/headless_host.h"
#include "support/fixtures.h"

namespace velmora::explore {

class ExploreFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Explorer {
 public:
  // Out of 100, how often the player of the first game walks where the story goes on.
  static constexpr int kFollowStoryDefault = 75;
  explicit Explorer(uint32_t seed);
  ~Explorer();

  // Plays until Steps player actions have been made; throws ExploreFailure.
  void Run(int64_t steps);

  const Coverage& coverage() const { return coverage_; }
  struct Figures {
    int64_t Steps = 0;
    int64_t StartUps = 0;      // the program started (again, after the exit)
    int64_t Sessions = 0;      // games begun from the title
    int64_t Endings = 0;       // ending screens seen
    int64_t WaysBack = 0;      // positions the way back to the title was taken from
    int64_t LivenessProbes = 0;  // resting positions where a live action had to be found
    int64_t AboutBoxes = 0;
    uint64_t GameMilliseconds = 0;  // of the start-ups before the current one
    int64_t WholeStoryAt = 0;       // the step by which everything had been reached, 0 not yet
  };
  const Figures& figures() const { return figures_; }
  // Game time played over every start-up.
  uint64_t GameMilliseconds() const { return figures_.GameMilliseconds + (host_ ? host_->Now() : 0); }

 private:
  void StartUp();
  // One player action chosen for the game's situation, its result checked.
  void Step();
  Action ChooseAction(bool atRest);
  Action ChooseClick(const std::vector<Action>& clicks);
  // Makes Action and lets the game run: to rest, or (Fully false) a random moment, so the
  // next action can land in a wipe, a pan or a card turn. Returns whether the state or the
  // screen changed (for a click, from after the pointer got there).
  bool Perform(const Action& action, bool fully);
  void Settle(bool fully);
  bool AtRest() const;
  // Hashes of the state (with the menu and the timers) and of the screen picture.
  uint64_t StateFingerprint() const;
  uint64_t ScreenFingerprint() const;
  // After every handler: coverage, message boxes, ranges.
  void Observe();
  // A resting action changed nothing: some live action must.
  void ProveLive();
  // From where the game is, back to the title by the menu's back command or the clicks
  // that lead to it.
  void GoBackToTitle();
  std::string Where() const;
  [[noreturn]] void Fail(const std::string& what) const;

  uint32_t seed_;
  std::mt19937 random_;
  testing::ScratchDir dir_;
  std::unique_ptr<HeadlessHost> host_;
  Coverage coverage_;
  Figures figures_;
  int64_t target_ = 0;
  int32_t boredDay_ = 0;
  int followStory_ = kFollowStoryDefault;
  int32_t dayPlanned_ = -1;
  bool stayHome_ = false;
  int32_t lastMode_ = -1;
  std::deque<std::string> recent_;
  // The answers given so far: choice set, question line, option.
  std::set<std::tuple<int32_t, int32_t, int>> answersGiven_;
};

}  // namespace velmora::explore
