// The outdoor scenes (500x460): a heroine's house, the park, the convenience store, the
// shopping street, the station and the riverside. The message window covers the
// bottom rows, so what matters sits above y 370.
#include <cmath>

#include <QPainterPath>

#include "tools/demo/paint_kit.h"
#include "tools/demo/scenery.h"
#include "tools/demo/scene_art.h"

namespace velmora::demo {

namespace {

constexpr int kW = 500, kH = 460;

void Grass(QPainter& p, double top, QColor near = QColor(150, 204, 132)) {
  VerticalGradient(p, QRectF(0, top, kW, kH - top), QColor(188, 224, 160), near);
}

}  // namespace

QImage HeroineHomeScene() {
  QImage image = NewCanvas(kW, kH, tone::Sky);
  QPainter p(&image);
  BeginSmooth(p);
  Sky(p, QRectF(0, 0, kW, 300), SkyKind::Day, 31);
  Grass(p, 290);
  House(p, QRectF(120, 150, 230, 170), QColor(252, 244, 240), QColor(214, 118, 146));
  p.setPen(QPen(QColor(200, 186, 180), 1.5));
  p.setBrush(QColor(246, 236, 232));
  p.drawRect(QRectF(120, 232, 230, 3));  // the line between the floors
  for (double x : {140.0, 290.0}) Pane(p, QRectF(x, 170, 40, 44), QColor(176, 214, 236));
  for (double x : {140.0, 290.0}) Pane(p, QRectF(x, 250, 40, 44), QColor(176, 214, 236));
  p.setPen(QPen(QColor(130, 90, 70), 2));
  p.setBrush(QColor(176, 122, 92));
  p.drawRoundedRect(QRectF(215, 250, 40, 70), 4, 4);
  p.setBrush(QColor(250, 220, 120));
  p.drawEllipse(QPointF(247, 288), 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(226, 218, 204));
  QPainterPath walk;
  walk.moveTo(215, 320);
  walk.lineTo(255, 320);
  walk.lineTo(300, 460);
  walk.lineTo(170, 460);
  walk.closeSubpath();
  p.drawPath(walk);
  Fence(p, 0, 185, 318, 36, QColor(255, 252, 246));
  Fence(p, 290, 500, 318, 36, QColor(255, 252, 246));
  // The mailbox by the gate.
  p.setPen(QPen(QColor(150, 60, 70), 1.5));
  p.setBrush(QColor(226, 96, 110));
  p.drawRoundedRect(QRectF(296, 290, 24, 20), 4, 4);
  p.setBrush(QColor(120, 100, 100));
  p.drawRect(QRectF(305, 310, 6, 26));
  SakuraTree(p, 430, 320, 1.25, 32);
  Shrub(p, 60, 322, 90, tone::LeafDeep);
  Shrub(p, 380, 360, 70, tone::Leaf);
  StrewPetals(p, QRectF(300, 100, 200, 330), 26, 33, 5, 9);
  return image;
}

QImage ParkScene() {
  QImage image = NewCanvas(kW, kH, tone::Sky);
  QPainter p(&image);
  BeginSmooth(p);
  Sky(p, QRectF(0, 0, kW, 260), SkyKind::Day, 41);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(176, 210, 180));
  p.drawEllipse(QRectF(-80, 200, 380, 120));
  p.drawEllipse(QRectF(220, 190, 400, 130));
  Grass(p, 250);
  // A path winding away between the trees.
  p.setBrush(QColor(238, 226, 200));
  QPainterPath path;
  path.moveTo(200, 460);
  path.cubicTo(230, 380, 300, 330, 262, 255);
  path.lineTo(276, 255);
  path.cubicTo(330, 330, 330, 400, 360, 460);
  path.closeSubpath();
  p.drawPath(path);
  // The pond with a little fountain.
  p.setBrush(QColor(120, 176, 214));
  p.drawEllipse(QRectF(40, 300, 150, 52));
  p.setBrush(tone::Water);
  p.drawEllipse(QRectF(48, 304, 134, 42));
  p.setPen(QPen(QColor(255, 255, 255, 200), 2, Qt::SolidLine, Qt::RoundCap));
  for (int i = -2; i <= 2; ++i) p.drawLine(QPointF(115, 322), QPointF(115 + i * 9, 296 + std::abs(i) * 6));
  SakuraTree(p, 90, 300, 1.1, 42);
  SakuraTree(p, 420, 290, 1.35, 43);
  SakuraTree(p, 250, 250, 0.6, 44);
  Bench(p, 400, 368, 96);
  StreetLamp(p, 330, 350, 110, false);
  Shrub(p, 470, 400, 80, tone::LeafDeep);
  StrewPetals(p, QRectF(0, 120, kW, 320), 40, 45, 5, 10);
  return image;
}

