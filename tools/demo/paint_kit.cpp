#include "tools/demo/paint_kit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QLinearGradient>
#include <QPainterPath>
#include <QPainterPathStroker>

#include "gfx/canvas.h"

namespace velmora::demo {

QImage NewCanvas(int width, int height, QColor fill) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

QImage NewLayer(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void BeginSmooth(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QFont GameFont(int pixelSize, bool bold) {
  QFont font(QString::fromUtf8(kGameFontFace));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setStyleHint(QFont::Monospace);
  return font;
}

QFont TitleFont(int pixelSize, bool italic) {
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setPixelSize(pixelSize);
  font.setItalic(italic);
  // The family also holds condensed faces; asking for the normal width keeps the match
  // the same on every call (otherwise the first lookup may settle on another face).
  font.setStretch(QFont::Unstretched);
  font.setStyleHint(QFont::Serif);
  return font;
}

void CentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font, QColor color) {
  painter.setFont(font);
  painter.setPen(color);
  painter.drawText(box, Qt::AlignCenter, text);
}

void OutlinedText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font, QColor fill,
                  QColor outline, double width) {
  // Built as a path so the outline surrounds every glyph evenly.
  const QFontMetricsF metrics(font);
  const double textWidth = metrics.horizontalAdvance(text);
  const QPointF origin(box.center().x() - textWidth / 2,
                       box.center().y() + (metrics.ascent() - metrics.descent()) / 2);
  QPainterPath path;
  path.addText(origin, font, text);
  painter.save();
  if (width > 0) {
    painter.setPen(QPen(outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawPath(path);
  painter.restore();
}

void VerticalGradient(QPainter& painter, const QRectF& box, QColor top, QColor bottom) {
  QLinearGradient gradient(box.topLeft(), box.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  painter.fillRect(box, gradient);
}

QColor Mix(QColor a, QColor b, double t) {
  auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                lerp(a.alpha(), b.alpha()));
}

double Scatter::Next() {
  // xorshift32: small, fast and the same on every platform.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return (state_ >> 8) / 16777216.0;
}

void Petal(QPainter& painter, double x, double y, double size, double angleDegrees, QColor color) {
  painter.save();
  painter.translate(x, y);
  painter.rotate(angleDegrees);
  QPainterPath path;
  path.moveTo(0, size * 0.55);
  path.cubicTo(size * 0.6, size * 0.2, size * 0.45, -size * 0.5, size * 0.12, -size * 0.55);
  path.lineTo(0, -size * 0.38);  // the notch at the petal's tip
  path.lineTo(-size * 0.12, -size * 0.55);
  path.cubicTo(-size * 0.45, -size * 0.5, -size * 0.6, size * 0.2, 0, size * 0.55);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  painter.drawPath(path);
  painter.restore();
}

void StrewPetals(QPainter& painter, const QRectF& area, int count, uint32_t seed, double minSize, double maxSize) {
  Scatter r(seed);
  for (int i = 0; i < count; ++i) {
    const double x = r.Range(area.left(), area.right());
    const double y = r.Range(area.top(), area.bottom());
    QColor c = Mix(tone::Sakura, QColor(255, 240, 246), r.Next() * 0.6);
    c.setAlpha(static_cast<int>(r.Range(170, 250)));
    Petal(painter, x, y, r.Range(minSize, maxSize), r.Range(0, 360), c);
  }
}

void ButtonFace(QPainter& painter, const QRectF& box, const QString& label, Look look, int fontPx,
                bool crispEdge) {
  painter.save();
  QColor top(255, 251, 247), bottom(244, 226, 232), border = tone::PlumSoft, text = tone::Plum;
  if (look == Look::Hover) {
    top = QColor(255, 226, 236);
    bottom = QColor(246, 176, 200);
    border = tone::SakuraDeep.darker(120);
  } else if (look == Look::Pressed) {
    top = QColor(214, 118, 150);
    bottom = QColor(234, 148, 176);
    border = QColor(150, 70, 104);
    text = QColor(255, 255, 255);
  }
  const QRectF face = box.adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient fill(face.topLeft(), face.bottomLeft());
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  painter.setRenderHint(QPainter::Antialiasing, !crispEdge);
  painter.setPen(QPen(border, 1));
  painter.setBrush(fill);
  const double radius = std::min(face.height() * 0.45, 9.0);
  painter.drawRoundedRect(crispEdge ? box.adjusted(0, 0, -1, -1) : face, radius, radius);
  painter.setRenderHint(QPainter::Antialiasing, true);
  if (look != Look::Pressed) {  // a glossy line under the top edge
    painter.setPen(QPen(QColor(255, 255, 255, 170), 1));
    painter.drawLine(QPointF(face.left() + radius, face.top() + 2), QPointF(face.right() - radius, face.top() + 2));
  }
  const QRectF textBox = look == Look::Pressed ? box.translated(0, 1) : box;
  CentredText(painter, textBox, label, GameFont(fontPx, true), text);
  painter.restore();
}

Picture ToPicture(const QImage& image) {
  const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
  Picture picture(bgr.width(), bgr.height(), PixelFormat::Bgr24);
  // BGR888 keeps blue first in memory, as the picture does.
  for (int y = 0; y < bgr.height(); ++y)
    std::memcpy(picture.Row(y), bgr.constScanLine(y), static_cast<size_t>(bgr.width()) * 3);
  return picture;
}

Picture ToMask(const QImage& grey) {
  const QImage g = grey.convertToFormat(QImage::Format_Grayscale8);
  Picture mask(g.width(), g.height(), PixelFormat::Indexed8);
  for (int i = 0; i < 256; ++i) mask.Palette()[static_cast<size_t>(i)] = static_cast<uint32_t>(i) * 0x010101u;
  for (int y = 0; y < g.height(); ++y) std::memcpy(mask.Row(y), g.constScanLine(y), static_cast<size_t>(g.width()));
  return mask;
}

}  // namespace velmora::demo
