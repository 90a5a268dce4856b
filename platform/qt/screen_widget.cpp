#include "platform/qt/screen_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <QWindow>
#include <optional>

#include "platform/qt/picture_image.h"

namespace velmora {

namespace {

std::optional<MouseButton> GameButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return std::nullopt;
  }
}

}  // namespace

ScreenWidget::ScreenWidget(QWidget* parent)
    : QWidget(parent),
      surface_(ScreenScale::kWidth, ScreenScale::kHeight, QImage::Format_RGB32),
      painted_([this](const Rect& area) { repaint(CurrentScale().LogicalRect(area)); }) {
  surface_.fill(Qt::black);
  // The album lights slots under a pointer that holds no button.
  setMouseTracking(true);
  // Every pixel is painted each time: Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  AdaptToScreen();
}

ScreenScale ScreenWidget::CurrentScale() const {
  if (filling_) return ScreenScale::Fitting(devicePixelRatioF(), QSizeF(size()));
  if (zoom_ > 0) return ScreenScale(devicePixelRatioF(), zoom_);
  return ScreenScale(devicePixelRatioF());
}

void ScreenWidget::AdaptToScreen() {
  if (filling_) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    setFixedSize(CurrentScale().LogicalSize());
  }
  update();
}

void ScreenWidget::SetZoom(int scale) {
  zoom_ = scale > 0 ? scale : 0;
  AdaptToScreen();
}

void ScreenWidget::SetFilling(bool filling) {
  filling_ = filling;
  AdaptToScreen();
}

void ScreenWidget::Paint(const Picture& picture, int x, int y) {
  painted_.Add(DrawPictureOnImage(surface_, x, y, picture));
}

void ScreenWidget::ShowPicture(const Picture* picture) {
  // Every entry from the event loop ends here, a pointer move over a still page too:
  // only the pixels that changed are repainted, and none when nothing did (a wipe has
  // already painted its last frame). A picture smaller than the screen leaves the rest
  // black, as the window colour is.
  // What a wipe painted last goes first, at once, as it would have at the next wait.
  painted_.Show();
  const Rect changed = UpdateImageFromPicture(surface_, picture);
  if (!changed.IsEmpty()) update(CurrentScale().LogicalRect(changed));
}

void ScreenWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const QRectF picture = CurrentScale().PictureRect();
  // A fractional ratio leaves a sliver outside the whole-scale picture; fullscreen a
  // border all round.
  if (picture.width() < width() || picture.height() < height()) painter.fillRect(event->rect(), Qt::black);
  painter.drawImage(picture, surface_);
}

// Off the picture (the black border in fullscreen) the pointer is off the game, as it is
// off the window: a press there is not the game's, nor is a move with no button held. A
// held press follows the pointer off the picture, as a drag off the window does.
void ScreenWidget::mousePressEvent(QMouseEvent* event) {
  const std::optional<MouseButton> button = GameButton(event->button());
  const ScreenScale scale = CurrentScale();
  if (!button || !OnPress || !scale.OnPicture(event->position())) return;
  pressedOnPicture_ |= event->button();
  const QPoint at = scale.GamePixel(event->position());
  OnPress(*button, at.x(), at.y());
}

void ScreenWidget::mouseMoveEvent(QMouseEvent* event) {
  const ScreenScale scale = CurrentScale();
  if (!OnMove || (!(event->buttons() & pressedOnPicture_) && !scale.OnPicture(event->position()))) return;
  const QPoint at = scale.GamePixel(event->position());
  OnMove(at.x(), at.y());
}

void ScreenWidget::mouseReleaseEvent(QMouseEvent* event) {
  const std::optional<MouseButton> button = GameButton(event->button());
  if (!button || !OnRelease || !(pressedOnPicture_ & event->button())) return;
  pressedOnPicture_ &= ~event->button();
  const QPoint at = CurrentScale().GamePixel(event->position());
  OnRelease(*button, at.x(), at.y());
}

void ScreenWidget::wheelEvent(QWheelEvent* event) {
  event->accept();
  // A notch is 120 eighths of a degree; fine-grained wheels send parts of one. Turning
  // toward the player is a negative angle.
  const int turn = -event->angleDelta().y();
  wheelTurn_ = std::max(0, wheelTurn_ + turn);
  wheelAway_ = std::max(0, wheelAway_ - turn);
  while (wheelTurn_ >= 120) {
    wheelTurn_ -= 120;
    if (OnWheelTowardPlayer) OnWheelTowardPlayer();
  }
  while (wheelAway_ >= 120) {
    wheelAway_ -= 120;
    if (OnWheelAway) OnWheelAway();
  }
}

void ScreenWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  AdaptToScreen();
  if (watchingScreen_ || !window()->windowHandle()) return;
  watchingScreen_ = true;
  // Moving to a screen with another pixel ratio changes the whole scale.
  connect(window()->windowHandle(), &QWindow::screenChanged, this, [this] { AdaptToScreen(); });
}

}  // namespace velmora