QImage StoreScene() {
  QImage image = NewCanvas(kW, kH, tone::Sky);
  QPainter p(&image);
  BeginSmooth(p);
  Sky(p, QRectF(0, 0, kW, 200), SkyKind::Day, 51);
  p.fillRect(QRectF(0, 330, kW, 130), QColor(200, 200, 204));
  p.setPen(QPen(QColor(255, 255, 255), 3));
  for (int x = 30; x < kW; x += 90) p.drawLine(QPointF(x, 380), QPointF(x - 30, 460));
  // The shop: a white box with its stripes and a glowing window.
  p.setPen(QPen(QColor(180, 180, 186), 2));
  p.setBrush(QColor(250, 250, 248));
  p.drawRect(QRectF(40, 110, 420, 222));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(80, 172, 128));
  p.drawRect(QRectF(40, 128, 420, 12));
  p.setBrush(QColor(90, 150, 220));
  p.drawRect(QRectF(40, 140, 420, 8));
  p.setBrush(QColor(255, 255, 255));
  p.drawRoundedRect(QRectF(150, 84, 200, 40), 8, 8);
  p.setPen(QPen(QColor(80, 172, 128), 2));
  p.drawRoundedRect(QRectF(150, 84, 200, 40), 8, 8);
  CentredText(p, QRectF(150, 84, 200, 40), QStringLiteral("ハルマート 24h"), GameFont(20, true), QColor(60, 140, 104));
  p.setPen(QPen(QColor(180, 180, 186), 3));
  p.setBrush(QColor(226, 240, 246));
  p.drawRect(QRectF(60, 170, 150, 140));
  p.drawRect(QRectF(300, 170, 140, 140));
  // Shelves behind the glass.
  for (int row = 0; row < 3; ++row)
    for (int i = 0; i < 7; ++i) {
      const QColor goods[4] = {QColor(240, 160, 150), QColor(250, 214, 120), QColor(150, 200, 230), QColor(170, 220, 160)};
      p.setPen(Qt::NoPen);
      p.setBrush(goods[(row + i) % 4]);
      p.drawRect(QRectF(70 + i * 19, 190 + row * 38, 14, 20));
      p.drawRect(QRectF(310 + i * 17, 190 + row * 38, 12, 20));
    }
  p.setPen(QPen(QColor(160, 160, 166), 2));
  p.setBrush(QColor(200, 226, 240, 200));
  p.drawRect(QRectF(220, 180, 36, 150));
  p.drawRect(QRectF(256, 180, 36, 150));
  p.setPen(QPen(QColor(255, 255, 255, 160), 6));
  p.drawLine(QPointF(80, 300), QPointF(150, 180));
  p.drawLine(QPointF(320, 300), QPointF(390, 180));
  SakuraTree(p, 480, 340, 0.9, 52);
  StrewPetals(p, QRectF(300, 150, 200, 280), 14, 53, 5, 8);
  return image;
}

