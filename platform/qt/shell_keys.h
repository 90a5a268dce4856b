#pragma once
// The keys the desktop shell answers. The game itself knows no keys: each of these is a
// comfort of the shell (fullscreen, zoom, a screenshot, saving) or stands for a click on
// the page button. Everything else is left alone.

class QKeyEvent;

namespace velmora {

enum class ShellAction {
  None,
  ToggleFullscreen,  // F11, Alt+Enter
  LeaveFullscreen,   // Esc
  ZoomIn,            // Ctrl+Plus (also Ctrl+= and the keypad's plus)
  ZoomOut,           // Ctrl+Minus
  ZoomDefault,       // Ctrl+0
  AdvancePage,       // Enter, Space, the keypad's Enter
  Screenshot,        // F12
  QuickSave,         // F5
  QuickLoad,         // F9
};

// What a key press asks of the shell. A key held down repeats: only the first press
// counts, since a click cannot repeat either.
ShellAction ShellActionFor(const QKeyEvent& event);

}  // namespace velmora
