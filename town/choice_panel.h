#pragma once
// The choice panel "<Sentaku>" puts up: a question and two options from the script
// (set 2) or fixed option areas (sets 3 and 6), with hover and the three outcomes.

#include <cstdint>

namespace velmora {

class TForm1;

class Choices {
 public:
  explicit Choices(TForm1& form) : form_(form) {}

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
