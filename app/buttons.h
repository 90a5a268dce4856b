#pragma once
// The on-screen buttons: ids 1..4 title, 5 page button, 6 album slot, 7 and 8 album
// buttons, 9 and 10 move confirmation. Each look is cut from a sprite sheet of the asset
// file at every draw.

namespace velmora {

class TForm1;

class Buttons {
 public:
  explicit Buttons(TForm1& form) : form_(form) {}

  // State 0 normal, 1 pressed, 2 hover. Unknown ids draw nothing.
  void DrawButton(int state, int id);

 private:
  TForm1& form_;
};

}  // namespace velmora