QImage TownScene() {
  QImage image = NewCanvas(kW, kH, tone::Sky);
  QPainter p(&image);
  BeginSmooth(p);
  Sky(p, QRectF(0, 0, kW, 240), SkyKind::Day, 61);
  const QPointF vanish(250, 230);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(232, 222, 206));
  QPainterPath street;
  street.moveTo(vanish + QPointF(-12, 0));
  street.lineTo(vanish + QPointF(12, 0));
  street.lineTo(520, 460);
  street.lineTo(-20, 460);
  street.closeSubpath();
  p.drawPath(street);
  p.setPen(QPen(QColor(214, 200, 184), 2));
  for (int i = 0; i < 7; ++i) {  // paving lines towards the far end
    const double t = i / 6.0;
    p.drawLine(vanish, QPointF(-20 + 540 * t, 460));
  }
  // Shop fronts on both sides, each a little smaller towards the vanishing point.
  Scatter r(62);
  for (int side : {-1, 1})
    for (int i = 0; i < 6; ++i) {
      const double t0 = 1.0 - i / 6.5, t1 = 1.0 - (i + 1) / 6.5;
      auto x = [&](double t) { return vanish.x() + side * (20 + 230 * t); };
      auto top = [&](double t) { return vanish.y() - (40 + 200 * t); };
      auto bottom = [&](double t) { return vanish.y() + 10 + 210 * t; };
      QPainterPath front;
      front.moveTo(x(t0), top(t0));
      front.lineTo(x(t1), top(t1));
      front.lineTo(x(t1), bottom(t1));
      front.lineTo(x(t0), bottom(t0));
      front.closeSubpath();
      const QColor wall = Mix(QColor(252, 236, 222), QColor(232, 226, 244), r.Next());
      p.setPen(QPen(wall.darker(125), 1.5));
      p.setBrush(wall);
      p.drawPath(front);
      const QColor awning = Mix(QColor(232, 120, 140), QColor(110, 170, 210), r.Next());
      QPainterPath band;
      const double a0 = top(t0) + (bottom(t0) - top(t0)) * 0.45, a1 = top(t1) + (bottom(t1) - top(t1)) * 0.45;
      band.moveTo(x(t0), a0);
      band.lineTo(x(t1), a1);
      band.lineTo(x(t1), a1 + 22 * t1 + 5);
      band.lineTo(x(t0), a0 + 22 * t0 + 5);
      band.closeSubpath();
      p.setBrush(awning);
      p.drawPath(band);
      // The shop window under the awning, and a window upstairs: points on the front
      // by U along the street and V from the front's top to its foot.
      auto on = [&](double u, double v) {
        const double t = t0 + (t1 - t0) * u;
        return QPointF(x(t), top(t) + (bottom(t) - top(t)) * v);
      };
      auto quad = [&](double u0, double u1, double v0, double v1) {
        QPainterPath q;
        q.moveTo(on(u0, v0));
        q.lineTo(on(u1, v0));
        q.lineTo(on(u1, v1));
        q.lineTo(on(u0, v1));
        q.closeSubpath();
        return q;
      };
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(190, 220, 236));
      p.drawPath(quad(0.15, 0.85, 0.56, 0.88));
      p.setBrush(QColor(214, 232, 242));
      p.drawPath(quad(0.3, 0.7, 0.18, 0.34));
    }
  // The arch over the street with its name.
  p.setPen(QPen(QColor(150, 110, 130), 4));
  p.drawLine(QPointF(90, 380), QPointF(90, 80));
  p.drawLine(QPointF(410, 380), QPointF(410, 80));
  p.setBrush(QColor(255, 248, 250));
  p.drawRoundedRect(QRectF(70, 50, 360, 46), 20, 20);
  CentredText(p, QRectF(70, 50, 360, 46), QStringLiteral("かせんれい商店街"), GameFont(24, true), tone::SakuraDeep.darker(130));
  for (int i = 0; i < 9; ++i) {  // paper lanterns strung below the arch
    p.setPen(Qt::NoPen);
    p.setBrush(i % 2 ? tone::Sakura : QColor(255, 226, 160));
    p.drawEllipse(QPointF(110 + i * 35, 110 + 6 * std::sin(i * 0.9)), 8, 10);
  }
  StrewPetals(p, QRectF(0, 90, kW, 340), 30, 63, 5, 9);
  return image;
}

