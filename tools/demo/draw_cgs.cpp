// The eight event pictures: full-screen stills (1, 4, 8), the two tall pictures the game
// pans across (2 rises from the river to the sky and rests on Sanu, 3 comes down from
// the stars and rests on Orika), and three framed snapshots (5, 6, 7).
#include <cmath>

#include <QPainterPath>
#include <QRadialGradient>

#include "tools/demo/demo_pictures.h"
#include "tools/demo/heroines.h"
#include "tools/demo/paint_kit.h"
#include "tools/demo/scenery.h"

namespace velmora::demo {

namespace {

// Draws a heroine so that the centre of her face lands on FaceCentre.
void PlaceHeroine(QPainter& p, int heroine, Expression e, QPointF faceCentre, double scale) {
  const QPointF own = QRectF(StyleOf(heroine).Face).center();
  p.save();
  p.translate(faceCentre - own * scale);
  p.scale(scale, scale);
  DrawHeroine(p, heroine, e);
  p.restore();
}

void Railing(QPainter& p, double top, double width, QColor color) {
  p.setPen(QPen(color.darker(130), 2));
  p.setBrush(color);
  p.drawRect(QRectF(-2, top, width + 4, 14));
  for (double x = 10; x < width; x += 46) p.drawRect(QRectF(x, top + 14, 10, 70));
  p.drawRect(QRectF(-2, top + 70, width + 4, 10));
}

QImage Cg1() {  // Mirel under the cherry tree: the first meeting
  QImage image = NewCanvas(640, 480, tone::Sky);
  QPainter p(&image);
  BeginSmooth(p);
  Sky(p, QRectF(0, 0, 640, 480), SkyKind::Day, 201);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(180, 216, 160));
  p.drawEllipse(QRectF(-100, 360, 840, 260));
  SakuraTree(p, 120, 520, 2.6, 202);
  SakuraTree(p, 600, 470, 1.6, 203);
  PlaceHeroine(p, 1, Expression::Happy, QPointF(380, 190), 1.05);
  StrewPetals(p, QRectF(0, 0, 640, 480), 60, 204, 7, 14);
  return image;
}

QImage Cg2() {  // 640x920: Sanu on the bridge, from the water up to the sky
  QImage image = NewCanvas(640, 920, tone::Sky);
  QPainter p(&image);
  BeginSmooth(p);
  QLinearGradient sky(0, 0, 0, 640);
  sky.setColorAt(0, QColor(110, 120, 190));
  sky.setColorAt(0.55, QColor(236, 160, 170));
  sky.setColorAt(1, QColor(252, 214, 170));
  p.fillRect(QRectF(0, 0, 640, 640), sky);
  Stars(p, QRectF(0, 0, 640, 160), 30, 211);
  Cloud(p, 140, 230, 1.6, QColor(255, 210, 200, 150));
  Cloud(p, 520, 330, 1.3, QColor(255, 220, 200, 150));
  // Branches in bloom reaching in from the top corners.
  SakuraTree(p, -40, 260, 1.6, 212);
  SakuraTree(p, 690, 230, 1.5, 213);
  // The far bank and the town under the sunset.
  p.setPen(Qt::NoPen);
  Scatter r(214);
  for (double x = -10; x < 650; x += 26) {
    const double h = r.Range(30, 80);
    p.setBrush(QColor(150, 110, 150));
    p.drawRect(QRectF(x, 600 - h, 24, h + 40));
    p.setBrush(QColor(255, 220, 150));
    if (r.Next() < 0.6) p.drawRect(QRectF(x + 8, 600 - h + 10, 6, 6));
  }
  PlaceHeroine(p, 2, Expression::Shy, QPointF(300, 262), 1.3);
  // The river below the bridge, catching the light; the railing hides where it meets her.
  QLinearGradient water(0, 640, 0, 920);
  water.setColorAt(0, QColor(230, 170, 176));
  water.setColorAt(1, QColor(90, 110, 170));
  p.fillRect(QRectF(0, 640, 640, 280), water);
  Railing(p, 585, 640, QColor(206, 170, 140));
  p.setPen(QPen(QColor(255, 230, 200, 170), 3, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 12; ++i) {
    const double y = 690 + i * 19;
    p.drawLine(QPointF(260 - i * 6 + r.Range(-20, 20), y), QPointF(380 + i * 6 + r.Range(-20, 20), y));
  }
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 30; ++i) Petal(p, r.Range(0, 640), r.Range(700, 910), r.Range(6, 11), r.Range(0, 360),
                                      QColor(255, 220, 230, 200));
  StrewPetals(p, QRectF(0, 0, 640, 660), 50, 215, 7, 13);
  return image;
}

QImage Cg3() {  // 640x960: from the starry sky down to Orika on the roof terrace
  QImage image = NewCanvas(640, 960, tone::Night);
  QPainter p(&image);
  BeginSmooth(p);
  QLinearGradient sky(0, 0, 0, 700);
  sky.setColorAt(0, QColor(14, 16, 48));
  sky.setColorAt(0.6, QColor(54, 50, 110));
  sky.setColorAt(1, QColor(120, 90, 150));
  p.fillRect(QRectF(0, 0, 640, 960), sky);
  Stars(p, QRectF(0, 0, 640, 520), 260, 221);
  Moon(p, 470, 130, 42);
  // A shooting star and a string of lanterns across the middle.
  p.setPen(QPen(QColor(255, 250, 220, 200), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(120, 90), QPointF(230, 150));
  p.setPen(QPen(QColor(255, 250, 220, 90), 1));
  p.drawLine(QPointF(60, 58), QPointF(120, 90));
  p.setPen(QPen(QColor(40, 30, 50), 1.5));
  p.setBrush(Qt::NoBrush);
  QPainterPath rope;
  rope.moveTo(-10, 300);
  rope.quadTo(320, 380, 650, 290);
  p.drawPath(rope);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 10; ++i) {
    const double t = (i + 0.5) / 10;
    const QPointF at = rope.pointAtPercent(t);
    QRadialGradient glow(at + QPointF(0, 12), 26);
    glow.setColorAt(0, QColor(255, 200, 150, 140));
    glow.setColorAt(1, QColor(255, 200, 150, 0));
    p.setBrush(glow);
    p.drawEllipse(at + QPointF(0, 12), 26, 26);
    p.setBrush(i % 2 ? QColor(250, 160, 170) : QColor(255, 220, 150));
    p.drawEllipse(at + QPointF(0, 12), 9, 12);
  }
  // The town's lit windows far below the terrace.
  Scatter r(222);
  for (double x = -10; x < 650; x += 22) {
    const double h = r.Range(40, 120);
    p.setBrush(QColor(40, 34, 70));
    p.drawRect(QRectF(x, 600 - h, 20, h + 360));
    for (double y = 600 - h + 8; y < 640; y += 14)
      if (r.Next() < 0.45) {
        p.setBrush(QColor(255, 226, 150, 220));
        p.drawRect(QRectF(x + 6, y, 6, 6));
        p.setBrush(QColor(40, 34, 70));
      }
  }
  PlaceHeroine(p, 3, Expression::Happy, QPointF(330, 612), 1.25);
  Railing(p, 880, 640, QColor(170, 150, 170));
  for (int i = 0; i < 4; ++i) Shrub(p, 80 + i * 160, 960, 120, QColor(90, 120, 110));
  StrewPetals(p, QRectF(0, 380, 640, 560), 26, 223, 6, 11);
  return image;
}

QImage Cg4() {  // the three of them on the shopping street
  QImage image = NewCanvas(640, 480, tone::Sky);
  QPainter p(&image);
  BeginSmooth(p);
  Sky(p, QRectF(0, 0, 640, 300), SkyKind::Day, 231);
  p.setPen(Qt::NoPen);
  Scatter r(232);
  for (double x = -10; x < 650; x += 64) {
    const QColor wall = Mix(QColor(252, 236, 222), QColor(232, 226, 244), r.Next());
    House(p, QRectF(x, 200, 60, 140), wall, Mix(QColor(226, 130, 150), QColor(120, 170, 210), r.Next()));
  }
  p.fillRect(QRectF(0, 330, 640, 150), QColor(232, 222, 206));
  SakuraTree(p, 560, 360, 1.3, 233);
  PlaceHeroine(p, 2, Expression::Smile, QPointF(150, 200), 0.78);
  PlaceHeroine(p, 3, Expression::Wink, QPointF(470, 196), 0.78);
  PlaceHeroine(p, 1, Expression::Happy, QPointF(318, 178), 0.86);
  StrewPetals(p, QRectF(0, 0, 640, 480), 50, 234, 6, 12);
  return image;
}

// A framed snapshot: a white border, the picture, and a date stamp in the corner.
QImage Snapshot(int heroine, Expression e, SkyKind sky, uint32_t seed) {
  QImage image = NewCanvas(500, 400, QColor(255, 255, 255));
  QPainter p(&image);
  BeginSmooth(p);
  const QRectF photo(12, 12, 476, 376);
  p.save();
  p.setClipRect(photo);
  Sky(p, photo, sky, seed);
  p.setPen(Qt::NoPen);
  p.setBrush(sky == SkyKind::Evening ? QColor(170, 180, 150) : QColor(176, 214, 156));
  p.drawEllipse(QRectF(-60, 300, 620, 200));
  SakuraTree(p, heroine == 2 ? 420 : 70, 400, 1.7, seed + 1);
  PlaceHeroine(p, heroine, e, QPointF(heroine == 2 ? 200 : 270, 160), 0.95);
  StrewPetals(p, photo, 30, seed + 2, 6, 11);
  p.restore();
  p.setPen(QPen(QColor(210, 200, 204), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(photo);
  p.setFont(GameFont(16, true));
  p.setPen(QColor(250, 150, 60));
  p.drawText(QRectF(300, 350, 176, 30), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("'25 4 0") + QString::number(heroine + 1));
  return image;
}

QImage Cg8() {  // the evening after: Mirel at the river with the photo in her hand
  QImage image = NewCanvas(640, 480, tone::Sky);
  QPainter p(&image);
  BeginSmooth(p);
  Sky(p, QRectF(0, 0, 640, 330), SkyKind::Evening, 281);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(252, 226, 170));
  p.drawEllipse(QPointF(520, 260), 34, 34);
  QLinearGradient water(0, 300, 0, 480);
  water.setColorAt(0, QColor(236, 170, 170));
  water.setColorAt(1, QColor(110, 120, 180));
  p.fillRect(QRectF(0, 300, 640, 180), water);
  p.setBrush(QColor(130, 100, 140));
  p.drawRect(QRectF(0, 290, 640, 14));
  SakuraTree(p, 70, 300, 1.3, 282);
  PlaceHeroine(p, 1, Expression::Shy, QPointF(340, 190), 1.0);
  // The photo she holds up: a little white frame with a pink sky in it.
  p.save();
  p.translate(470, 370);
  p.rotate(-8);
  p.setPen(QPen(QColor(200, 190, 196), 1));
  p.setBrush(QColor(255, 255, 255));
  p.drawRect(QRectF(-50, -44, 100, 96));
  VerticalGradient(p, QRectF(-42, -36, 84, 68), QColor(150, 200, 240), QColor(250, 210, 220));
  Petal(p, 0, -2, 26, 10, tone::SakuraDeep);
  p.restore();
  StrewPetals(p, QRectF(0, 0, 640, 480), 40, 283, 6, 12);
  return image;
}

}  // namespace

void DrawCgPictures(Art& art) {
  art["cg_1"] = Cg1();
  art["cg_2"] = Cg2();
  art["cg_3"] = Cg3();
  art["cg_4"] = Cg4();
  art["cg_5"] = Snapshot(1, Expression::Smile, SkyKind::Day, 250);
  art["cg_6"] = Snapshot(2, Expression::Happy, SkyKind::Day, 260);
  art["cg_7"] = Snapshot(3, Expression::Wink, SkyKind::Evening, 270);
  art["cg_8"] = Cg8();
}

}  // namespace velmora::demo
