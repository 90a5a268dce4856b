#pragma once
// One QTimer per game timer, kept in step with the game's enabled flag and interval.

#include <QTimer>
#include <array>
#include <functional>

#include "app/game_timer.h"

namespace velmora {

class TimerMirror {
 public:
  // OnTick is called on each tick of a running timer.
  explicit TimerMirror(std::function<void(TimerId)> onTick);

  // Follows a change of the game timer: a new interval or enabling restarts the count,
  // as the toolkit the game was made for did. A Hurried timer ticks every millisecond,
  // whatever its interval (the window hurries while read pages are skipped).
  void Mirror(const GameTimer& timer, bool hurried = false);
  // Stops every timer (the window is closing).
  void StopAll();
  // The Qt timer that stands for a game timer.
  const QTimer& Timer(TimerId id) const { return timers_[Index(id)]; }

 private:
  static size_t Index(TimerId id) { return static_cast<size_t>(id); }

  std::array<QTimer, 3> timers_;
};

}  // namespace velmora
