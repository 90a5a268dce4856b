#pragma once
// The soft wipes between screens: a band of eight blend levels sweeps across the window
// in about a second, top to bottom for the title and left to right otherwise. The wipes
// paint straight onto the window and pace themselves by the host's millisecond clock.

#include <cstdint>
#include <memory>

#include "gfx/picture.h"

namespace velmora {

class TForm1;

class Transitions {
 public:
  explicit Transitions(TForm1& form) : form_(form) {}

  // From what ImageBa shows to BackBuffer; afterwards ImageBa holds BackBuffer.
  void PlayTransition();
  // The same between two frames already made (PlayTransition() makes them as 640x480
  // 24-bit copies of the screen and of BackBuffer): the wipe, then BackBuffer onto
  // ImageBa. The frames are gone afterwards, also when an error passes through.
  void PlayTransition(Picture fromFrame, Picture toFrame);
  // Top to bottom: 16-row bands; Duration in milliseconds.
  void VerticalSoftWipe(int duration);
  // Left to right: 32-column bands; Duration in milliseconds.
  void HorizontalSoftWipe(int duration);

  // The two frames of the transition under way (empty otherwise).
  std::unique_ptr<Picture> FromFrame;
  std::unique_ptr<Picture> ToFrame;

 private:
  // Both frames there, of one size and 24-bit, as the packed row blends need them.
  bool FramesMatch() const;
  // Waits with 1 ms sleeps while the clock is below NextTime.
  void WaitUntil(uint32_t nextTime);
  // Paints Strip onto the window at (X, Y), only the part inside (0, 0, Width, Height).
  void PaintClipped(const Picture& strip, int x, int y, int width, int height);

  TForm1& form_;
};

}  // namespace velmora
