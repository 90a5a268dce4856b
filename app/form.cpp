#include "app/form.h"

namespace velmora {

TForm1::TForm1(Host& h) : host(h) {
  BuildMainMenu();
  for (GameTimer* timer : {&G_Timer, &CG_Timer, &Play_Timer})
    timer->OnChange = [this](const GameTimer& t) { host.TimerChanged(t); };
}

void TForm1::BuildMainMenu() {
  MainMenu1.Add(Game_Btn1);
  Game_Btn1.Add(Start_Btn1);
  Game_Btn1.Add(ReStart_Btn1);
  Game_Btn1.Add(ReSet_Btn1);
  Game_Btn1.Add(Exit_Btn1);
  MainMenu1.Add(Save_Btn1);
  Save_Btn1.Add(Save_1);
  Save_Btn1.Add(Save_2);
  Save_Btn1.Add(Save_3);
  MainMenu1.Add(Load_Btn1);
  Load_Btn1.Add(Load_1);
  Load_Btn1.Add(Load_2);
  Load_Btn1.Add(Load_3);
  MainMenu1.Add(N1);
  N1.Add(BGM_Btn1);
  BGM_Btn1.Add(ON1);
  BGM_Btn1.Add(OFF1);
  MainMenu1.Add(About_Btn1);
  MainMenu1.Add(TEXT1);
  ON1.SetChecked(true);

  Start_Btn1.OnClick = [this](MenuItem&) { Start_Btn1Click(); };
  ReStart_Btn1.OnClick = [this](MenuItem&) { ReStart_Btn1Click(); };
  ReSet_Btn1.OnClick = [this](MenuItem&) { ReSet_Btn1Click(); };
  Exit_Btn1.OnClick = [this](MenuItem&) { Exit_Btn1Click(); };
  for (MenuItem* save : {&Save_1, &Save_2, &Save_3}) save->OnClick = [this](MenuItem&) { Save_3Click(); };
  Load_Btn1.OnClick = [this](MenuItem&) { Load_Btn1Click(); };
  for (MenuItem* load : {&Load_1, &Load_2, &Load_3}) load->OnClick = [this](MenuItem&) { Load_3Click(); };
  ON1.OnClick = [this](MenuItem& sender) { ON1Click(sender); };
  OFF1.OnClick = [this](MenuItem& sender) { ON1Click(sender); };
  About_Btn1.OnClick = [this](MenuItem&) { About_Btn1Click(); };
  TEXT1.OnClick = [this](MenuItem&) { TEXT1Click(); };

  std::vector<MenuItem*> pending = {&MainMenu1};
  while (!pending.empty()) {
    MenuItem* item = pending.back();
    pending.pop_back();
    item->OnChange = [this](const MenuItem& changed) { host.MenuChanged(changed); };
    for (MenuItem* child : item->Items()) pending.push_back(child);
  }
}

void TForm1::FormCreate() {
  Caption = kWindowCaption;
  Color = kBlack;
  ClientWidth = 640;
  ClientHeight = 480;
  ImageBa.Bitmap = Picture(640, 480, PixelFormat::Bgrx32);
  ImageMap.Bitmap = Picture(640, 480, PixelFormat::Bgrx32);
  host.WindowChanged();

  Start_Btn1.SetEnabled(false);
  ReStart_Btn1.SetEnabled(false);
  Save_Btn1.SetEnabled(false);
  Load_Btn1.SetEnabled(false);
  ReSet_Btn1.SetEnabled(false);
  TEXT1.SetVisible(false);
  ReStart_Btn1.SetVisible(false);
  Save_Btn1.SetVisible(false);
  Load_Btn1.SetVisible(false);

  State.ScreenMode = 0;
  State.PressedButton = 0;
  State.PanY = 0;
  State.PanX = 0;

  Tag = host.FileExists(kAssetFilePath) ? 0 : 1;
  if (AssetsMissing()) {
    G_Timer.SetEnabled(false);
    host.ShowMessage("ファイルが足りません\n");
    ImageBa.Visible = false;
    host.WindowChanged();
    return;
  }
  Modes.StartGame(0);
  Modes.ClearAlbum();
  AssetStream = host.OpenRead(kAssetFilePath);
  BackBuffer = Picture(640, 480);
  ScriptLines.Clear();
  Script.LoadScript();
  G_Timer.SetEnabled(true);
}

void TForm1::FormClose() {
  for (GameTimer* timer : {&G_Timer, &CG_Timer, &Play_Timer})
    if (timer->Enabled()) timer->SetEnabled(false);
  if (AssetsMissing() == 0) {
    AssetStream.reset();
    BackBuffer.Release();
    ScriptLines.Clear();
  }
}

void TForm1::G_TimerTimer() {
  try {
    Modes.G_TimerTimer();
  } catch (...) {
    AbandonModeChange();
    throw;
  }
}

void TForm1::AbandonModeChange() {
  // The original ticked the failing phase again and again, one error box after another.
  // A failed opening picture is only decoration: go on to the title. Any other screen
  // stops its change where it failed and leaves the player the way back to the title.
  if (State.ScreenMode == 0) {
    State.ScreenMode = 1;
    G_Timer.Tag = 0;
    G_Timer.SetInterval(1000);
    return;
  }
  G_Timer.SetEnabled(false);
  G_Timer.Tag = 0;
  G_Timer.SetInterval(1);
  if (State.ScreenMode == 1)
    Start_Btn1.SetEnabled(true);
  else
    ReSet_Btn1.SetEnabled(true);
}

void TForm1::CG_TimerTimer() { Cg.CG_TimerTimer(); }
void TForm1::Play_TimerTimer() { Photo.Play_TimerTimer(); }

void TForm1::ImageBaMouseDown(MouseButton button, int x, int y) { Input.ImageBaMouseDown(button, x, y); }
void TForm1::ImageBaMouseMove(int x, int y) { Input.ImageBaMouseMove(x, y); }
void TForm1::ImageBaMouseUp(MouseButton button, int x, int y) { Input.ImageBaMouseUp(button, x, y); }

void TForm1::TimerTick(TimerId id) {
  switch (id) {
    case TimerId::G_Timer:
      if (G_Timer.Enabled()) G_TimerTimer();
      break;
    case TimerId::CG_Timer:
      if (CG_Timer.Enabled()) CG_TimerTimer();
      break;
    case TimerId::Play_Timer:
      if (Play_Timer.Enabled()) Play_TimerTimer();
      break;
  }
}

void TForm1::MenuClick(MenuItem& item) {
  if (item.Enabled() && item.Visible() && item.OnClick) item.OnClick(item);
}

void TForm1::Start_Btn1Click() {
  if (G_Timer.Enabled()) return;
  Modes.StartGame(1);
}

void TForm1::ReStart_Btn1Click() {
  if (G_Timer.Enabled() || Play_Timer.Enabled()) return;
  Modes.StartGame(2);
}

void TForm1::ReSet_Btn1Click() {
  if (G_Timer.Enabled() || Play_Timer.Enabled()) return;
  Modes.StartGame(3);
}

void TForm1::Exit_Btn1Click() {
  if (G_Timer.Enabled()) return;
  host.CloseWindow();
}

void TForm1::Save_3Click() {
  // The save slots do nothing in the trial edition.
}

void TForm1::Load_Btn1Click() {}

void TForm1::Load_3Click() {
  if (G_Timer.Enabled()) return;
  Modes.ClearAlbum();
  if (State.ScreenMode == 4) {
    Modes.StartGame(2);
  } else {
    ReStart_Btn1.SetEnabled(true);
    Button.DrawButton(0, 2);
  }
}

void TForm1::ON1Click(MenuItem& sender) {
  if (G_Timer.Enabled() || sender.Checked()) return;
  Sound.ToggleSound();
}

void TForm1::About_Btn1Click() {
  if (G_Timer.Enabled() || CG_Timer.Enabled() || Play_Timer.Enabled()) return;
  host.ShowMessage(AboutText());
}

std::string TForm1::AboutText() {
  return std::string("Velmora　Kasenrei 体験版 for Linux\n") + std::string(22, ' ') + "Version 1.0\n" + "\n" +
         std::string(6, ' ') + "Velmora Linux edition team";
}

void TForm1::TEXT1Click() { Script.LoadScript(); }

}  // namespace velmora
