#pragma once
// The screen-mode machine: every screen is entered through G_Timer in two phases, first
// composing it in BackBuffer and wiping to it, then settling (menus and the mode's first
// action). Also the new-game, continue and back-to-title entry and the full reset.

#include <array>
#include <cstdint>

namespace velmora {

class TForm1;

// Backdrop of screen modes 0..3: plain, title, album, town frame.
inline constexpr std::array<int32_t, 4> ModeBackdrops = {36054, 957708, 1879362, 2801016};

class ScreenModes {
 public:
  explicit ScreenModes(TForm1& form) : form_(form) {}

  // One tick of the mode timer: phase 2 when its tag is set, phase 1 otherwise.
  void G_TimerTimer();
  void EnterMode(int32_t mode);
  void SettleMode(int32_t mode);
  void SwitchMode(int32_t mode, uint8_t arg);
  // Disables the game menu items and starts the mode timer.
  void BeginModeChange();
  // 0 clear the play position, 1 new game, 2 continue, 3 back to the title.
  void StartGame(int32_t kind);
  void ResetGameState();
  void ClearAlbum();
  // 1 enables "戻る", 2 disables it.
  void SetBackMenu(int32_t op);
  void ShowOpening();

 private:
  TForm1& form_;
};

}  // namespace velmora
