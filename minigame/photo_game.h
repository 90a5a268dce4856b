#pragma once
// The photo game: four cards face down, one pick, a four-tick turn, and a result 1..5
// that decides where the script goes on.

#include <cstdint>

#include "gfx/geometry.h"

namespace velmora {

class TForm1;

class PhotoGame {
 public:
  explicit PhotoGame(TForm1& form) : form_(form) {}

  // 0 scene into BackBuffer, 2 the four backs on screen, 3 restore the message strip.
  void DrawPhotoScreen(int kind);
  // 0..5 back or face, 6 edge-on back, 7 erase, 8 edge-on face of the pick; column 0..3.
  void DrawCard(int kind, int column);
  void StartPhotoGame();
  void DealCards();
  void ShowPhotoMessage(int result);
  // The pointer release in mode 3.
  void PhotoGameClick();
  void Play_TimerTimer();
  void RevealCard();

  // Asset offset of the photo scene for CurrentPlace.
  int32_t PhotoScene() const;

 private:
  TForm1& form_;
};

}  // namespace velmora
