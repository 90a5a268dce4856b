#include "platform/qt/screen_scale.h"

#include <cmath>

namespace velmora {

namespace {

// Device positions arrive divided by the ratio; this absorbs the rounding on the way
// back, so a device pixel edge never falls into the game pixel before it.
constexpr double kEdgeSlack = 1e-6;

}  // namespace

ScreenScale::ScreenScale(double ratio) : ratio_(ratio > 0 ? ratio : 1.0) {
  const long whole = std::lround(ratio_);
  scale_ = whole < 1 ? 1 : static_cast<int>(whole);
}

QSize ScreenScale::LogicalSize() const {
  const QRectF picture = PictureRect();
  return {static_cast<int>(std::ceil(picture.width() - kEdgeSlack)),
          static_cast<int>(std::ceil(picture.height() - kEdgeSlack))};
}

QRectF ScreenScale::PictureRect() const {
  const double factor = scale_ / ratio_;
  return {0.0, 0.0, kWidth * factor, kHeight * factor};
}

QPoint ScreenScale::GamePixel(QPointF logical) const {
  const double factor = ratio_ / scale_;
  return {static_cast<int>(std::floor(logical.x() * factor + kEdgeSlack)),
          static_cast<int>(std::floor(logical.y() * factor + kEdgeSlack))};
}

QRect ScreenScale::LogicalRect(const Rect& game) const {
  const double factor = scale_ / ratio_;
  const int left = static_cast<int>(std::floor(game.Left * factor));
  const int top = static_cast<int>(std::floor(game.Top * factor));
  const int right = static_cast<int>(std::ceil(game.Right * factor));
  const int bottom = static_cast<int>(std::ceil(game.Bottom * factor));
  return QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(0, 0, 1, 1);
}

}  // namespace velmora
