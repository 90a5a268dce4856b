#include "platform/qt/shell_keys.h"

#include <QKeyEvent>

namespace velmora {

ShellAction ShellActionFor(const QKeyEvent& event) {
  if (event.isAutoRepeat()) return ShellAction::None;
  // The keypad flag only says where the key sits; Shift is how Plus is typed on many
  // layouts.
  const Qt::KeyboardModifiers mods =
      event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier | Qt::GroupSwitchModifier);
  const int key = event.key();
  if (mods == Qt::NoModifier) {
    switch (key) {
      case Qt::Key_F11: return ShellAction::ToggleFullscreen;
      case Qt::Key_Escape: return ShellAction::LeaveFullscreen;
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Space: return ShellAction::AdvancePage;
      case Qt::Key_F12: return ShellAction::Screenshot;
      case Qt::Key_F5: return ShellAction::QuickSave;
      case Qt::Key_F9: return ShellAction::QuickLoad;
      default: return ShellAction::None;
    }
  }
  if (mods == Qt::AltModifier && (key == Qt::Key_Return || key == Qt::Key_Enter))
    return ShellAction::ToggleFullscreen;
  if (mods == Qt::ControlModifier) {
    switch (key) {
      case Qt::Key_Plus:
      case Qt::Key_Equal: return ShellAction::ZoomIn;
      case Qt::Key_Minus:
      case Qt::Key_Underscore: return ShellAction::ZoomOut;
      case Qt::Key_0: return ShellAction::ZoomDefault;
      default: return ShellAction::None;
    }
  }
  return ShellAction::None;
}

}  // namespace velmora
