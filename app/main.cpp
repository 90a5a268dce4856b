// The program entry: the application with its title, the main window and the game in
// it, then the message loop. Files are read relative to the working directory
// (data/qelvart.red, wav/01.wav ...), as the original did.

#include <QApplication>

#include "app/form.h"
#include "gfx/canvas.h"
#include "platform/qt/game_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Only the name: a display name would be appended to the window's caption.
  QApplication::setApplicationName(QString::fromUtf8(velmora::kApplicationTitle));
  QGuiApplication::setDesktopFileName(QStringLiteral("velmora"));
  velmora::InstallJapaneseFonts();

  velmora::GameWindow window;
  window.Start();
  window.show();
  return QApplication::exec();
}
