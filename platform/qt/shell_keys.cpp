#include "platform/qt/shell_keys.h"

#include <QKeyEvent>
#include <algorithm>

namespace velmora {

namespace {

Qt::KeyboardModifiers Significant(Qt::KeyboardModifiers mods) {
  return mods & ~(Qt::KeypadModifier | Qt::ShiftModifier | Qt::GroupSwitchModifier);
}

}  // namespace

// Modifiers are compared after dropping the keypad flag (it only says where the key
// sits) and Shift (how Plus is typed on many layouts).
const std::vector<KeyChord>& KeyChords() {
  static const std::vector<KeyChord> chords = {
      {Qt::Key_F11, Qt::NoModifier, ShellAction::ToggleFullscreen},
      {Qt::Key_Return, Qt::AltModifier, ShellAction::ToggleFullscreen},
      {Qt::Key_Enter, Qt::AltModifier, ShellAction::ToggleFullscreen},
      {Qt::Key_Escape, Qt::NoModifier, ShellAction::Escape},
      {Qt::Key_Plus, Qt::ControlModifier, ShellAction::ZoomIn},
      {Qt::Key_Equal, Qt::ControlModifier, ShellAction::ZoomIn},
      {Qt::Key_Minus, Qt::ControlModifier, ShellAction::ZoomOut},
      {Qt::Key_Underscore, Qt::ControlModifier, ShellAction::ZoomOut},
      {Qt::Key_0, Qt::ControlModifier, ShellAction::ZoomDefault},
      {Qt::Key_Return, Qt::NoModifier, ShellAction::AdvancePage},
      {Qt::Key_Enter, Qt::NoModifier, ShellAction::AdvancePage},
      {Qt::Key_Space, Qt::NoModifier, ShellAction::AdvancePage},
      {Qt::Key_F12, Qt::NoModifier, ShellAction::Screenshot},
      {Qt::Key_F5, Qt::NoModifier, ShellAction::QuickSave},
      {Qt::Key_F9, Qt::NoModifier, ShellAction::QuickLoad},
      {Qt::Key_F1, Qt::NoModifier, ShellAction::ShowKeys},
      {Qt::Key_PageUp, Qt::NoModifier, ShellAction::OpenBacklog},
      {Qt::Key_Tab, Qt::NoModifier, ShellAction::ToggleSkip},
      {Qt::Key_A, Qt::NoModifier, ShellAction::ToggleAutoRead},
      {Qt::Key_Minus, Qt::NoModifier, ShellAction::AutoReadSlower},
      {Qt::Key_Plus, Qt::NoModifier, ShellAction::AutoReadFaster},
      {Qt::Key_Equal, Qt::NoModifier, ShellAction::AutoReadFaster},
      {Qt::Key_Left, Qt::NoModifier, ShellAction::FocusLeft},
      {Qt::Key_Right, Qt::NoModifier, ShellAction::FocusRight},
      {Qt::Key_Up, Qt::NoModifier, ShellAction::FocusUp},
      {Qt::Key_Down, Qt::NoModifier, ShellAction::FocusDown},
      {Qt::Key_Backspace, Qt::NoModifier, ShellAction::Back},
      {Qt::Key_V, Qt::NoModifier, ShellAction::ToggleSpeech},
      {Qt::Key_S, Qt::ControlModifier, ShellAction::SaveScreen},
      {Qt::Key_L, Qt::ControlModifier, ShellAction::LoadScreen},
      {Qt::Key_O, Qt::ControlModifier, ShellAction::LoadScreen},
  };
  return chords;
}

ShellAction ShellActionFor(const QKeyEvent& event) {
  const int mods = static_cast<int>(Significant(event.modifiers()));
  const auto& chords = KeyChords();
  const auto found = std::find_if(chords.begin(), chords.end(), [&](const KeyChord& chord) {
    return chord.Key == event.key() && chord.Mods == mods;
  });
  if (found == chords.end()) return ShellAction::None;
  if (event.isAutoRepeat() && !ShellActionRepeats(found->Action)) return ShellAction::None;
  return found->Action;
}

bool ShellActionRepeats(ShellAction action) {
  switch (action) {
    case ShellAction::FocusLeft:
    case ShellAction::FocusRight:
    case ShellAction::FocusUp:
    case ShellAction::FocusDown: return true;
    default: return false;
  }
}

bool IsSkipHoldKey(const QKeyEvent& event) { return event.key() == Qt::Key_Control; }

const std::vector<KeyHelpLine>& KeyHelp() {
  static const std::vector<KeyHelpLine> lines = {
      {{ShellAction::AdvancePage}, QStringLiteral("Enter, Space, wheel toward you"),
       QStringLiteral("turn the page where the page button is live; otherwise press the focused target")},
      {{ShellAction::FocusLeft, ShellAction::FocusRight, ShellAction::FocusUp, ShellAction::FocusDown}, QStringLiteral("Arrow keys"), QStringLiteral("move the keyboard focus among what can be pressed")},
      {{ShellAction::Back}, QStringLiteral("Backspace"), QStringLiteral("the screen's own back or cancel")},
      {{ShellAction::OpenBacklog}, QStringLiteral("PageUp, wheel away from you"), QStringLiteral("the backlog: what was read")},
      {{ShellAction::ToggleSkip}, QStringLiteral("Ctrl (held), Tab"), QStringLiteral("skip pages already read (while held / on and off)")},
      {{ShellAction::ToggleAutoRead}, QStringLiteral("A"), QStringLiteral("auto-read on and off")},
      {{ShellAction::AutoReadSlower, ShellAction::AutoReadFaster}, QStringLiteral("Minus / Plus"), QStringLiteral("auto-read slower / faster")},
      {{ShellAction::ToggleSpeech}, QStringLiteral("V"), QStringLiteral("speech (self-voicing) on and off")},
      {{ShellAction::QuickSave, ShellAction::QuickLoad}, QStringLiteral("F5 / F9"), QStringLiteral("quick save / quick load")},
      {{ShellAction::SaveScreen}, QStringLiteral("Ctrl+S"), QStringLiteral("the save screen")},
      {{ShellAction::LoadScreen}, QStringLiteral("Ctrl+L, Ctrl+O"), QStringLiteral("the load screen")},
      {{ShellAction::ToggleFullscreen}, QStringLiteral("F11, Alt+Enter"), QStringLiteral("fullscreen on and off")},
      {{ShellAction::Escape}, QStringLiteral("Esc"), QStringLiteral("close the open panel; otherwise leave fullscreen")},
      {{ShellAction::ZoomIn, ShellAction::ZoomOut}, QStringLiteral("Ctrl+Plus / Ctrl+Minus"), QStringLiteral("the window one whole scale larger / smaller")},
      {{ShellAction::ZoomDefault}, QStringLiteral("Ctrl+0"), QStringLiteral("the window back to its default scale")},
      {{ShellAction::Screenshot}, QStringLiteral("F12"), QStringLiteral("save a screenshot in your pictures folder")},
      {{ShellAction::ShowKeys}, QStringLiteral("F1"), QStringLiteral("this list of keys")},
  };
  return lines;
}

QString KeyHelpText() {
  qsizetype widest = 0;
  for (const KeyHelpLine& line : KeyHelp()) widest = std::max(widest, line.Keys.size());
  QString text;
  for (const KeyHelpLine& line : KeyHelp())
    text += QStringLiteral("  %1  %2\n").arg(line.Keys.leftJustified(widest), line.Does);
  return text;
}

}  // namespace velmora
