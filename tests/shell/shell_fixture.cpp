#include "shell_fixture.h"

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <filesystem>

namespace velmora::testing {

WorkingDirectory::WorkingDirectory(const std::string& path)
    : previous_(std::filesystem::current_path().string()) {
  std::filesystem::current_path(path);
}

WorkingDirectory::~WorkingDirectory() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

ShellServices RecordingServices::Services() {
  return ShellServices{
      [this](QWidget*, const QString& text) {
        Messages.push_back(text);
        if (WhileMessageOpen) WhileMessageOpen();
      },
      [this](const QString& path) { Sounds.push_back(path); },
      [this] { return JapaneseFont; },
  };
}

ShellGame::ShellGame(bool withAssets, bool japaneseFont) : cwd_(dir_.Path()) {
  if (withAssets) {
    dir_.Write("data/qelvart.red", DemoAssetBytes());
    WriteSounds(dir_);
  }
  record_.JapaneseFont = japaneseFont;
  window_ = std::make_unique<GameWindow>(record_.Services());
  window_->Start();
}

ShellGame::~ShellGame() { window_.reset(); }

bool RunEventsUntil(const std::function<bool()>& done, int limitMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limitMs) return false;
    QEventLoop loop;
    QTimer::singleShot(5, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

void RunEventsFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

void SendMouse(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                    ? Qt::MouseButtons()
                                    : Qt::MouseButtons(button);
  QMouseEvent event(type, at, widget.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

}  // namespace velmora::testing
