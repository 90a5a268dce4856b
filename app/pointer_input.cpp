#include "app/pointer_input.h"

#include "app/form.h"

namespace velmora {

int32_t PointerInput::ButtonAt(int32_t x, int32_t y) const {
  const GameState& s = form_.State;
  switch (s.ScreenMode) {
    case 1:
      if (InRange(x, 280, 360) && InRange(y, 183, 213)) return 1;
      if (InRange(x, 280, 360) && InRange(y, 251, 281) && s.CgSeen[4] == 1) return 3;
      if (InRange(x, 280, 360) && InRange(y, 285, 315)) return 4;
      return 0;
    case 2:
      return InRange(x, 48, 117) && InRange(y, 20, 39) ? 5 : 0;
    case 3:
    case 4:
    case 6:
      if (s.CgShown == 0) return InRange(x, 430, 499) && InRange(y, 442, 461) ? 5 : 0;
      return InRange(x, 540, 609) && InRange(y, 435, 454) ? 5 : 0;
    case 8:
      if (InRange(x, 48, 117) && InRange(y, 20, 39)) return 5;
      if (InRange(x, 207, 287) && InRange(y, 260, 290)) return 7;
      return 0;
    default:
      return 0;
  }
}

int32_t PointerInput::AlbumSlotAt(int32_t x, int32_t y) {
  if (InRange(y, 183, 248)) {
    if (InRange(x, 24, 89)) return 1;
    if (InRange(x, 90, 155)) return 2;
    if (InRange(x, 156, 221)) return 3;
  } else if (InRange(y, 303, 368)) {
    if (InRange(x, 90, 155)) return 4;
    if (InRange(x, 156, 221)) return 5;
    if (InRange(x, 222, 287)) return 6;
    if (InRange(x, 288, 353)) return 7;
  } else if (InRange(y, 369, 434)) {
    if (InRange(x, 24, 89)) return 8;
  }
  return 0;
}

Point PointerInput::AlbumSlotPos(uint8_t slot, int32_t kind) {
  // Slot s stands for cell g of an eight-column grid of 66-pixel cells.
  int g = 0;
  if (slot >= 1 && slot <= 3)
    g = slot + 16;
  else if (slot >= 4 && slot <= 7)
    g = slot + 21;
  else if (slot == 8)
    g = 33;
  else
    ThrowRangeError("アルバム", slot);
  const int c = (g - 1) % 8;
  const int r = (g - 1) / 8;
  switch (kind) {
    case 0:
      if (slot <= 3) return {24 + 66 * c, 51 + 66 * r};
      if (slot <= 7) return {90 + 66 * c, 303};
      return {24 + 66 * c, 369};
    case 1:
      return {66 * c, 66 * r};
    case 2:
      return {66 * c, 66 * r + 330};
    default:
      return {0, 0};
  }
}

int32_t PointerInput::CardAt(int32_t x, int32_t y) {
  if (!InRange(y, 160, 285)) return 0;
  if (InRange(x, 50, 140)) return 1;
  if (InRange(x, 160, 250)) return 2;
  if (InRange(x, 270, 360)) return 3;
  if (InRange(x, 380, 470)) return 4;
  return 0;
}

void PointerInput::ImageBaMouseDown(MouseButton button, int x, int y) {
  if (button != MouseButton::Left || form_.G_Timer.Enabled() || form_.Play_Timer.Enabled()) return;
  GameState& s = form_.State;
  s.PressedButton = 0;
  int sound = 0;
  switch (s.ScreenMode) {
    case 0:
      return;
    case 1:
    case 6:
      s.PressedButton = ButtonAt(x, y);
      break;
    case 2:
      s.PressedButton = ButtonAt(x, y);
      if (s.PressedButton == 0) {
        const int32_t slot = AlbumSlotAt(x, y);
        if (slot > 0) {
          if (s.CgSeen[slot] == 0) {
            sound = 4;
          } else {
            s.PressedButton = 6;
            s.CurrentCg = static_cast<uint8_t>(slot);
          }
        }
      }
      break;
    case 3:
      if (s.GamePhase == 1) {
        if (s.GamePick == 0) s.GamePick = CardAt(x, y);
      } else if (s.GamePhase == 2) {
        s.PressedButton = ButtonAt(x, y);
      }
      break;
    case 4:
      switch (s.TownPhase) {
        case 1: {
          const uint8_t place = form_.Town.MapHit(x, y);
          if (place > 0 && s.PlaceOpen[place] == 1) {
            s.TargetPlace = place;
            sound = 1;
          }
          break;
        }
        case 2:
        case 4:
          s.PressedButton = form_.Town.MapHit(x, y);
          break;
        case 0:
        case 5:
        case 6:
        case 7:
          s.PressedButton = ButtonAt(x, y);
          break;
        default:
          break;
      }
      break;
    case 5:
      form_.Cg.FinishCgPan();
      break;
    case 8:
      s.PressedButton = ButtonAt(x, y);
      if (s.PressedButton == 0 && AlbumSlotAt(x, y) == s.CurrentCg) s.PressedButton = 6;
      break;
    default:
      break;
  }
  if (s.PressedButton > 0) {
    form_.Button.DrawButton(1, s.PressedButton);
    sound = 1;
  }
  if (sound > 0) form_.Sound.PlaySoundEffect(sound);
}

void PointerInput::ImageBaMouseMove(int x, int y) {
  if (form_.G_Timer.Enabled() || form_.Play_Timer.Enabled()) return;
  GameState& s = form_.State;
  if (s.PressedButton > 0) return;  // a held button keeps its pressed look
  Picture& screen = form_.ImageBa.Bitmap;
  switch (s.ScreenMode) {
    case 1: {
      const Rect buttons{280, 183, 360, 319};
      CopyRect(screen, buttons, form_.BackBuffer, buttons);
      form_.Button.DrawButton(2, ButtonAt(x, y));
      break;
    }
    case 2: {
      for (const Rect& rows : {Rect{24, 51, 618, 249}, Rect{24, 303, 618, 435}})
        CopyRect(screen, rows, form_.BackBuffer, rows);
      const int32_t slot = AlbumSlotAt(x, y);
      if (slot >= 1 && s.CgSeen[slot] > 0) {
        s.CurrentCg = static_cast<uint8_t>(slot);
        form_.Button.DrawButton(2, 6);
        s.CurrentCg = 0;
      }
      break;
    }
    case 4:
      if (s.TownPhase == 1 && s.TargetPlace == 0)
        form_.Town.DrawDestinationMenu(form_.Town.MapHit(x, y));
      else if (s.TownPhase == 4)
        form_.Choice.ChoicePanel(form_.Town.MapHit(x, y));
      break;
    default:
      break;
  }
}

void PointerInput::ImageBaMouseUp(MouseButton button, int x, int y) {
  (void)x;
  (void)y;  // where the pointer is released does not matter
  if (button != MouseButton::Left || form_.G_Timer.Enabled() || form_.Play_Timer.Enabled()) return;
  GameState& s = form_.State;
  switch (s.ScreenMode) {
    case 0:
      return;
    case 1:
      if (s.PressedButton == 1)
        form_.Start_Btn1Click();
      else if (s.PressedButton == 3)
        form_.Modes.SwitchMode(2, 0);
      else if (s.PressedButton == 4)
        form_.Exit_Btn1Click();
      break;
    case 2:
      if (s.PressedButton == 5) {
        form_.Modes.StartGame(3);
      } else if (s.PressedButton == 6) {
        s.ScreenMode = 8;
        form_.Button.DrawButton(0, 7);
      }
      break;
    case 3:
      form_.Photo.PhotoGameClick();
      break;
    case 4:
      form_.Town.AdvanceTown();
      break;
    case 6:
      if (s.PressedButton == 5) {
        if (s.ModeArg == 2)
          form_.Modes.SwitchMode(2, 0);
        else
          form_.Interp.ShowTextPage();
      }
      break;
    case 7:
      form_.ReSet_Btn1Click();
      break;
    case 8:
      if (s.PressedButton == 5) {
        form_.Modes.StartGame(3);
      } else if (s.PressedButton == 6) {
        s.ScreenMode = 2;
        s.CurrentCg = 0;
        form_.Button.DrawButton(2, 7);
        form_.Button.DrawButton(2, 8);
      } else if (s.PressedButton == 7) {
        form_.Modes.SwitchMode(5, 2);
      }
      break;
    default:
      break;
  }
  s.PressedButton = 0;
}

}  // namespace velmora
