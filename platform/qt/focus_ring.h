#pragma once
// Keyboard play in the desktop shell: a focus ring over the client area (a widget of its
// own, never drawn into the game's pictures) on one of the live targets. The arrow keys
// move it, Enter and Space press the focused target where no page button is live, and
// Backspace presses the screen's back or cancel; each press is the same press and release
// a click there makes, through the game's own pointer entries. A new screen shows no ring;
// a pointer move hides it until the next arrow. The focus API is public so that other
// inputs (a pad) can move, activate and go back the same way.

#include <QWidget>
#include <functional>
#include <vector>

#include "app/keyboard_focus.h"

namespace velmora {

class GameWindow;

class FocusRing : public QWidget {
  Q_OBJECT

 public:
  // Registers the focus, activation and back actions and the window's watchers; the
  // window's game must have been started.
  explicit FocusRing(GameWindow& window);
  ~FocusRing() override;

  void Move(FocusDirection direction);
  // Presses and releases the focused target; false when none is focused or input is busy.
  bool Activate();
  // Presses and releases the screen's back or cancel; false when it has none.
  bool Back();

  const KeyboardFocus& Focus() const { return focus_; }
  // Told whenever the focused target (or whether one shows) changes, and on a new screen
  // (also when a screen starts taking presses).
  std::vector<std::function<void()>> FocusWatchers;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Takes the game's targets after an entry; a new screen drops the focus.
  void Refresh();
  bool Press(const LiveTarget& target);
  // Puts the ring round the focused target, or hides it.
  void Place();
  void Tell();

  GameWindow& window_;
  KeyboardFocus focus_;
  uint64_t screenKey_ = 0;
  bool hadNoTargets_ = true;
};

}  // namespace velmora
