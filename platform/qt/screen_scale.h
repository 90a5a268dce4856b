#pragma once
// How the 640x480 game picture sits in the client area. Each game pixel becomes
// Scale x Scale device pixels, Scale a whole number, so the picture is never smeared by
// a fractional zoom and every device pixel belongs to exactly one game pixel; a pointer
// position maps back to that pixel. By default the scale follows the device pixel ratio;
// the player may choose a larger one (zoom), and in fullscreen the picture takes the
// largest scale that fits the screen, centred on black.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

#include "gfx/geometry.h"

namespace velmora {

class ScreenScale {
 public:
  // The game's picture size in game pixels.
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;

  // Ratio is the window's device pixel ratio (device pixels per logical pixel); the
  // scale is the ratio rounded to a whole number, at least 1.
  explicit ScreenScale(double ratio);
  // A chosen whole scale in device pixels per game pixel (at least 1).
  ScreenScale(double ratio, int scale);
  // The largest whole scale whose picture fits an area of logical pixels, with the
  // picture centred in that area on whole device pixels.
  static ScreenScale Fitting(double ratio, QSizeF area);
  // The largest whole scale whose picture fits an area of logical pixels (at least 1).
  static int LargestScaleFor(double ratio, QSizeF area);

  // Device pixels per game pixel.
  int Scale() const { return scale_; }
  double Ratio() const { return ratio_; }
  // The client area in logical pixels, large enough to hold the whole picture.
  QSize LogicalSize() const;
  // Where the picture lies, in logical pixels.
  QRectF PictureRect() const;
  // The game pixel under a position given in logical pixels (may lie outside 640x480
  // while the pointer is held and dragged off the picture). A logical pixel the
  // picture's edge runs through (at a fractional ratio) is on the picture.
  QPoint GamePixel(QPointF logical) const;
  // Whether a position in logical pixels lies on the picture.
  bool OnPicture(QPointF logical) const;
  // The logical rectangle that covers a rectangle of game pixels.
  QRect LogicalRect(const Rect& game) const;

 private:
  ScreenScale(double ratio, int scale, QSizeF area);

  double ratio_;
  int scale_;
  QPointF origin_;  // the picture's top-left corner, in logical pixels
  QSizeF area_;     // the client area, in logical pixels; empty: just the picture
};

}  // namespace velmora
