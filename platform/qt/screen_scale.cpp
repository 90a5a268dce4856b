#include "platform/qt/screen_scale.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// Device positions arrive divided by the ratio; this absorbs the rounding on the way
// back, so a device pixel edge never falls into the game pixel before it.
constexpr double kEdgeSlack = 1e-6;

double SaneRatio(double ratio) { return ratio > 0 ? ratio : 1.0; }

int WholeScale(double ratio) {
  const long whole = std::lround(ratio);
  return whole < 1 ? 1 : static_cast<int>(whole);
}

// The game pixel along one axis. At a fractional ratio the picture's edges fall inside a
// logical pixel, and a pointer anywhere in that logical pixel (the window has no smaller
// unit) is on the picture: at its first or last game pixel.
int Along(double logical, double origin, double extent, double factor, int count) {
  const int at = static_cast<int>(std::floor((logical - origin) * factor + kEdgeSlack));
  if (at == count && logical < std::ceil(origin + extent - kEdgeSlack)) return count - 1;
  if (at == -1 && logical >= std::floor(origin + kEdgeSlack)) return 0;
  return at;
}

}  // namespace

ScreenScale::ScreenScale(double ratio) : ScreenScale(ratio, WholeScale(SaneRatio(ratio)), QSizeF()) {}

ScreenScale::ScreenScale(double ratio, int scale) : ScreenScale(ratio, scale, QSizeF()) {}

ScreenScale::ScreenScale(double ratio, int scale, QSizeF area)
    : ratio_(SaneRatio(ratio)), scale_(std::max(scale, 1)), area_(area) {
  if (area_.isEmpty()) return;
  // Centred on whole device pixels, so the picture's pixels stay crisp.
  const double spareX = area_.width() * ratio_ - kWidth * scale_;
  const double spareY = area_.height() * ratio_ - kHeight * scale_;
  origin_ = QPointF(std::max(0.0, std::floor(spareX / 2 + kEdgeSlack)) / ratio_,
                    std::max(0.0, std::floor(spareY / 2 + kEdgeSlack)) / ratio_);
}

int ScreenScale::LargestScaleFor(double ratio, QSizeF area) {
  ratio = SaneRatio(ratio);
  const double across = std::floor(area.width() * ratio / kWidth + kEdgeSlack);
  const double down = std::floor(area.height() * ratio / kHeight + kEdgeSlack);
  return std::max(1, static_cast<int>(std::min(across, down)));
}

ScreenScale ScreenScale::Fitting(double ratio, QSizeF area) {
  return ScreenScale(ratio, LargestScaleFor(ratio, area), area);
}

QSize ScreenScale::LogicalSize() const {
  if (!area_.isEmpty()) return area_.toSize();
  const QRectF picture = PictureRect();
  return {static_cast<int>(std::ceil(picture.width() - kEdgeSlack)),
          static_cast<int>(std::ceil(picture.height() - kEdgeSlack))};
}

QRectF ScreenScale::PictureRect() const {
  const double factor = scale_ / ratio_;
  return {origin_.x(), origin_.y(), kWidth * factor, kHeight * factor};
}

QPoint ScreenScale::GamePixel(QPointF logical) const {
  const double factor = ratio_ / scale_;
  const QRectF picture = PictureRect();
  return {Along(logical.x(), origin_.x(), picture.width(), factor, kWidth),
          Along(logical.y(), origin_.y(), picture.height(), factor, kHeight)};
}

bool ScreenScale::OnPicture(QPointF logical) const {
  const QPoint at = GamePixel(logical);
  return at.x() >= 0 && at.x() < kWidth && at.y() >= 0 && at.y() < kHeight;
}

QRect ScreenScale::LogicalRect(const Rect& game) const {
  const double factor = scale_ / ratio_;
  const int left = static_cast<int>(std::floor(origin_.x() + game.Left * factor));
  const int top = static_cast<int>(std::floor(origin_.y() + game.Top * factor));
  const int right = static_cast<int>(std::ceil(origin_.x() + game.Right * factor));
  const int bottom = static_cast<int>(std::ceil(origin_.y() + game.Bottom * factor));
  return QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(0, 0, 1, 1);
}

}  // namespace velmora
