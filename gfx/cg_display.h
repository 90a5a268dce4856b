#pragma once
// CG display: full-screen and framed stills, pictures larger than the screen that pan
// past a 640x480 window and come to rest, and the album's locked slots.

namespace velmora {

class TForm1;

class CgDisplay {
 public:
  explicit CgDisplay(TForm1& form) : form_(form) {}

  // Puts CG CurrentCg into BackBuffer at its start position; a still sets mode 6.
  void ShowCg();
  // One panning step: show the window, move it, end the pan when its test holds.
  void CG_TimerTimer();
  // Ends panning with the rest frame in BackBuffer and changes to mode 6.
  void FinishCgPan();
  // The locked look over every unseen album slot in BackBuffer.
  void DrawUnseenCgSlots();

 private:
  TForm1& form_;
};

}  // namespace velmora
