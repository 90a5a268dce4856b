#pragma once
// The game for the desktop's screen reader: the client area tells Qt's accessibility layer
// (AT-SPI on Linux) the text on the screen (the page, the choice with its options, the
// remark, the ending line, from the page feed) as a text object, and the focused target as
// a focused control with its name. A new page moves the accessibility focus to the text,
// an arrow key to the target, so a screen reader such as Orca reads each as it comes.
// Nothing is drawn or decided here; with no screen reader running Qt asks for nothing.

#include <QObject>
#include <QString>

class QAccessibleInterface;

namespace velmora {

class FocusRing;
class GameWindow;
struct LiveTarget;

class ScreenAccessible : public QObject {
  Q_OBJECT

 public:
  // The window's game must have been started; Ring lives at least as long as this.
  ScreenAccessible(GameWindow& window, FocusRing& ring);
  ~ScreenAccessible() override;

  // What the text object and the focused control say now.
  QString ScreenText() const { return text_; }
  QString FocusedName() const;
  GameWindow& Window() { return window_; }
  // The interfaces a screen reader sees as the client area's children: the text, then the
  // focused target (only while one is focused).
  QAccessibleInterface* TextItem() const { return textItem_; }
  QAccessibleInterface* TargetItem() const;
  const LiveTarget* Focused() const;

 private:
  void OnUnit();
  void OnFocus();
  // Takes the text on the screen from the page feed; true when it changed to a new text
  // (and, with a screen reader listening, says so).
  bool TakeText();
  void Announce(QAccessibleInterface* item);

  GameWindow& window_;
  FocusRing& ring_;
  QString text_;
  QAccessibleInterface* textItem_ = nullptr;
  QAccessibleInterface* targetItem_ = nullptr;
};

}  // namespace velmora
