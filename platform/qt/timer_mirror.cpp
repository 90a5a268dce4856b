#include "platform/qt/timer_mirror.h"

#include "platform/host.h"

namespace velmora {

TimerMirror::TimerMirror(std::function<void(TimerId)> onTick) {
  for (TimerId id : {TimerId::G_Timer, TimerId::CG_Timer, TimerId::Play_Timer}) {
    QTimer& timer = timers_[Index(id)];
    // Coarse timers may fire up to 5% early, which would bend the 300 ms pause of a mode
    // change and the pacing of the card animation.
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [onTick, id] { onTick(id); });
  }
}

void TimerMirror::Mirror(const GameTimer& game, bool hurried) {
  QTimer& timer = timers_[Index(game.Id())];
  timer.setInterval(hurried ? 1 : EffectiveTimerInterval(game.Interval()));
  if (game.Enabled())
    timer.start();
  else
    timer.stop();
}

void TimerMirror::StopAll() {
  for (QTimer& timer : timers_) timer.stop();
}

}  // namespace velmora
