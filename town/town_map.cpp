#include "town/town_map.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "app/form.h"
#include "gfx/asset_table.h"
#include "gfx/sjis.h"

namespace velmora {

namespace {

// A remark's identity: the town phase and a hash of its words (a phase has several).
std::string RemarkId(int phase, const std::string& sjis) {
  uint32_t hash = 2166136261u;  // FNV-1a
  for (const char c : sjis) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
  char text[32];
  std::snprintf(text, sizeof text, "remark:%d:%08x", phase, static_cast<unsigned>(hash));
  return text;
}

constexpr int kNoModeSwitch = -1;     // Finish without a mode change
constexpr int kHome = 1;
constexpr int kStayCost = 5;          // picking the place one is at
constexpr int kEventMinPoints = 20;   // fewer points after a move: no event starts
constexpr uint8_t kWalkEndsSlot = 43; // 17:00
constexpr int kBedtimeScene = 14;
constexpr Rect kConfirmBoxSprite{0, 0, 300, 90};
constexpr Rect kMarkerSprite{313, 70, 335, 120};
constexpr Rect kPromptStrip{10, 20, 310, 50};
constexpr int kPreviewSize = 76;
constexpr Point kRemarkAt{35, 395};

bool OneOf(int v, std::initializer_list<int> values) {
  for (int x : values)
    if (v == x) return true;
  return false;
}

}  // namespace

int32_t TownMap::MoveCost(int32_t destination) const {
  const int32_t a = destination;
  const int32_t b = form_.State.CurrentPlace;
  if (a == b) return kStayCost;
  const int32_t za = PlaceTable[a].Zone;
  const int32_t zb = PlaceTable[b].Zone;
  int32_t n = std::abs(zb - za);
  if (n == 0) n = 1;
  n += 1;
  // The map's roads do not follow the distance bands everywhere; these are the detours.
  switch (b) {
    case 1:
      n = za;
      break;
    case 2:
      if (za == 1 || za == 3)
        n = zb + za;
      else if (za >= 4 && za <= 12)
        n += 2;
      break;
    case 5:
      if (OneOf(a, {6, 7, 15})) n = zb + za;
      break;
    case 6:
      if (OneOf(a, {2, 5})) n = zb + za;
      break;
    case 7:
    case 15:
      if (OneOf(a, {2, 5})) n = zb + za;
      if (za >= 4 && za <= 12) n += 3;
      break;
    default:
      if (za == 3) {
        if (a == 2)
          n += 2;
        else if (a == 7 || a == 15)
          n += 3;
      }
      break;
  }
  if (a == kHome) n = 1;  // going home is always one step
  return 10 * n;
}

int32_t TownMap::ConfirmTop() const {
  // Places in the lower part of the map get the box at the top, out of their way.
  return PlaceTable[form_.State.TargetPlace].Zone < 4 ? 70 : 270;
}

uint8_t TownMap::MapHit(int32_t x, int32_t y) const {
  const GameState& s = form_.State;
  switch (s.TownPhase) {
    case 1:
      for (const MapHotspot& h : MapHotspots)
        if (x >= h.X && x < h.X + h.W && y >= h.Y && y < h.Y + h.H) return static_cast<uint8_t>(h.Place);
      return 0;
    case 2: {
      const int32_t dy = y - ConfirmTop();
      if (!InRange(dy, 55, 79)) return 0;
      if (InRange(x, 224, 264)) return MoveCost(s.TargetPlace) > s.Points ? 0 : 9;  // go, if affordable
      if (InRange(x, 269, 309)) return 10;  // cancel
      return 0;
    }
    case 4:
      return static_cast<uint8_t>(form_.Choice.ChoiceOptionAt(x, y));
    default:
      return 0;
  }
}

Point TownMap::PreviewOrigin(int32_t place) const {
  const Rect& r = PlaceTable[place].MapRect;
  int left = r.Left - (kPreviewSize - r.Width()) / 2;
  const int top = r.Top - (kPreviewSize - r.Height()) / 2;
  // Keep the crop inside the map area sideways; the map's top and bottom rows have no
  // labels close enough to the edge to need it.
  if (left < 10) left = 10;
  if (left > 434) left = 434;
  return {left, top};
}

void TownMap::ShowMoveConfirm() {
  const GameState& s = form_.State;
  if (s.TargetPlace == 0) return;
  AssetPictures& assets = form_.Assets;
  const int t = ConfirmTop();
  assets.DrawAssetRect(kConfirmBoxSprite, {20, t, 320, t + 90}, TownSprites, 0);
  const Point p = PreviewOrigin(s.TargetPlace);
  const Rect crop{p.X, p.Y, p.X + kPreviewSize, p.Y + kPreviewSize};
  assets.DrawAssetRect(crop, PictureBoxRect, TownBackdrop, 0);
  assets.DrawAssetRect(crop, {28, t + 7, 104, t + 83}, TownBackdrop, 0);
  const int32_t cost = MoveCost(s.TargetPlace);
  form_.Status.DrawStatusField(4, -cost);
  form_.Status.DrawStatusField(7, cost);
  if (cost > s.Points) {
    // Too dear: the go button is painted over and MapHit never answers 9.
    form_.Text.SetTextStyle(0);
    const Rect goButton{108, t + 55, 264, t + 79};
    assets.DrawAssetRect(goButton, goButton, PlainBackdrop, 0);
    form_.Text.DrawText(116, t + 59, Sjis("ポイントが足りません"));
  }
}

void TownMap::DrawDestinationMenu(int32_t hovered) {
  const GameState& s = form_.State;
  TextStyles& text = form_.Text;
  // BackBuffer holds the map with the open places' labels; copying it wipes the names.
  CopyRect(form_.ImageBa.Bitmap, SceneRect, form_.BackBuffer, SceneRect);
  form_.Assets.DrawAssetRect(kPromptStrip, kPromptStrip, PlainBackdrop, 0);
  text.SetTextStyle(0);
  text.DrawText(50, 27, Sjis("移動先を選んでください。"));
  for (int place = 1; place <= 16; ++place) {
    text.SetTextStyle(7);
    const TBa_Rec& rec = PlaceTable[place];
    if (s.PlaceOpen[place] == 1 && MoveCost(place) <= s.Points)
      text.DrawText(rec.MapRect.Left, rec.MapRect.Top - 10, Sjis(rec.Name));
  }
  DrawScene(3);
  if (hovered > 0) {
    // The hovered place is lit even when it is too dear to show its name otherwise.
    text.SetTextStyle(3);
    const TBa_Rec& rec = PlaceTable[hovered];
    if (s.PlaceOpen[hovered] == 1) text.DrawText(rec.MapRect.Left, rec.MapRect.Top - 10, Sjis(rec.Name));
  }
}

void TownMap::DrawScenePicture(int32_t scene) {
  // ScenePictures is checked: a scene number from a script that names no picture raises.
  form_.Assets.DrawAssetAt(SceneRect.Left, SceneRect.Top, AssetTable.ScenePictures[scene], 1);
}

void TownMap::DrawScene(int kind) {
  const GameState& s = form_.State;
  AssetPictures& assets = form_.Assets;
  switch (kind) {
    case 0:
      assets.LoadBackdrop(TownBackdrop);
      form_.Status.RefreshStatus(1);
      DrawPhaseScene();
      break;
    case 1:
      for (int place = 1; place <= 16; ++place)
        if (s.PlaceOpen[place] == 1)
          assets.DrawAssetSprite(PlaceTable[place].SpriteRect, PlaceTable[place].MapRect, TownSprites, 1);
      break;
    case 2:
      assets.LoadBackdrop(TownBackdrop);
      form_.Status.RefreshStatus(1);
      DrawScenePicture(s.TargetPlace);
      break;
    case 3: {
      const Rect& r = PlaceTable[s.CurrentPlace].MapRect;
      assets.DrawAssetSprite(kMarkerSprite, {r.Left + 10, r.Bottom - 45, r.Left + 32, r.Bottom + 5}, TownSprites, 0);
      break;
    }
    default:
      assets.LoadBackdrop(PlainBackdrop);
      break;
  }
}

void TownMap::DrawPhaseScene() {
  const GameState& s = form_.State;
  switch (s.TownPhase) {
    case 0:  // morning at home
      DrawScenePicture(1);
      break;
    case 1:
      DrawScene(1);
      break;
    case 3:
      DrawScenePicture(s.TargetPlace);
      break;
    case 4:
      if (s.ChoiceSet > 2) {
        if (s.Partner == 1 || s.Partner == 2) form_.Portrait.DrawPartnerPortrait(3, false, 2);
      } else {
        DrawScenePicture(s.TargetPlace);
      }
      break;
    case 5:
      if (s.TargetPlace == 0)
        DrawScene(1);
      else
        DrawScenePicture(s.TargetPlace & 0x7F);
      break;
    case 6:
      DrawScenePicture(kBedtimeScene);
      break;
    case 7:  // asleep: the map area goes blank
      form_.Assets.DrawAssetRect(SceneRect, SceneRect, PlainBackdrop, 1);
      break;
    default:  // 2 and unknown phases: the bare frame
      break;
  }
}

void TownMap::EnterTown(int stage) {
  GameState& s = form_.State;
  if (stage == 1) {
    DrawScene(0);
    return;
  }
  if (stage != 2) return;
  form_.Feed.Clear();
  form_.Status.RefreshStatus(0);
  form_.Assets.DrawAssetRect(PictureBoxRect, PictureBoxRect, TownBackdrop, 0);  // clear the preview
  // The remark is chosen on the state as it stands, before this phase's own point change.
  const std::string remark = form_.Clock.TownMessage(s.TownPhase);
  switch (s.TownPhase) {
    case 0:
      if (s.Points <= 100) {  // slept in: a bonus to make up for the lost morning
        s.Points += 50;
        form_.Status.RefreshStatus(0);
      }
      break;
    case 1:
      DrawDestinationMenu(0);
      break;
    case 6:
      if (s.CurrentPlace != kHome) form_.Clock.AdvanceTime(5);
      break;
    default:
      break;
  }
  if (!remark.empty() && OneOf(s.TownPhase, {0, 5, 6, 7})) {
    form_.Status.RefreshStatus(0);
    form_.Text.DrawMessageWindow();
    form_.Button.DrawButton(0, 5);
    form_.Text.SetTextStyle(0);
    form_.Feed.Begin(UnitKind::Remark, RemarkId(s.TownPhase, remark));
    form_.Text.DrawStoryText(kRemarkAt.X, kRemarkAt.Y, remark);
    form_.Feed.End();
  }
}

void TownMap::AdvanceTown() {
  GameState& s = form_.State;
  switch (s.TownPhase) {
    case 0:
    case 5:
    case 6:
    case 7:
      if (s.PressedButton == 0) return;
      if (s.TownPhase != 0) form_.Clock.AdvanceTime(s.TownPhase - 5u);
      s.TownPhase = static_cast<uint8_t>(s.TownPhase == 7 ? 0 : s.TownPhase + 1);
      Finish(4);
      break;
    case 1:
      if (s.TargetPlace == 0) return;
      form_.Modes.SetBackMenu(2);
      ShowMoveConfirm();
      s.TownPhase = 2;
      Finish(kNoModeSwitch);
      break;
    case 2:
      if (s.PressedButton == 9) {
        Move();
      } else if (s.PressedButton == 10) {  // cancel: back to the menu, redrawn in place
        s.TownPhase = 1;
        s.TargetPlace = 0;
        EnterTown(2);
      }
      Finish(kNoModeSwitch);
      break;
    case 3:
      // The walk goes on while going home is still affordable and it is not yet 17:00.
      s.TownPhase = static_cast<uint8_t>(MoveCost(kHome) < s.Points ? 1 : 5);
      if (s.TimeSlot >= kWalkEndsSlot) s.TownPhase = 5;
      s.TargetPlace = 0;
      Finish(4);
      break;
    case 4:
      if (s.PressedButton != 0) form_.Choice.ChoicePanel(s.PressedButton);
      break;
    default:
      Finish(kNoModeSwitch);
      break;
  }
}

void TownMap::Finish(int mode) {
  form_.State.PressedButton = 0;
  if (mode != kNoModeSwitch) form_.Modes.SwitchMode(mode, 1);
}

void TownMap::Move() {
  GameState& s = form_.State;
  form_.Clock.AdvanceTime(3);
  s.CurrentPlace = s.TargetPlace;
  if (s.Points >= kEventMinPoints)
    form_.Event.ChooseEvent();
  else
    s.CurrentEvent = 0;
  s.ScriptPos = 0;
  s.TownPhase = 3;
  if (s.CurrentEvent != 0) {
    // From here on TargetPlace holds the scene number of the place's picture.
    s.TargetPlace = static_cast<uint8_t>(PlaceTable[s.CurrentPlace].PlaceKind);
    Finish(6);
  } else if (s.CurrentPlace == kHome) {
    s.Partner = 0;
    s.TownPhase = 5;
    Finish(4);
  } else {
    AdvanceTown();  // phase 3: back on the map, or the walk is over
  }
}

}  // namespace velmora
