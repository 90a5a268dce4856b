#pragma once
// Reading by itself: skipping the pages already read (Ctrl held alone, or Tab on and off)
// and the memory of what was read that it goes by. Skipping turns a read page as soon as
// its page button is live, through the page button's own click; while it is on, the
// window hurries (GameWindow::SetHurry) so a wipe ends on its last frame at once, and a
// pan is cut short by the same click a player would give it. It stops at the first unread
// page, a choice, and wherever the game rests with no page button (the map, the move
// confirmation, the photo game, the album, the title), at a message box, on any click or
// other key, and at once when Ctrl is let go or Tab pressed again.
//
// Auto-read (A on and off) turns every page, read or not, after a pause that grows with
// its length (app/reading_pace); Minus and Plus make it slower and faster, remembered in
// the settings file. It waits for pans and wipes to end, never picks an option or a place,
// and stops where skipping stops and on any click or key but those three. One single-shot
// timer waits for each page; nothing runs while it is off. A small mark over the client
// area says that skipping or auto-read is on.

#include <QObject>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/qt/reading_settings.h"
#include "platform/qt/shell_keys.h"
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

  // MemoryPath gives the file of the memory of pages read for the asset file played
  // (ReadMemoryPathFor; empty while unknown). Backlog may be null.
  ReadingControl(GameWindow& window, std::function<std::string()> memoryPath, BacklogPanel* backlog);
  ~ReadingControl() override;  // writes what is unwritten

  bool Skipping() const { return toggled_ || held_; }
  // Tab's switch.
  void ToggleSkip();
  void StopSkip();
  bool AutoReading() const { return auto_; }
  void ToggleAutoRead();
  void StopAutoRead();
  // The page time (seconds) auto-read goes by, and the one pause it waits now (0 when none).
  double PageSeconds() const { return pageSeconds_; }
  int AutoDelayMs() const { return autoTimer_.isActive() ? autoTimer_.interval() : 0; }
  // Reads the page time kept in Settings and keeps Minus and Plus there.
  void UseSettings(ReadingSettings settings);
  // The memory (null until the first unit told it which asset file is played).
  ReadMemory* Memory() { return memory_.get(); }
  // Writes the memory now if something is unwritten; a failure is told on stderr.
  void WriteMemory();
  ReadingMark& Mark() { return *mark_; }

 private:
  void UnitShown(const ReadUnit& unit);
  void KeyPressed(const QKeyEvent& event, ShellAction asked);
  void KeyReleased(const QKeyEvent& event);
  void Changed();  // after skipping switched: the mark, the hurry, the next step
  void Post();     // runs Step from the event loop, once
  void Step();
  void AutoStep();
  void ChangePageSeconds(double seconds);
  void StopAll() {
    StopSkip();
    StopAutoRead();
  }

  GameWindow& window_;
  std::function<std::string()> memoryPath_;
  BacklogPanel* backlog_;
  std::unique_ptr<ReadMemory> memory_;
  ReadingMark* mark_;
  QTimer holdTimer_;
  QTimer memoryTimer_;
  QTimer autoTimer_;
  std::optional<ReadingSettings> settings_;
  double pageSeconds_;
  bool auto_ = false;
  bool armed_ = false;  // the pause of the page at rest is running or has run
  std::string unreadShown_;  // the last unit that came up unread
  bool toggled_ = false;
  bool held_ = false;
  bool ctrlDown_ = false;
  bool posted_ = false;
};

}  // namespace velmora
