#pragma once
// What a game pad's controls mean, in one table: each stands for a key of the shell's key
// table (shell_keys), and a pad press becomes that key's press and release, sent where the
// keyboard's would go. So a pad reaches the game only through the keys' own paths (the
// focus, the page button, the panels, skipping while Ctrl is held) and every guard of a
// key holds for it too. This part knows no SDL: pad_input reads the pads and feeds it.

#include <QEvent>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace velmora {

// The controls that mean something. The stick's four directions are controls of their own,
// as the D-pad's are.
enum class PadControl {
  A,
  B,
  Y,
  Start,
  Back,
  LeftShoulder,
  RightTrigger,
  DPadUp,
  DPadDown,
  DPadLeft,
  DPadRight,
  StickUp,
  StickDown,
  StickLeft,
  StickRight,
};

// A key as the keyboard sends it: the key and the modifiers held with it.
struct PadKey {
  int Key = 0;
  Qt::KeyboardModifiers Mods;
  friend bool operator==(const PadKey& a, const PadKey& b) { return a.Key == b.Key && a.Mods == b.Mods; }
  friend bool operator<(const PadKey& a, const PadKey& b) {
    return a.Key != b.Key ? a.Key < b.Key : a.Mods.toInt() < b.Mods.toInt();
  }
};

struct PadBinding {
  PadControl Control;
  PadKey Key;
  // Sent instead while a shell panel (backlog, slot screen, keys) has the keyboard focus.
  std::optional<PadKey> PanelKey;
  const char* Name;  // as the README and the manual page name the control
};
// The mapping, one line per control.
const std::vector<PadBinding>& PadBindings();

// The right trigger counts as pulled from this far (of 32767) and as let go below the
// second figure, so a trigger resting near a threshold does not flicker.
inline constexpr int kTriggerPull = 12000;
inline constexpr int kTriggerLetGo = 6000;
// The left stick points a way from this far off centre (of 32767) and stops pointing it
// below the second figure; inside the dead zone it points nowhere.
inline constexpr int kStickPoint = 16000;
inline constexpr int kStickDeadZone = 10000;
// A held direction repeats as a held arrow key does.
inline constexpr int kRepeatDelayMs = 400;
inline constexpr int kRepeatIntervalMs = 100;

// Turns the controls of any number of pads into key presses and releases. A key held by
// two pads at once is pressed when the first takes it and released when the last lets go.
class PadKeyboard {
 public:
  // Sends a key press or release (with whether it is a held key's repeat).
  using SendKey = std::function<void(QEvent::Type, const PadKey&, bool autoRepeat)>;
  PadKeyboard(SendKey send, std::function<bool()> panelHasFocus);
  ~PadKeyboard();
  PadKeyboard(const PadKeyboard&) = delete;
  PadKeyboard& operator=(const PadKeyboard&) = delete;

  // A button of pad Pad went down or up.
  void Control(int pad, PadControl control, bool down);
  // The left stick's position (SDL's axes: x to the right, y downward, -32768..32767).
  void Stick(int pad, int x, int y);
  // The right trigger's position (0..32767).
  void Trigger(int pad, int value);
  // The pad is gone: everything it held is let go.
  void Unplugged(int pad);
  // Whether any pad holds any key.
  bool Holding() const { return !holders_.empty(); }

 private:
  struct PadState {
    std::map<PadControl, PadKey> Held;  // what each held control pressed
    int StickX = 0, StickY = 0;
    std::optional<PadControl> StickWay;
  };
  void Press(PadState& pad, PadControl control);
  void Release(PadState& pad, PadControl control);
  void Repeat();

  SendKey send_;
  std::function<bool()> panelHasFocus_;
  std::map<int, PadState> pads_;
  std::map<PadKey, int> holders_;  // how many controls hold each key
  std::optional<PadKey> repeating_;
  QTimer repeat_;
};

}  // namespace velmora
