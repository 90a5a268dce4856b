#pragma once
// Reading by itself: skipping the pages already read (Ctrl held alone, or Tab on and off)
// and the memory of what was read that it goes by. Skipping turns a read page as soon as
// its page button is live, through the page button's own click; while it is on, the
// window hurries (GameWindow::SetHurry) so a wipe ends on its last frame at once, and a
// pan is cut short by the same click a player would give it. It stops at the first unread
// page, a choice, and wherever the game rests with no page button (the map, the move
// confirmation, the photo game, the album, the title), at a message box, on any click or
// other key, and at once when Ctrl is let go or Tab pressed again. A small mark over the
// client area says it is on.

#include <QObject>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "save/read_memory.h"

class QKeyEvent;

namespace velmora {

class BacklogPanel;
class GameWindow;
struct ReadUnit;

// The mark in the corner of the client area while pages turn by themselves.
class ReadingMark : public QWidget {
 public:
  explicit ReadingMark(QWidget* over);
  void Show(const QString& text);
  QString Text() const { return isVisible() ? text_ : QString(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};

class ReadingControl : public QObject {
  Q_OBJECT

 public:
  // How long Ctrl must be held alone before pages turn: a chord's second key (Ctrl+S)
  // comes sooner, so a chord never turns a page.
  static constexpr int kHoldDelayMs = 150;
  // How soon after a unit is first seen the memory is written.
  static constexpr int kMemoryWriteDelayMs = 5000;

  // SaveFolder gives the asset file's save folder (empty while unknown), where the memory
  // of pages read is kept. Backlog may be null.
  ReadingControl(GameWindow& window, std::function<std::string()> saveFolder, BacklogPanel* backlog);
  ~ReadingControl() override;  // writes what is unwritten

  bool Skipping() const { return toggled_ || held_; }
  // Tab's switch.
  void ToggleSkip();
  void StopSkip();
  // The memory (null until the first unit told it which asset file is played).
  ReadMemory* Memory() { return memory_.get(); }
  // Writes the memory now if something is unwritten; a failure is told on stderr.
  void WriteMemory();
  ReadingMark& Mark() { return *mark_; }

 private:
  void UnitShown(const ReadUnit& unit);
  void KeyPressed(const QKeyEvent& event, int action);
  void KeyReleased(const QKeyEvent& event);
  void Changed();  // after skipping switched: the mark, the hurry, the next step
  void Post();     // runs Step from the event loop, once
  void Step();

  GameWindow& window_;
  std::function<std::string()> saveFolder_;
  BacklogPanel* backlog_;
  std::unique_ptr<ReadMemory> memory_;
  ReadingMark* mark_;
  QTimer holdTimer_;
  QTimer memoryTimer_;
  std::string unreadShown_;  // the last unit that came up unread
  bool toggled_ = false;
  bool held_ = false;
  bool ctrlDown_ = false;
  bool posted_ = false;
};

}  // namespace velmora
