#include "tools/demo/scenery.h"

#include <algorithm>
#include <cmath>

#include <QPainterPath>
#include <QRadialGradient>

#include "tools/demo/paint_kit.h"

namespace velmora::demo {

void Sky(QPainter& painter, const QRectF& area, SkyKind kind, uint32_t seed) {
  Scatter r(seed);
  switch (kind) {
    case SkyKind::Day:
      VerticalGradient(painter, area, QColor(150, 200, 238), QColor(232, 238, 248));
      for (int i = 0; i < 4; ++i)
        Cloud(painter, r.Range(area.left(), area.right()), area.top() + r.Range(0.1, 0.45) * area.height(),
              r.Range(0.6, 1.2), QColor(255, 255, 255, 215));
      break;
    case SkyKind::Evening: {
      QLinearGradient g(area.topLeft(), area.bottomLeft());
      g.setColorAt(0, QColor(120, 110, 180));
      g.setColorAt(0.5, QColor(236, 150, 160));
      g.setColorAt(1, QColor(252, 210, 160));
      painter.fillRect(area, g);
      for (int i = 0; i < 3; ++i)
        Cloud(painter, r.Range(area.left(), area.right()), area.top() + r.Range(0.2, 0.5) * area.height(),
              r.Range(0.7, 1.3), QColor(255, 200, 190, 150));
      break;
    }
    case SkyKind::Night:
      VerticalGradient(painter, area, QColor(22, 24, 62), QColor(74, 66, 120));
      Stars(painter, area, static_cast<int>(area.width() * area.height() / 2500), seed);
      break;
  }
}

void Cloud(QPainter& painter, double x, double y, double scale, QColor color) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  QPainterPath puffs;
  const double s = 30 * scale;
  puffs.addEllipse(QPointF(x - 1.4 * s, y + 0.2 * s), 0.9 * s, 0.6 * s);
  puffs.addEllipse(QPointF(x - 0.4 * s, y - 0.25 * s), 1.0 * s, 0.85 * s);
  puffs.addEllipse(QPointF(x + 0.7 * s, y - 0.05 * s), 0.95 * s, 0.7 * s);
  puffs.addEllipse(QPointF(x + 1.6 * s, y + 0.25 * s), 0.7 * s, 0.5 * s);
  puffs.addRoundedRect(QRectF(x - 1.9 * s, y, 4.1 * s, 0.8 * s), 0.4 * s, 0.4 * s);
  puffs.setFillRule(Qt::WindingFill);
  painter.drawPath(puffs.simplified());
  painter.restore();
}

void Stars(QPainter& painter, const QRectF& area, int count, uint32_t seed) {
  Scatter r(seed ^ 0x5a5a5a5au);
  painter.save();
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const double x = r.Range(area.left(), area.right());
    const double y = r.Range(area.top(), area.bottom());
    const double size = r.Range(0.6, 1.8);
    painter.setBrush(QColor(255, 250, 220, static_cast<int>(r.Range(120, 255))));
    painter.drawEllipse(QPointF(x, y), size, size);
    if (size > 1.6) {  // a few twinkling crosses
      painter.setPen(QPen(QColor(255, 250, 230, 160), 0.8));
      painter.drawLine(QPointF(x - 4, y), QPointF(x + 4, y));
      painter.drawLine(QPointF(x, y - 4), QPointF(x, y + 4));
      painter.setPen(Qt::NoPen);
    }
  }
  painter.restore();
}

