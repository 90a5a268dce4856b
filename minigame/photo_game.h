#pragma once
// The photo game: four cards face down, one pick, a four-tick turn, and a result 1..5
// that decides where the script goes on.

#include <cstdint>

#include "gfx/geometry.h"

namespace velmora {

class TForm1;

// The strip under the cards where the game's one-line messages stand.
inline constexpr Rect PhotoMessageStrip{185, 300, 350, 330};

class PhotoGame {
 public:
  explicit PhotoGame(TForm1& form) : form_(form) {}

  // 0 scene into BackBuffer, 2 the four backs on screen, 3 restore the message strip.
  void DrawPhotoScreen(int kind);
  // 0..5 back or face, 6 edge-on back, 7 erase, 8 edge-on face of the pick; column 0..3.
  void DrawCard(int kind, int column);
  // A new game of cards: no pick, no retry yet, then the deal.
  void StartPhotoGame();
  // Pays 10 points, lays the four backs and shuffles the five values anew.
  void DealCards();
  // Message 0 (the prompt) or the message of result 1..5 in the strip, on screen.
  void ShowPhotoMessage(int result);
  // The pointer release in mode 3.
  void PhotoGameClick();
  // One 50 ms step of turning the picked card; a step that fails stops the turn.
  void Play_TimerTimer();
  // The picked card's face; from here on GamePick holds the result.
  void RevealCard();

  // Whether result 1..5 sends heroine Partner away, so that the result's scene plays
  // without her (its label is still looked up with her as the partner).
  static bool SendsPartnerAway(int partner, int result);

  // Asset offset of the photo scene for CurrentPlace.
  int32_t PhotoScene() const;

  // Cells of the card sheet: the back (0), the face of value 1..5, the edge-on back (6).
  static Rect CardCell(int kind);
  // The edge-on face of value 1..5.
  static Rect EdgeFaceCell(int value);
  // Where column 0..3 holds a full card, and where an edge-on card stands in it.
  static Rect CardSlot(int column);
  static Rect EdgeSlot(int column);

 private:
  // The step of the turn Play_Timer's tag counts to.
  void TurnCardStep();
  // The shuffle of one deal: GameCards[1..5] become an order of the values 1..5.
  void ShuffleCards();
  // What the next button does with the result.
  void ApplyResult();

  TForm1& form_;
};

}  // namespace velmora
