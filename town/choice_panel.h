#pragma once
// The choice panel "<Sentaku>" puts up: a question and two options from the script
// (set 2) or fixed option areas (sets 3 and 6), with hover and the three outcomes.

#include <cstdint>

namespace velmora {

class TForm1;

// Where play goes after a pick.
enum class ChoiceOutcome {
  Jump,    // the block of CurrentEvent + k starts at its own label
  Leave,   // the event is left for the town screen
  GoOn,    // play resumes after the choice, or the photo game is played again
};

class Choices {
 public:
  explicit Choices(TForm1& form) : form_(form) {}

  // Option id under (x, y) for a choice set and the first heroine's gauge, 0 for none.
  static int32_t OptionAt(int32_t set, int32_t gauge, int32_t x, int32_t y);
  // What picking option Id of Set does for Partner in Event.
  static ChoiceOutcome OutcomeOf(int32_t set, int32_t id, int partner, int event);

  // Option id 11..16 or 18 under (x, y) for ChoiceSet, 0 for none.
  int32_t ChoiceOptionAt(int32_t x, int32_t y) const;
  // 0 draws the panel; an option id is a hover while PressedButton is 0, a pick otherwise.
  void ChoicePanel(int32_t id);

 private:
  // The prompt and option captions of sets 3 and 6, from the lines after the argument.
  void DrawOptionCaptions(int dx, int top);
  TForm1& form_;
};

}  // namespace velmora
