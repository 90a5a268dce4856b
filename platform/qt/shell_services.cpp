#include "platform/qt/shell_services.h"

#include <QMessageBox>
#include <memory>

#include "app/form.h"
#include "gfx/canvas.h"
#include "platform/qt/sound_player.h"

namespace velmora {

namespace {

void ShowModalMessage(QWidget* parent, const QString& text) {
  // The original's message boxes carried the application title and one OK button.
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok, parent);
  // Texts are shown as they are: the about box lines are indented with spaces.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

ShellServices DesktopServices() {
  // Shared by every copy of the services; the sound thread ends with the last copy.
  auto player = std::make_shared<SoundPlayer>();
  return ShellServices{
      ShowModalMessage,
      [player](const QString& path) { player->Play(path); },
      [] { return JapaneseFontAvailable(); },
  };
}

}  // namespace velmora