void Moon(QPainter& painter, double x, double y, double r) {
  painter.save();
  QRadialGradient glow(QPointF(x, y), r * 3);
  glow.setColorAt(0, QColor(255, 250, 220, 90));
  glow.setColorAt(1, QColor(255, 250, 220, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(glow);
  painter.drawEllipse(QPointF(x, y), r * 3, r * 3);
  QPainterPath disc, bite;
  disc.addEllipse(QPointF(x, y), r, r);
  bite.addEllipse(QPointF(x + r * 0.45, y - r * 0.25), r * 0.85, r * 0.85);
  painter.setBrush(QColor(255, 246, 200));
  painter.drawPath(disc.subtracted(bite));
  painter.restore();
}

void SakuraTree(QPainter& painter, double x, double groundY, double scale, uint32_t seed) {
  Scatter r(seed);
  const double s = scale;
  painter.save();
  // Trunk and the main branches.
  const QColor bark(118, 84, 78);
  QPainterPath trunk;
  trunk.moveTo(x - 12 * s, groundY);
  trunk.cubicTo(x - 8 * s, groundY - 50 * s, x - 14 * s, groundY - 90 * s, x - 4 * s, groundY - 120 * s);
  trunk.lineTo(x + 6 * s, groundY - 118 * s);
  trunk.cubicTo(x + 4 * s, groundY - 80 * s, x + 10 * s, groundY - 40 * s, x + 14 * s, groundY);
  trunk.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(bark);
  painter.drawPath(trunk);
  painter.setPen(QPen(bark, 6 * s, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(x, groundY - 110 * s), QPointF(x - 55 * s, groundY - 150 * s));
  painter.drawLine(QPointF(x, groundY - 110 * s), QPointF(x + 60 * s, groundY - 145 * s));
  painter.setPen(QPen(bark, 4 * s, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(x - 2 * s, groundY - 115 * s), QPointF(x + 5 * s, groundY - 175 * s));
  // The blossom: clusters of soft pinks, darker at the bottom of the crown.
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < 46; ++i) {
    const double a = r.Range(0, 2 * M_PI);
    const double d = std::sqrt(r.Next());
    const double cx = x + std::cos(a) * d * 95 * s;
    const double cy = groundY - 150 * s + std::sin(a) * d * 52 * s;
    const double rad = r.Range(18, 32) * s;
    const double depth = (cy - (groundY - 200 * s)) / (100 * s);
    QColor c = Mix(QColor(255, 222, 232), tone::SakuraDeep, std::clamp(depth * 0.55 + r.Range(-0.1, 0.1), 0.0, 1.0));
    c.setAlpha(235);
    painter.setBrush(c);
    painter.drawEllipse(QPointF(cx, cy), rad, rad * 0.85);
  }
  // Twigs showing through the lower blossom, then a few clusters over them so the
  // branches seem to run inside the crown.
  painter.setPen(QPen(QColor(118, 84, 78, 210), 2.2 * s, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  for (int i = 0; i < 6; ++i) {
    const double side = i % 2 ? 1 : -1;
    const QPointF from(x + side * r.Range(10, 40) * s, groundY - r.Range(120, 140) * s);
    const QPointF to(from.x() + side * r.Range(30, 60) * s, from.y() - r.Range(10, 40) * s);
    painter.drawLine(from, to);
  }
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < 12; ++i) {
    const double cx = x + r.Range(-85, 85) * s;
    const double cy = groundY - 150 * s + r.Range(-30, 30) * s;
    painter.setBrush(QColor(250, 200, 216, 225));
    painter.drawEllipse(QPointF(cx, cy), r.Range(12, 20) * s, r.Range(10, 16) * s);
  }
  for (int i = 0; i < 18; ++i) {  // small bright tufts on top
    const double cx = x + r.Range(-80, 80) * s;
    const double cy = groundY - 165 * s + r.Range(-45, 15) * s;
    painter.setBrush(QColor(255, 240, 246, 150));
    painter.drawEllipse(QPointF(cx, cy), r.Range(3, 6) * s, r.Range(3, 5) * s);
  }
  painter.restore();
}

void GreenTree(QPainter& painter, double x, double groundY, double scale, QColor leaves) {
  const double s = scale;
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(128, 94, 72));
  painter.drawRect(QRectF(x - 5 * s, groundY - 40 * s, 10 * s, 40 * s));
  painter.setBrush(leaves.darker(115));
  painter.drawEllipse(QPointF(x, groundY - 62 * s), 34 * s, 36 * s);
  painter.setBrush(leaves);
  painter.drawEllipse(QPointF(x - 8 * s, groundY - 70 * s), 26 * s, 26 * s);
  painter.setBrush(leaves.lighter(115));
  painter.drawEllipse(QPointF(x - 14 * s, groundY - 78 * s), 12 * s, 11 * s);
  painter.restore();
}

void Shrub(QPainter& painter, double x, double groundY, double width, QColor leaves) {
  painter.save();
  painter.setPen(Qt::NoPen);
  const double h = width * 0.45;
  painter.setBrush(leaves.darker(110));
  painter.drawEllipse(QRectF(x - width / 2, groundY - h, width, h * 1.1));
  painter.setBrush(leaves);
  painter.drawEllipse(QRectF(x - width * 0.4, groundY - h * 1.1, width * 0.5, h * 0.8));
  painter.drawEllipse(QRectF(x - width * 0.05, groundY - h * 1.0, width * 0.45, h * 0.75));
  painter.restore();
}

void House(QPainter& painter, const QRectF& body, QColor wall, QColor roof) {
  painter.save();
  painter.setPen(QPen(wall.darker(140), 1.5));
  painter.setBrush(wall);
  painter.drawRect(body);
  const double over = body.width() * 0.08;
  QPainterPath gable;
  gable.moveTo(body.left() - over, body.top() + 2);
  gable.lineTo(body.center().x(), body.top() - body.width() * 0.42);
  gable.lineTo(body.right() + over, body.top() + 2);
  gable.closeSubpath();
  painter.setPen(QPen(roof.darker(130), 1.5));
  painter.setBrush(roof);
  painter.drawPath(gable);
  painter.restore();
}

void Pane(QPainter& painter, const QRectF& box, QColor glass, bool lit) {
  painter.save();
  painter.setPen(QPen(QColor(250, 246, 240), std::max(2.0, box.width() * 0.06)));
  painter.setBrush(lit ? QColor(255, 226, 150) : glass);
  painter.drawRect(box);
  painter.setPen(QPen(QColor(250, 246, 240), std::max(1.5, box.width() * 0.04)));
  painter.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.bottom()));
  painter.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
  if (!lit && glass.alpha() > 0) {  // a diagonal glint on tinted glass
    painter.setPen(QPen(QColor(255, 255, 255, 150), std::max(1.5, box.width() * 0.08)));
    painter.drawLine(QPointF(box.left() + box.width() * 0.15, box.top() + box.height() * 0.4),
                     QPointF(box.left() + box.width() * 0.38, box.top() + box.height() * 0.12));
  }
  painter.restore();
}

void Bench(QPainter& painter, double x, double groundY, double width) {
  painter.save();
  const QColor wood = tone::Wood;
  const double h = width * 0.42;
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(90, 84, 90));
  painter.drawRect(QRectF(x - width * 0.42, groundY - h * 0.55, width * 0.05, h * 0.55));
  painter.drawRect(QRectF(x + width * 0.37, groundY - h * 0.55, width * 0.05, h * 0.55));
  painter.setBrush(wood);
  for (int i = 0; i < 2; ++i)
    painter.drawRoundedRect(QRectF(x - width / 2, groundY - h + i * h * 0.2, width, h * 0.14), 2, 2);
  painter.setBrush(wood.darker(110));
  painter.drawRoundedRect(QRectF(x - width / 2, groundY - h * 0.55, width, h * 0.12), 2, 2);
  painter.restore();
}

