#pragma once
// The soft wipes between screens: a band of eight blend levels sweeps across the window
// in about a second, top to bottom for the title and left to right otherwise. The wipes
// paint straight onto the window and pace themselves by the host's millisecond clock.

#include <memory>

#include "gfx/picture.h"

namespace velmora {

class TForm1;

class Transitions {
 public:
  explicit Transitions(TForm1& form) : form_(form) {}

  // From what ImageBa shows to BackBuffer; afterwards ImageBa holds BackBuffer.
  void PlayTransition();
  void VerticalSoftWipe(int duration);
  void HorizontalSoftWipe(int duration);

  // The two frames of the transition under way (empty otherwise).
  std::unique_ptr<Picture> FromFrame;
  std::unique_ptr<Picture> ToFrame;

 private:
  bool FramesMatch();
  TForm1& form_;
};

}  // namespace velmora
