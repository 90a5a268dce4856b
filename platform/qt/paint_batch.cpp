#include "platform/qt/paint_batch.h"

#include <algorithm>

namespace velmora {

void PaintBatch::Add(const Rect& changed) {
  if (changed.IsEmpty()) return;
  if (area_.IsEmpty()) {
    area_ = changed;
    return;
  }
  // One rectangle round them all: a step's strips lie next to each other.
  area_ = Rect{std::min(area_.Left, changed.Left), std::min(area_.Top, changed.Top),
               std::max(area_.Right, changed.Right), std::max(area_.Bottom, changed.Bottom)};
}

void PaintBatch::Show() {
  if (area_.IsEmpty()) return;
  // Cleared first: should showing fail, the next paint starts a batch of its own.
  const Rect area = area_;
  area_ = Rect{};
  show_(area);
}

}  // namespace velmora
