#include "gfx/transitions.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/form.h"
#include "gfx/blend.h"

namespace velmora {

namespace {

constexpr int kLevels = 8;        // blend levels 0 (new) .. 7 (mostly old)
constexpr int kBandRows = 16;     // height of a band of the vertical wipe
constexpr int kBandColumns = 32;  // width of a band of the horizontal wipe
constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;
constexpr const char* kFormatMismatch = "フォーマットが一致しません";

// Lets the frames of one transition go however it ends, an error included.
class FrameRelease {
 public:
  explicit FrameRelease(Transitions& t) : t_(t) {}
  FrameRelease(const FrameRelease&) = delete;
  FrameRelease& operator=(const FrameRelease&) = delete;
  ~FrameRelease() {
    t_.FromFrame.reset();
    t_.ToFrame.reset();
  }

 private:
  Transitions& t_;
};

// Level Level of one run of packed 24-bit pixels; level 0 copies the new bytes as they
// are, the others go word by word.
inline void BlendRun(int level, const uint8_t* oldPixels, const uint8_t* newPixels, uint8_t* out,
                     size_t bytes) {
  if (level == 0)
    std::memcpy(out, newPixels, bytes);
  else
    BlendLevelRow(level, oldPixels, newPixels, out, (bytes + 3) / 4);
}

}  // namespace

void Transitions::PlayTransition() {
  Picture from(kFrameWidth, kFrameHeight);
  Picture to(kFrameWidth, kFrameHeight);
  DrawPicture(from, 0, 0, form_.ImageBa.Bitmap);
  DrawPicture(to, 0, 0, form_.BackBuffer);
  from.Convert(PixelFormat::Bgr24);
  to.Convert(PixelFormat::Bgr24);
  PlayTransition(std::move(from), std::move(to));
}

void Transitions::PlayTransition(Picture fromFrame, Picture toFrame) {
  FromFrame = std::make_unique<Picture>(std::move(fromFrame));
  ToFrame = std::make_unique<Picture>(std::move(toFrame));
  const FrameRelease release(*this);
  // The title sweeps down; every other screen sweeps across.
  if (form_.State.ScreenMode == 1)
    VerticalSoftWipe(1000);
  else
    HorizontalSoftWipe(1000);
  // The screen picture has to hold what the window now shows, also when the frames did
  // not fit and nothing was wiped.
  Picture& screen = form_.ImageBa.Bitmap;
  if (screen.IsEmpty()) screen = Picture(kFrameWidth, kFrameHeight, PixelFormat::Bgrx32);
  DrawPicture(screen, 0, 0, form_.BackBuffer);
}

bool Transitions::FramesMatch() const {
  return FromFrame && ToFrame && FromFrame->Width() == ToFrame->Width() &&
         FromFrame->Height() == ToFrame->Height() && FromFrame->Format() == PixelFormat::Bgr24 &&
         ToFrame->Format() == PixelFormat::Bgr24;
}

void Transitions::WaitUntil(uint32_t nextTime) {
  // Compared as a signed difference so that the clock's wrap after 49 days does not
  // turn the wait into one of weeks.
  while (static_cast<int32_t>(form_.host.Milliseconds() - nextTime) < 0) form_.host.Sleep(1);
}

void Transitions::PaintClipped(const Picture& strip, int x, int y, int width, int height) {
  // The window's clip region is the picture area: a strip wholly outside it would show
  // nothing, one across its edge shows only its inner part.
  const Rect area{x, y, x + strip.Width(), y + strip.Height()};
  const Rect visible = area.Intersected({0, 0, width, height});
  if (visible.IsEmpty()) return;
  if (visible == area) {
    form_.host.PaintWindow(strip, x, y);
    return;
  }
  Picture part(visible.Width(), visible.Height(), strip.Format());
  CopyRect(part, part.Bounds(), strip, visible.Moved(-x, -y));
  form_.host.PaintWindow(part, visible.Left, visible.Top);
}

void Transitions::VerticalSoftWipe(int duration) {
  if (!FramesMatch()) {
    form_.host.ShowMessage(kFormatMismatch);
    return;
  }
  const Picture& from = *FromFrame;
  const Picture& to = *ToFrame;
  const int width = from.Width();
  const int height = from.Height();
  const size_t rowBytes = 3 * static_cast<size_t>(width);
  // Freed on every path. Where no one sees the strips, one row of each keeps the wipe's
  // arithmetic running without the work of painting.
  Picture strip(width, form_.host.ShowsFrames() ? kBandRows : 1, PixelFormat::Bgr24);

  const int steps = height / kBandRows + (kLevels - 1);
  const int stepDelay = duration / steps;
  uint32_t nextTime = form_.host.Milliseconds();
  // The band of level 0 starts seven bands above the picture, so that the leading band,
  // level 7, enters at the top on the first step.
  Rect band = Rect{0, 0, width, kBandRows}.Moved(0, -kBandRows * (kLevels - 1));
  while (band.Top < height) {
    Rect q = band;
    for (int level = 0; level < kLevels; ++level) {
      for (int j = 0; j < strip.Height(); ++j) {
        const int y = q.Top + j;
        if (y < 0 || y >= height) continue;  // strip rows outside keep what they held
        BlendRun(level, from.Row(y), to.Row(y), strip.Row(j), rowBytes);
      }
      PaintClipped(strip, q.Left, q.Top, width, height);
      q = q.Moved(0, kBandRows);
    }
    // Absolute deadlines: a slow step does not push back the ones after it.
    WaitUntil(nextTime);
    nextTime += static_cast<uint32_t>(stepDelay);
    band = band.Moved(0, kBandRows);
  }
  *FromFrame = to;
}

void Transitions::HorizontalSoftWipe(int duration) {
  if (!FramesMatch()) {
    form_.host.ShowMessage(kFormatMismatch);
    return;
  }
  const Picture& from = *FromFrame;
  const Picture& to = *ToFrame;
  const int width = from.Width();
  const int height = from.Height();
  // Every step visits every row: take the row addresses once, up front.
  std::vector<const uint8_t*> fromRows(static_cast<size_t>(height));
  std::vector<const uint8_t*> toRows(static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    fromRows[static_cast<size_t>(y)] = from.Row(y);
    toRows[static_cast<size_t>(y)] = to.Row(y);
  }
  // Eight cells of one band width side by side, cell k at level k.
  // Freed on every path; one row high where no one sees it (see the vertical wipe).
  Picture strip(kBandColumns * kLevels, form_.host.ShowsFrames() ? height : std::min(height, 1),
                PixelFormat::Bgr24);
  constexpr size_t cellBytes = 3 * kBandColumns;

  const int steps = width / kBandColumns + (kLevels - 1);
  const int stepDelay = duration / steps;
  uint32_t nextTime = form_.host.Milliseconds();
  // Cell 0 starts seven bands left of the picture, so cell 7 enters at the left edge.
  Rect band = Rect{0, 0, kBandColumns, height}.Moved(-kBandColumns * (kLevels - 1), 0);
  while (band.Left < width) {
    Rect q = band;
    for (int level = 0; level < kLevels; ++level) {
      if (q.Left >= 0 && q.Right <= width) {  // cells outside keep what they held
        const size_t at = 3 * static_cast<size_t>(q.Left);
        const size_t cell = cellBytes * static_cast<size_t>(level);
        for (int y = 0; y < strip.Height(); ++y)
          BlendRun(level, fromRows[static_cast<size_t>(y)] + at, toRows[static_cast<size_t>(y)] + at,
                   strip.Row(y) + cell, cellBytes);
      }
      q = q.Moved(kBandColumns, 0);
    }
    WaitUntil(nextTime);
    nextTime += static_cast<uint32_t>(stepDelay);
    PaintClipped(strip, band.Left, band.Top, width, height);
    band = band.Moved(kBandColumns, 0);
  }
  *FromFrame = to;
}

}  // namespace velmora