void StreetLamp(QPainter& painter, double x, double groundY, double height, bool lit) {
  painter.save();
  if (lit) {
    QRadialGradient glow(QPointF(x, groundY - height), height * 0.5);
    glow.setColorAt(0, QColor(255, 236, 170, 150));
    glow.setColorAt(1, QColor(255, 236, 170, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(x, groundY - height), height * 0.5, height * 0.5);
  }
  painter.setPen(QPen(QColor(70, 70, 84), std::max(2.0, height * 0.04)));
  painter.drawLine(QPointF(x, groundY), QPointF(x, groundY - height));
  painter.setPen(Qt::NoPen);
  painter.setBrush(lit ? QColor(255, 240, 190) : QColor(230, 230, 220));
  painter.drawEllipse(QPointF(x, groundY - height), height * 0.09, height * 0.11);
  painter.setBrush(QColor(70, 70, 84));
  painter.drawRect(QRectF(x - height * 0.1, groundY - height * 1.12, height * 0.2, height * 0.05));
  painter.restore();
}

void Fence(QPainter& painter, double left, double right, double top, double height, QColor color) {
  painter.save();
  painter.setPen(QPen(color.darker(125), 1));
  painter.setBrush(color);
  painter.drawRect(QRectF(left, top + height * 0.3, right - left, height * 0.12));
  painter.drawRect(QRectF(left, top + height * 0.7, right - left, height * 0.12));
  for (double x = left; x < right; x += height * 0.45) {
    QPainterPath picket;
    picket.moveTo(x, top + height);
    picket.lineTo(x, top + height * 0.12);
    picket.lineTo(x + height * 0.14, top);
    picket.lineTo(x + height * 0.28, top + height * 0.12);
    picket.lineTo(x + height * 0.28, top + height);
    picket.closeSubpath();
    painter.drawPath(picket);
  }
  painter.restore();
}

}  // namespace velmora::demo
