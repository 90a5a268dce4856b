#pragma once
// Which live target the keyboard (or a pad) is on. A new screen starts with the focus on
// nothing; the first move puts it on the first target in reading order without moving on,
// later moves go by direction on the map and among the cards, and in reading order
// elsewhere. Hiding (the pointer moved) keeps the place: the next move shows it again
// where it was. The owner presses and releases at the focused target's point.

#include <cstdint>
#include <optional>
#include <vector>

#include "app/live_targets.h"

namespace velmora {

enum class FocusDirection { Left, Right, Up, Down };

class KeyboardFocus {
 public:
  // The screen's targets now. Another screen key drops the focus; on the same screen it
  // stays on the same target while that is still there.
  void Update(uint64_t screenKey, std::vector<LiveTarget> targets);
  // Moves the focus; true when the focused target (or whether one shows) changed.
  bool Move(FocusDirection direction);
  // Shows no focus until the next move, which brings it back where it was.
  void Hide() { shown_ = false; }

  // The focused target, none when nothing is focused or the focus is hidden.
  const LiveTarget* Focused() const;
  // The screen's back or cancel, if it has one.
  const LiveTarget* Back() const;
  const std::vector<LiveTarget>& Targets() const { return targets_; }

 private:
  // Whether the screen's targets are laid out as a picture (the map's places, the cards).
  bool ByDirection() const;
  std::optional<size_t> Nearest(FocusDirection direction) const;

  uint64_t screenKey_ = 0;
  std::vector<LiveTarget> targets_;
  std::optional<size_t> index_;
  bool shown_ = false;
};

}  // namespace velmora
