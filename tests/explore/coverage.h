#pragma once
// What an exploration reached of the story, watched from the game state after every
// handler: the events that came to "done", the labelled blocks of the script that were
// played, the CGs that were up, the endings (the blocks that close with "*end") and the
// photo results. What there is to reach is read from the game's tables and its script.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "app/form.h"

namespace velmora::explore {

class Coverage {
 public:
  // Reads the labels and endings of the script Form has loaded.
  void Learn(const TForm1& form);
  // Takes note of what the game shows now.
  void Observe(const TForm1& form);

  // Everything there is to reach, and what of it was not reached.
  struct Tally {
    std::string What;
    size_t Reached = 0;
    size_t Total = 0;
    std::vector<std::string> Missing;
  };
  std::vector<Tally> Tallies() const;
  bool Complete() const;
  std::string Report() const;

 private:
  // The label whose block holds script line Line, -1 for none.
  int BlockOf(int64_t line) const;

  struct Label {
    int64_t Line;
    std::string Name;
    bool EndsGame;  // the block closes with "*end"
  };
  std::vector<Label> labels_;
  std::set<int> labelsPlayed_;
  std::set<int> eventsDone_;
  std::set<int> cgsShown_;
  std::set<int> endings_;
  std::set<int> photoResults_;
  int lastBlock_ = -1;
  int32_t lastMode_ = -1;
};

}  // namespace velmora::explore
