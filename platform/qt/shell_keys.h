#pragma once
// The keys the desktop shell answers, in one table. The game itself knows no keys: each
// of these is a comfort of the shell (fullscreen, zoom, a screenshot, saving, reading
// aids, keyboard play) or stands for a click the player could make. The same table
// decides what a key press asks for, lists the keys in the keys panel (F1) and in
// --help, so none of them can tell another story than the key handling.

#include <QString>
#include <vector>

class QKeyEvent;

namespace velmora {

enum class ShellAction {
  None,
  ToggleFullscreen,  // F11, Alt+Enter
  Escape,            // Esc: closes what the shell has open, otherwise leaves fullscreen
  ZoomIn,            // Ctrl+Plus (also Ctrl+= and the keypad's plus)
  ZoomOut,           // Ctrl+Minus
  ZoomDefault,       // Ctrl+0
  AdvancePage,       // Enter, Space, the keypad's Enter: the page button, else the focus
  Screenshot,        // F12
  QuickSave,         // F5
  QuickLoad,         // F9
  ShowKeys,          // F1
  OpenBacklog,       // PageUp (and the wheel turned away)
  ToggleSkip,        // Tab (holding Ctrl skips too: see SkipHoldKey)
  ToggleAutoRead,    // A
  AutoReadSlower,    // Minus
  AutoReadFaster,    // Plus, =
  FocusLeft,         // arrow keys
  FocusRight,
  FocusUp,
  FocusDown,
  Back,              // Backspace: the screen's own back or cancel
  ToggleSpeech,      // V
  SaveScreen,        // Ctrl+S
  LoadScreen,        // Ctrl+L, Ctrl+O
};

// One line of the keys panel and of --help: the keys as a player reads them and what
// they do. Actions with several keys have one line.
struct KeyHelpLine {
  std::vector<ShellAction> Actions;
  QString Keys;
  QString Does;
};

// One key (with the modifiers that matter) and what it asks for.
struct KeyChord {
  int Key;
  int Mods;  // Qt::KeyboardModifiers, without the keypad flag and Shift
  ShellAction Action;
};
// The key handling's table.
const std::vector<KeyChord>& KeyChords();

// What a key press asks of the shell. A key held down repeats: only the first press
// counts, since a click cannot repeat either (the focus keys and the backlog's scrolling
// may repeat: see ShellActionRepeats).
ShellAction ShellActionFor(const QKeyEvent& event);
// Whether an action follows a held key's repeats.
bool ShellActionRepeats(ShellAction action);

// Holding this key alone skips read pages while it is down; as part of a chord (Ctrl+S)
// it never does.
bool IsSkipHoldKey(const QKeyEvent& event);

// Every key the shell answers, in the order the keys panel and --help list them.
const std::vector<KeyHelpLine>& KeyHelp();
// The same as plain text lines "  KEYS  what it does", aligned, for --help.
QString KeyHelpText();

}  // namespace velmora
