#include "app/screen_modes.h"

#include "app/form.h"
#include "gfx/asset_table.h"

namespace velmora {

void ScreenModes::G_TimerTimer() {
  if (form_.G_Timer.Tag != 0)
    SettleMode(form_.State.ScreenMode);
  else
    EnterMode(form_.State.ScreenMode);
}

void ScreenModes::EnterMode(int32_t mode) {
  GameState& s = form_.State;
  if (mode >= 0 && mode < 4) form_.Assets.LoadBackdrop(ModeBackdrops[static_cast<size_t>(s.ScreenMode)]);
  switch (mode) {
    case 0:
      ShowOpening();
      return;  // no transition: the opening moves on to the title by itself
    case 1:
      if (s.CgSeen[4] == 1) form_.Button.DrawButton(0, 3);
      break;
    case 2:
      form_.Cg.DrawUnseenCgSlots();
      break;
    case 3:
      form_.Photo.DrawPhotoScreen(0);
      break;
    case 4:
      form_.Town.EnterTown(1);
      break;
    case 5:
      form_.Cg.ShowCg();
      break;
    case 6:
      form_.Interp.RunScriptCommand(0);
      break;
    case 7:
      form_.Event.ShowEnding(0);
      break;
    default:
      break;
  }
  form_.Wipes.PlayTransition();
  form_.G_Timer.Tag = 1;
  form_.G_Timer.SetInterval(300);
}

void ScreenModes::SettleMode(int32_t mode) {
  GameState& s = form_.State;
  form_.G_Timer.SetEnabled(false);
  form_.G_Timer.Tag = 0;
  form_.G_Timer.SetInterval(1);
  if (mode == 2 || mode == 3 || mode == 4 || mode == 6 || mode == 7) form_.ReSet_Btn1.SetEnabled(true);
  switch (mode) {
    case 1:
      form_.Start_Btn1.SetEnabled(true);
      break;
    case 3:
      form_.Photo.StartPhotoGame();
      break;
    case 4:
      form_.Town.EnterTown(2);
      break;
    case 5:
      form_.CG_Timer.SetEnabled(true);
      break;
    case 6:
      if (s.ModeArg == 2)
        form_.Button.DrawButton(0, 5);
      else
        form_.Interp.ShowTextPage();
      break;
    case 7:
      form_.Event.ShowEnding(1);
      break;
    default:
      break;
  }
}

void ScreenModes::SwitchMode(int32_t mode, uint8_t arg) {
  form_.State.ScreenMode = mode;
  form_.State.ModeArg = arg;
  BeginModeChange();
}

void ScreenModes::BeginModeChange() {
  form_.Feed.Clear();  // whatever was being read leaves the screen
  for (MenuItem* item : {&form_.Start_Btn1, &form_.ReStart_Btn1, &form_.ReSet_Btn1, &form_.Save_Btn1,
                         &form_.Load_Btn1})
    if (item->Enabled()) item->SetEnabled(false);
  form_.G_Timer.SetEnabled(true);
}

void ScreenModes::StartGame(int32_t kind) {
  GameState& s = form_.State;
  s.GamePhase = 0;
  s.GameRetries = 0;
  s.CurrentEvent = 0;
  s.ScriptPos = 0;
  s.CgShown = 0;
  s.CurrentCg = 0;
  s.ModeArg = 1;
  switch (kind) {
    case 1:
      ResetGameState();
      SwitchMode(6, 1);
      break;
    case 2:
      SwitchMode(4, 1);
      break;
    case 3:
      ResetGameState();
      SwitchMode(1, 0);
      break;
    default:
      break;
  }
}

void ScreenModes::ResetGameState() {
  GameState& s = form_.State;
  s.DayCount = 0;
  s.TimeSlot = 1;
  s.TownPhase = 3;
  s.ChoiceSet = 0;
  s.CurrentPlace = 1;
  s.TargetPlace = 0;
  s.Partner = 0;
  s.Points = 200;
  s.HeroineWait.Fill(0);
  s.HeroineGauge.Fill(0);
  for (int i = 1; i <= 14; ++i) s.EventState[i] = EventTable[i].InitialState;
  for (int i = 1; i <= 16; ++i) s.PlaceOpen[i] = (i == 2 || i == 3 || i == 4 || i == 12) ? 0 : 1;
}

void ScreenModes::ClearAlbum() { form_.State.CgSeen.Fill(0); }

void ScreenModes::SetBackMenu(int32_t op) {
  if (op == 1)
    form_.ReSet_Btn1.SetEnabled(true);
  else if (op == 2)
    form_.ReSet_Btn1.SetEnabled(false);
}

void ScreenModes::ShowOpening() {
  form_.Assets.DrawAssetAt(173, 218, kOpeningLogo, 1);
  DrawPicture(form_.ImageBa.Bitmap, 0, 0, form_.BackBuffer);
  form_.Text.SetTextStyle(0);
  form_.State.ScreenMode = 1;
  form_.G_Timer.SetInterval(1000);
}

}  // namespace velmora
