#pragma once
// What the shell tests share: a game folder made the current directory, services that
// record instead of opening boxes or playing sound, and a way to let Qt's event loop run
// until something has happened.

#include <QMouseEvent>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/game_window.h"
#include "support/fixtures.h"

namespace velmora::testing {

// Makes a folder the working directory for the life of the object (the game reads its
// files relative to it).
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::string& path);
  ~WorkingDirectory();

 private:
  std::string previous_;
};

// Services that write down every message box and sound instead of showing or playing.
struct RecordingServices {
  std::vector<QString> Messages;
  std::vector<QString> Sounds;
  bool JapaneseFont = true;
  // Runs inside each message box, while it is "open".
  std::function<void()> WhileMessageOpen;

  ShellServices Services();
};

// A game folder (optionally with the demo asset file and sounds), made current, and the
// window on it, started.
class ShellGame {
 public:
  explicit ShellGame(bool withAssets = true, bool japaneseFont = true);
  ~ShellGame();
  GameWindow& window() { return *window_; }
  TForm1& form() { return window_->Form(); }
  RecordingServices& record() { return record_; }
  const ScratchDir& dir() const { return dir_; }

 private:
  ScratchDir dir_;
  WorkingDirectory cwd_;
  RecordingServices record_;
  std::unique_ptr<GameWindow> window_;
};

// Lets the event loop run until Done holds or LimitMs have passed; true if it held.
bool RunEventsUntil(const std::function<bool()>& done, int limitMs = 5000);
// Lets the event loop run for Ms milliseconds.
void RunEventsFor(int ms);
// Sends a mouse event to Widget at a position in its logical pixels.
void SendMouse(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::LeftButton);

}  // namespace velmora::testing
