#pragma once
// A game stopped in event play (mode 6) on a script the test writes, with the mode timer
// idle, so a test can run one page or one command and see what it did to the state,
// ScriptPos and the mode timer.

#include <ostream>
#include <string>
#include <vector>

#include "support/fixtures.h"

namespace velmora::testing {

// Where play stands after a step: the position, the screen, and whether a mode change
// (the mode timer) follows.
struct After {
  int ScriptPos;
  int ScreenMode;
  int CgShown;
  bool Timer;
  bool operator==(const After&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const After& a) {
    return out << "{pos " << a.ScriptPos << ", mode " << a.ScreenMode << ", CgShown " << a.CgShown
               << (a.Timer ? ", timer on}" : ", timer off}");
  }
};

class Play {
 public:
  explicit Play(const std::string& scriptUtf8) : game(scriptUtf8) {
    form.G_Timer.SetEnabled(false);
    form.G_Timer.Tag = 0;
    form.Modes.ResetGameState();
    s.ScreenMode = 6;
    s.ModeArg = 1;
    s.DayCount = 3;
    s.TargetPlace = 1;  // the home scene, as after the opening's first "<B>"
    host.ClearRecords();
  }

  // Starts the block of Event for Partner as the enter phase of mode 6 does.
  void Begin(uint8_t partner, uint8_t event) {
    s.Partner = partner;
    s.CurrentEvent = event;
    s.ScriptPos = 0;
    form.Interp.RunScriptCommand(0);
  }

  // Runs the command of the line at Pos (a tag line) on the script as it stands.
  void RunAt(uint16_t pos) {
    s.ScriptPos = pos;
    form.Interp.RunScriptCommand(ScriptText::TagIndex(form.ScriptLines[pos]));
  }

  After Now() const { return {s.ScriptPos, s.ScreenMode, s.CgShown, form.G_Timer.Enabled()}; }
  // Lets the next step show whether it restarts the mode timer.
  void StopTimer() { form.G_Timer.SetEnabled(false); }

  // The message of the game error F raises, or "" when it raises none.
  template <typename F>
  static std::string ErrorOf(F&& f) {
    try {
      f();
    } catch (const GameError& e) {
      return e.what();
    }
    return "";
  }

  TestGame game;
  TForm1& form = game.form();
  GameState& s = game.state();
  HeadlessHost& host = game.host();
};

}  // namespace velmora::testing
