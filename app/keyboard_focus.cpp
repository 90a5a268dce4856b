#include "app/keyboard_focus.h"

#include <cstdlib>
#include <limits>

namespace velmora {

void KeyboardFocus::Update(uint64_t screenKey, std::vector<LiveTarget> targets) {
  std::optional<int> keptId;
  if (screenKey == screenKey_ && index_) keptId = targets_[*index_].Id;
  screenKey_ = screenKey;
  targets_ = std::move(targets);
  index_.reset();
  if (!keptId) {
    shown_ = false;
    return;
  }
  for (size_t i = 0; i < targets_.size(); ++i)
    if (targets_[i].Id == *keptId) index_ = i;
  if (!index_) shown_ = false;
}

bool KeyboardFocus::Move(FocusDirection direction) {
  if (targets_.empty()) return false;
  if (!index_ || !shown_) {
    if (!index_) index_ = 0;
    shown_ = true;
    return true;
  }
  std::optional<size_t> next;
  if (ByDirection()) {
    next = Nearest(direction);
  } else {
    const bool forward = direction == FocusDirection::Right || direction == FocusDirection::Down;
    const size_t n = targets_.size();
    next = forward ? (*index_ + 1) % n : (*index_ + n - 1) % n;
  }
  if (!next || *next == *index_) return false;
  index_ = next;
  return true;
}

const LiveTarget* KeyboardFocus::Focused() const { return index_ && shown_ ? &targets_[*index_] : nullptr; }

const LiveTarget* KeyboardFocus::Back() const {
  for (const LiveTarget& t : targets_)
    if (t.IsBack) return &t;
  return nullptr;
}

bool KeyboardFocus::ByDirection() const {
  for (const LiveTarget& t : targets_)
    if (t.Kind != TargetKind::Place && t.Kind != TargetKind::Card) return false;
  return true;
}

std::optional<size_t> KeyboardFocus::Nearest(FocusDirection direction) const {
  const Point from = targets_[*index_].At;
  std::optional<size_t> best;
  int bestScore = std::numeric_limits<int>::max();
  for (size_t i = 0; i < targets_.size(); ++i) {
    const int dx = targets_[i].At.X - from.X;
    const int dy = targets_[i].At.Y - from.Y;
    int along = 0, across = 0;
    switch (direction) {
      case FocusDirection::Left: along = -dx; across = dy; break;
      case FocusDirection::Right: along = dx; across = dy; break;
      case FocusDirection::Up: along = -dy; across = dx; break;
      case FocusDirection::Down: along = dy; across = dx; break;
    }
    // Only what lies ahead; sideways counts double, so a key goes where the arrow points.
    if (along <= 0) continue;
    const int score = along + 2 * std::abs(across);
    if (score < bestScore) {
      bestScore = score;
      best = i;
    }
  }
  return best;
}

}  // namespace velmora
