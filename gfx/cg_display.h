#pragma once
// CG display: full-screen and framed stills, pictures larger than the screen that pan
// past a 640x480 window and come to rest, and the album's locked slots.

#include <cstdint>

#include "gfx/geometry.h"

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

  // The first window position of a pan of the given kind over a Width x Height picture
  // whose record rests at column RestX.
  static Point PanStart(int32_t panKind, int32_t restX, int width, int height);
  // Moves the window one tick's way for the pan kind; true when the pan has ended.
  static bool PanStep(int32_t panKind, int width, int height, int32_t& panX, int32_t& panY);

 private:
  TForm1& form_;
};

}  // namespace velmora
