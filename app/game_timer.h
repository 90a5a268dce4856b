#pragma once
// A timer of the window: enabled flag, interval in milliseconds and an integer tag.
// The host mirrors it; changing the interval or enabling it restarts the count, as the
// toolkit the game was made for did.

#include <functional>
#include <string>

namespace velmora {

enum class TimerId { G_Timer, CG_Timer, Play_Timer };

class GameTimer {
 public:
  GameTimer(TimerId id, const char* name, int interval) : id_(id), name_(name), interval_(interval) {}

  TimerId Id() const { return id_; }
  const char* Name() const { return name_; }
  bool Enabled() const { return enabled_; }
  int Interval() const { return interval_; }

  void SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed();
  }
  void SetInterval(int interval) {
    if (interval == interval_) return;
    interval_ = interval;
    Changed();
  }

  int Tag = 0;
  // Told of every change of Enabled or Interval (the host listens here).
  std::function<void(const GameTimer&)> OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange(*this);
  }

  TimerId id_;
  const char* name_;
  bool enabled_ = false;
  int interval_;
};

}  // namespace velmora
