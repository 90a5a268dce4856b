#pragma once
// The few outside services the window uses that a test must be able to replace: the
// modal message box, the sound output and the question whether Japanese can be drawn.

#include <QString>
#include <functional>

class QWidget;

namespace velmora {

struct ShellServices {
  // Shows a modal message box over Parent and returns when the player has closed it.
  std::function<void(QWidget* parent, const QString& text)> ShowMessageBox;
  // Starts playing a WAV file and returns at once; a new effect cuts off the old.
  std::function<void(const QString& path)> PlaySound;
  // True when some installed face can draw Japanese.
  std::function<bool()> JapaneseFontAvailable;
};

// The real services: QMessageBox, the sound thread, the font database.
ShellServices DesktopServices();

}  // namespace velmora
