#include "platform/qt/shell_overlay.h"

#include <QFontMetrics>
#include <QPainter>

namespace velmora {

namespace {

constexpr int kMargin = 8;   // from the client area's top-left corner
constexpr int kPadding = 6;  // around the text inside the box

}  // namespace

ShellOverlay::ShellOverlay(QWidget* over) : QWidget(over) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  hideTimer_.setSingleShot(true);
  hideTimer_.setInterval(kShowMs);
  connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
  hide();
}

void ShellOverlay::Show(const QString& text) {
  text_ = text;
  Place();
  show();
  raise();
  update();
  hideTimer_.start();
}

void ShellOverlay::Place() {
  const QFontMetrics metrics(font());
  const QRect lines = metrics.boundingRect(QRect(0, 0, 4000, 4000), Qt::AlignLeft | Qt::AlignTop, text_);
  const int maxWidth = parentWidget() ? parentWidget()->width() - 2 * kMargin : lines.width() + 2 * kPadding;
  setGeometry(kMargin, kMargin, std::min(lines.width() + 2 * kPadding, std::max(maxWidth, 1)),
              lines.height() + 2 * kPadding);
}

void ShellOverlay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0, 0, 0, 190));
  painter.setPen(Qt::white);
  painter.drawText(rect().adjusted(kPadding, kPadding, -kPadding, -kPadding), Qt::AlignLeft | Qt::AlignTop,
                   text_);
}

}  // namespace velmora
