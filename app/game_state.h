#pragma once
// The whole state of the game, with the names and exact widths it has always had. Byte
// and word arithmetic wraps; every numbered table is checked on access.

#include <cstdint>

#include "app/indexed_array.h"

namespace velmora {

struct GameState {
  int32_t DayCount = 0;       // days since the first day; 0 while the opening plays
  uint8_t TimeSlot = 0;       // 10-minute slots, 1 = 10:00; 44 and 45 are night markers
  uint8_t TownPhase = 0;      // sub-state of the town screen, 0..7
  int32_t ChoiceSet = 0;      // which choice the town screen offers (2, 3, 6)
  uint8_t CurrentPlace = 0;   // where the player is, 1 = home
  uint8_t TargetPlace = 0;    // place picked on the map, or the scene shown; 0 = none
  uint8_t Partner = 0;        // heroine of the current event, 0 = none
  int32_t Points = 0;         // action points
  IndexedArray<int32_t, 0, 3> HeroineWait{"HeroineWait"};    // by heroine, 0 = none
  IndexedArray<int32_t, 0, 2> HeroineGauge{"HeroineGauge"};  // heroine n in entry n-1
  IndexedArray<uint8_t, 1, 14> EventState{"EventState"};     // 0 locked, 1 open, 2 done
  IndexedArray<int32_t, 1, 16> PlaceOpen{"PlaceOpen"};       // 1 open, 0 closed, >1 counting down
  uint8_t CurrentEvent = 0;   // event being played, 0 = none
  uint16_t ScriptPos = 0;     // next script line; 0 = no block under way
  uint8_t CgShown = 0;        // 1 while a full-screen picture is up
  uint8_t ModeArg = 0;        // 0 title and album, 1 play, 2 picture viewed from the album
  uint8_t CurrentCg = 0;      // CG in play, or the album slot selected or lit
  int32_t ScreenMode = 0;     // 0..8
  int32_t PressedButton = 0;  // on-screen button held down, 0 = none
  int32_t PanY = 0;
  int32_t PanX = 0;
  int32_t GamePhase = 0;      // photo game: 0 none, 1 choosing, 2 result
  int32_t GamePick = 0;       // photo game: card picked, then its value
  int32_t GameRetries = 0;
  IndexedArray<int32_t, 1, 5> GameCards{"GameCards"};
  IndexedArray<int32_t, 1, 8> CgSeen{"CgSeen"};              // album flags, 1 = seen
};

}  // namespace velmora