QImage StationScene() {
  QImage image = NewCanvas(kW, kH, tone::Sky);
  QPainter p(&image);
  BeginSmooth(p);
  Sky(p, QRectF(0, 0, kW, 260), SkyKind::Day, 71);
  for (int i = 0; i < 4; ++i) SakuraTree(p, 60 + i * 130, 250, 0.7, 72 + static_cast<uint32_t>(i));
  Fence(p, 0, kW, 222, 30, QColor(220, 224, 232));
  // The train on the far track.
  p.setPen(QPen(QColor(150, 160, 170), 2));
  p.setBrush(QColor(240, 244, 246));
  p.drawRoundedRect(QRectF(-20, 190, 340, 80), 10, 10);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(110, 190, 150));
  p.drawRect(QRectF(-20, 246, 340, 10));
  p.setBrush(tone::SakuraDeep);
  p.drawRect(QRectF(-20, 256, 340, 4));
  for (int i = 0; i < 5; ++i) Pane(p, QRectF(10 + i * 62, 204, 42, 32), QColor(170, 206, 230));
  // The platform and its roof.
  p.setBrush(QColor(214, 210, 204));
  p.drawRect(QRectF(0, 280, kW, 180));
  p.setBrush(QColor(250, 224, 110));
  p.drawRect(QRectF(0, 282, kW, 6));  // the tactile strip
  p.setBrush(QColor(120, 116, 130));
  p.drawRect(QRectF(0, 0, kW, 26));
  for (double x : {70.0, 430.0}) p.drawRect(QRectF(x, 26, 10, 260));
  // The station name board.
  p.setPen(QPen(QColor(90, 90, 100), 3));
  p.setBrush(QColor(255, 255, 255));
  p.drawRect(QRectF(170, 60, 200, 78));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(110, 190, 150));
  p.drawRect(QRectF(172, 112, 196, 8));
  CentredText(p, QRectF(170, 62, 200, 38), QStringLiteral("かせんれい"), GameFont(26, true), tone::Plum);
  CentredText(p, QRectF(170, 98, 200, 14), QStringLiteral("KASENREI"), GameFont(11), tone::PlumSoft);
  CentredText(p, QRectF(174, 120, 60, 16), QStringLiteral("◀ はなみ"), GameFont(10), tone::PlumSoft);
  CentredText(p, QRectF(306, 120, 60, 16), QStringLiteral("みなと ▶"), GameFont(10), tone::PlumSoft);
  p.setPen(QPen(QColor(90, 90, 100), 3));
  p.drawLine(QPointF(200, 138), QPointF(200, 280));
  p.drawLine(QPointF(340, 138), QPointF(340, 280));
  Bench(p, 250, 350, 120);
  StrewPetals(p, QRectF(0, 40, kW, 380), 24, 76, 5, 9);
  return image;
}

QImage RiversideScene() {
  QImage image = NewCanvas(kW, kH, tone::Sky);
  QPainter p(&image);
  BeginSmooth(p);
  Sky(p, QRectF(0, 0, kW, 240), SkyKind::Evening, 81);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(252, 226, 170));
  p.drawEllipse(QPointF(380, 190), 26, 26);  // the low sun
  p.setBrush(QColor(150, 120, 150));
  p.drawRect(QRectF(0, 212, kW, 20));
  // The water, catching the sunset.
  QLinearGradient water(0, 232, 0, 340);
  water.setColorAt(0, QColor(236, 170, 170));
  water.setColorAt(1, QColor(130, 150, 200));
  p.fillRect(QRectF(0, 232, kW, 110), water);
  p.setPen(QPen(QColor(255, 230, 190, 180), 2));
  for (int i = 0; i < 8; ++i) p.drawLine(QPointF(350 - i * 4, 240 + i * 12), QPointF(410 + i * 4, 240 + i * 12));
  // The far bridge.
  p.setPen(QPen(QColor(120, 96, 120), 4));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(0, 206), QPointF(260, 206));
  for (int i = 0; i < 4; ++i) p.drawArc(QRectF(i * 65, 200, 65, 40), 0, 180 * 16);
  // The near bank with its row of trees.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(170, 200, 140));
  QPainterPath bank;
  bank.moveTo(0, 330);
  bank.cubicTo(150, 318, 350, 346, 500, 326);
  bank.lineTo(500, 460);
  bank.lineTo(0, 460);
  bank.closeSubpath();
  p.drawPath(bank);
  p.setBrush(QColor(230, 214, 186));
  p.drawRect(QRectF(0, 372, kW, 22));  // the embankment path
  SakuraTree(p, 40, 380, 1.0, 82);
  SakuraTree(p, 478, 385, 1.1, 83);
  StrewPetals(p, QRectF(0, 200, kW, 240), 30, 86, 5, 9);
  return image;
}

}  // namespace velmora::demo
