#pragma once
// Paints made straight onto the window, shown together. A wipe step paints several
// strips (the vertical wipe eight of 16 rows) and then reads the clock to wait for the
// step's deadline. Shown one by one, every strip is a frame of its own for the window
// system; under Wayland each is a surface commit, and eight of them take longer than the
// step. So the strips are drawn into the window's surface as they come and the area they
// cover is shown once, when the game next asks the desktop for anything else: the clock
// reading that begins the wait, a sleep, a message box, the end of the entry.

#include <functional>

#include "gfx/geometry.h"

namespace velmora {

class PaintBatch {
 public:
  // Show puts an area of the surface on the screen before it returns.
  explicit PaintBatch(std::function<void(const Rect&)> show) : show_(std::move(show)) {}

  // Changed was drawn onto the surface and is not on the screen yet.
  void Add(const Rect& changed);
  // Shows everything drawn since the last call, in one paint; nothing when nothing was.
  void Show();
  bool HasUnshown() const { return !area_.IsEmpty(); }

 private:
  std::function<void(const Rect&)> show_;
  Rect area_;  // the smallest rectangle holding every unshown paint
};

}  // namespace velmora
