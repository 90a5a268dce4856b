#pragma once
// The fourteen events: which one starts where the player arrives, what finishing one
// does, and the ending screen that closes a route.

#include <cstdint>

#include "app/indexed_array.h"

namespace velmora {

class TForm1;

struct TEvent_Rec {
  uint8_t Heroine;       // 0 none, 1..3
  uint8_t Place;         // where it starts
  uint8_t InitialState;  // EventState at a new game
  uint8_t OpensEvent;    // made open when this one is finished, if still locked
  uint8_t OpensPlace;    // PlaceOpen set to 1 when finished
  uint8_t MovesTo;       // CurrentPlace after it, 0 stay
  int32_t WaitDays;      // the heroine's wait afterwards; 0 or less counts as 1
  uint8_t ClosesEvent;   // set back to locked when finished, if open
};

inline const IndexedArray<TEvent_Rec, 1, 14> EventTable = [] {
  IndexedArray<TEvent_Rec, 1, 14> t("イベント");
  t[1] = {1, 10, 1, 2, 0, 0, 0, 0};
  t[2] = {1, 13, 0, 3, 0, 0, 0, 0};
  t[3] = {1, 10, 0, 4, 2, 2, 2, 0};
  t[4] = {1, 2, 0, 5, 0, 0, 0, 0};
  t[5] = {1, 5, 0, 7, 0, 0, 0, 0};
  t[6] = {1, 2, 1, 0, 0, 0, 0, 0};
  t[7] = {1, 10, 0, 8, 0, 0, 0, 6};
  t[8] = {1, 2, 0, 0, 0, 0, 2, 0};
  t[9] = {2, 5, 1, 0, 0, 0, 0, 0};
  t[10] = {3, 13, 1, 0, 0, 0, 0, 0};
  t[11] = {0, 6, 1, 12, 0, 0, 0, 0};
  t[12] = {0, 7, 0, 13, 0, 0, 0, 0};
  t[13] = {0, 8, 0, 0, 0, 0, 0, 0};
  t[14] = {0, 2, 0, 0, 0, 0, 0, 0};
  return t;
}();

class Events {
 public:
  explicit Events(TForm1& form) : form_(form) {}

  // Sets CurrentEvent (and Partner) for an arrival at CurrentPlace.
  void ChooseEvent();
  // The day rule of a heroine for today.
  bool PartnerAvailable(int heroine) const;
  // Applies the outcome of CurrentEvent.
  void FinishEvent();
  // Phase 0 marks the route done and darkens BackBuffer; phase 1 writes the ending line.
  void ShowEnding(int phase);

 private:
  TForm1& form_;
};

}  // namespace velmora
