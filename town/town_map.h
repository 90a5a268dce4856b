#pragma once
// The town screen: the place table and the map's hit rectangles, move costs, the
// confirmation box, the destination menu, scene composition and the TownPhase machine.

#include <cstdint>

#include "app/indexed_array.h"
#include "gfx/geometry.h"

namespace velmora {

class TForm1;

struct TBa_Rec {
  int32_t PlaceKind;  // scene number of the place's picture (read as its low byte)
  int32_t Zone;       // distance band; home is 0
  const char* Name;   // the map label, a blank on each side (UTF-8; drawn as Shift-JIS)
  Rect MapRect;       // the label on the map
  Rect SpriteRect;    // the label's picture in TownSprites
};

struct MapHotspot {
  int32_t X, Y, W, H;
  int32_t Place;
};

inline const IndexedArray<TBa_Rec, 1, 16> PlaceTable = [] {
  IndexedArray<TBa_Rec, 1, 16> t("場所");
  t[1] = {1, 0, " 自宅 ", {168, 338, 202, 364}, {0, 90, 34, 116}};
  t[2] = {2, 3, " Mirelの家 ", {106, 251, 141, 275}, {34, 90, 69, 114}};
  t[3] = {3, 11, " Sanuの家 ", {326, 106, 365, 141}, {0, 119, 39, 154}};
  t[4] = {4, 8, " Orikaの家 ", {104, 148, 142, 175}, {69, 90, 107, 117}};
  t[5] = {5, 2, " 公園 ", {151, 272, 231, 308}, {39, 119, 119, 155}};
  t[6] = {6, 1, " コンビニ ", {219, 342, 250, 364}, {0, 155, 31, 177}};
  t[7] = {6, 3, " コンビニ ", {444, 370, 475, 392}, {31, 155, 62, 177}};
  t[8] = {6, 5, " コンビニ ", {331, 180, 362, 202}, {62, 155, 93, 177}};
  t[9] = {6, 10, " コンビニ ", {162, 127, 193, 149}, {300, 48, 331, 70}};
  t[10] = {7, 4, " スーパー ", {372, 226, 448, 255}, {107, 90, 183, 119}};
  t[11] = {7, 7, " スーパー ", {74, 205, 150, 234}, {183, 90, 259, 119}};
  t[12] = {8, 10, " 街 ", {56, 96, 117, 123}, {119, 119, 180, 146}};
  t[13] = {8, 9, " 街 ", {10, 120, 106, 163}, {181, 120, 277, 163}};
  t[14] = {8, 8, " 街 ", {10, 163, 62, 201}, {277, 120, 329, 158}};
  t[15] = {8, 3, " 街 ", {438, 337, 500, 364}, {119, 146, 181, 173}};
  t[16] = {8, 12, " ファミレス ", {450, 39, 504, 69}, {259, 90, 313, 120}};
  return t;
}();

// Tested in this order; half-open (x <= px < x + w).
inline constexpr MapHotspot MapHotspots[20] = {
    {168, 338, 34, 26, 1}, {106, 251, 35, 24, 2}, {326, 106, 39, 35, 3}, {104, 148, 38, 27, 4},
    {151, 272, 80, 36, 5}, {219, 342, 31, 22, 6}, {444, 370, 31, 22, 7}, {331, 180, 31, 22, 8},
    {162, 127, 31, 22, 9}, {372, 226, 76, 29, 10}, {74, 205, 76, 29, 11}, {56, 96, 61, 25, 12},
    {67, 121, 50, 2, 12},  {10, 120, 39, 43, 13},  {49, 121, 18, 42, 13},  {67, 126, 34, 37, 13},
    {101, 131, 5, 17, 13}, {10, 163, 52, 38, 14},  {438, 337, 62, 27, 15}, {450, 39, 54, 30, 16},
};

class TownMap {
 public:
  explicit TownMap(TForm1& form) : form_(form) {}

  // Points a move from CurrentPlace to Destination costs.
  int32_t MoveCost(int32_t destination) const;
  // Top edge of the confirmation box for TargetPlace: 70 or 270.
  int32_t ConfirmTop() const;
  // By TownPhase: a place, a box button 9/10, a choice option, or 0.
  uint8_t MapHit(int32_t x, int32_t y) const;
  // Top-left of the 76x76 map crop previewing a place.
  Point PreviewOrigin(int32_t place) const;
  // The confirmation box for TargetPlace, with its preview and cost.
  void ShowMoveConfirm();
  // The map with the prompt, the affordable open places' names and the marker; the
  // hovered place (0 none) is lit.
  void DrawDestinationMenu(int32_t hovered);
  // 0 whole town screen, 1 labels, 2 scene change, 3 position marker; others blank.
  void DrawScene(int kind);
  // Stage 1 composes the town screen in BackBuffer; stage 2 settles it on the screen.
  void EnterTown(int stage);
  // The next step of the town screen for TownPhase and PressedButton.
  void AdvanceTown();

  // Scene picture Scene (1..17) at (10, 10) of BackBuffer.
  void DrawScenePicture(int32_t scene);

 private:
  // DrawScene kind 0's map area for the current TownPhase.
  void DrawPhaseScene();
  // Clears PressedButton and, unless Mode is -1, switches to screen mode Mode.
  void Finish(int mode);
  // Phase 2's go button: pay, arrive, and start an event or go on.
  void Move();
  TForm1& form_;
};

}  // namespace velmora
