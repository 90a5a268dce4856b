#pragma once
// How the 640x480 game picture sits on a screen with a given device pixel ratio. Each
// game pixel becomes Scale x Scale device pixels, Scale a whole number, so the picture
// is never smeared by a fractional zoom and every device pixel belongs to exactly one
// game pixel; a pointer position maps back to that pixel.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

#include "gfx/geometry.h"

namespace velmora {

class ScreenScale {
 public:
  // The game's picture size in game pixels.
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;

  // Ratio is the window's device pixel ratio (device pixels per logical pixel).
  explicit ScreenScale(double ratio);

  // Device pixels per game pixel: the ratio rounded to a whole number, at least 1.
  int Scale() const { return scale_; }
  double Ratio() const { return ratio_; }
  // The client area in logical pixels, large enough to hold the whole picture.
  QSize LogicalSize() const;
  // Where the picture lies, in logical pixels.
  QRectF PictureRect() const;
  // The game pixel under a position given in logical pixels (may lie outside 640x480
  // while the pointer is held and dragged off the window).
  QPoint GamePixel(QPointF logical) const;
  // The logical rectangle that covers a rectangle of game pixels.
  QRect LogicalRect(const Rect& game) const;

 private:
  double ratio_;
  int scale_;
};

}  // namespace velmora
