// The face features of every expression. Everything drawn here stays inside the face
// frame, so the frames of a face sheet differ only where the expression does.
#include <QPainterPath>

#include "tools/demo/heroines.h"
#include "tools/demo/paint_kit.h"

namespace velmora::demo {

namespace {

const QColor kLash(62, 40, 52);
const QColor kMouth(196, 90, 110);

// Where the features sit, as fractions of the face frame.
struct FaceGrid {
  double cx, top, w, h;
  double EyeY() const { return top + 0.54 * h; }
  double EyeX(int side) const { return cx + side * 0.19 * w; }
  double EyeW() const { return 0.085 * w; }
  double EyeH() const { return 0.11 * h; }
  double BrowY() const { return top + 0.385 * h; }
  double MouthY() const { return top + 0.80 * h; }
};

// An open eye. Lid (0..1) lowers the upper lid, Look moves the iris sideways, Iris
// scales it (small for surprise).
void OpenEye(QPainter& p, const FaceGrid& g, int side, QColor irisColor, double lid, double look, double iris) {
  const double x = g.EyeX(side), y = g.EyeY(), ew = g.EyeW(), eh = g.EyeH();
  const QRectF white(x - ew, y - eh, 2 * ew, 2 * eh);
  const double lidY = white.top() + lid * white.height() * 0.6;
  p.save();
  QPainterPath clip;
  clip.addEllipse(white);
  QPainterPath below;
  below.addRect(QRectF(white.left() - 2, lidY, white.width() + 4, white.bottom() - lidY + 2));
  p.setClipPath(clip.intersected(below));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255));
  p.drawEllipse(white);
  const QPointF c(x + look * ew * 0.45, y + eh * 0.08);
  QLinearGradient shade(QPointF(0, y - eh), QPointF(0, y + eh));
  shade.setColorAt(0, irisColor.darker(150));
  shade.setColorAt(1, irisColor.lighter(125));
  p.setBrush(shade);
  p.drawEllipse(c, ew * 0.78 * iris, eh * 0.86 * iris);
  p.setBrush(irisColor.darker(220));
  p.drawEllipse(c, ew * 0.34 * iris, eh * 0.38 * iris);
  p.setBrush(QColor(255, 255, 255, 235));
  p.drawEllipse(c + QPointF(-ew * 0.3, -eh * 0.35), ew * 0.26, eh * 0.24);
  p.drawEllipse(c + QPointF(ew * 0.3, eh * 0.4), ew * 0.12, eh * 0.1);
  p.restore();
  // The upper lash, with a flick at the outer corner.
  p.setPen(QPen(kLash, 3.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath lash;
  lash.moveTo(x - side * ew * 1.05, lidY + eh * 0.35 * (1 - lid));
  lash.quadTo(x, lidY - eh * 0.25 * (1 - lid), x + side * ew * 1.15, lidY + eh * 0.15);
  lash.lineTo(x + side * ew * 1.35, lidY - eh * 0.05);
  p.drawPath(lash);
  p.setPen(QPen(kLash, 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(x - ew * 0.5, y + eh * 1.02), QPointF(x + ew * 0.5, y + eh * 1.02));
}

// A closed eye: an upward arc for a smile, or a soft downward line.
void ClosedEye(QPainter& p, const FaceGrid& g, int side, bool smiling) {
  const double x = g.EyeX(side), y = g.EyeY(), ew = g.EyeW(), eh = g.EyeH();
  p.setPen(QPen(kLash, 3.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath arc;
  arc.moveTo(x - ew * 1.05, y + eh * 0.25);
  arc.quadTo(x, y + (smiling ? -eh * 0.75 : eh * 0.7), x + ew * 1.05, y + eh * 0.25);
  p.drawPath(arc);
}

// Tilt > 0 raises the inner ends (worry, sorrow), < 0 lowers them (anger); Lift raises both.
void Brows(QPainter& p, const FaceGrid& g, double tilt, double lift, QColor hair) {
  p.setPen(QPen(hair.darker(150), 2.6, Qt::SolidLine, Qt::RoundCap));
  for (int side : {-1, 1}) {
    const double inner = g.EyeX(side) - side * g.EyeW() * 0.8, outer = g.EyeX(side) + side * g.EyeW() * 1.1;
    const double y = g.BrowY() - lift * g.h * 0.05;
    p.drawLine(QPointF(inner, y - tilt * g.h * 0.035), QPointF(outer, y + tilt * g.h * 0.02));
  }
}

void Cheeks(QPainter& p, const FaceGrid& g, double strength, bool lines) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(246, 140, 160, static_cast<int>(70 * strength)));
  for (int side : {-1, 1}) {
    const QPointF c(g.cx + side * 0.27 * g.w, g.top + 0.70 * g.h);
    p.drawEllipse(c, 0.085 * g.w, 0.04 * g.h);
    if (lines) {
      p.setPen(QPen(QColor(226, 110, 130, 200), 1.3, Qt::SolidLine, Qt::RoundCap));
      for (int i = -1; i <= 1; ++i)
        p.drawLine(c + QPointF(i * 5 - 2, 3), c + QPointF(i * 5 + 2, -3));
      p.setPen(Qt::NoPen);
    }
  }
}

void SmileMouth(QPainter& p, const FaceGrid& g, double width) {
  p.setPen(QPen(kMouth.darker(120), 2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath m;
  m.moveTo(g.cx - width * g.w, g.MouthY() - 2);
  m.quadTo(g.cx, g.MouthY() + 5, g.cx + width * g.w, g.MouthY() - 2);
  p.drawPath(m);
}

void OpenMouth(QPainter& p, const FaceGrid& g, double width, double depth) {
  QPainterPath m;
  m.moveTo(g.cx - width * g.w, g.MouthY() - 3);
  m.lineTo(g.cx + width * g.w, g.MouthY() - 3);
  m.quadTo(g.cx + width * g.w * 0.8, g.MouthY() + depth, g.cx, g.MouthY() + depth);
  m.quadTo(g.cx - width * g.w * 0.8, g.MouthY() + depth, g.cx - width * g.w, g.MouthY() - 3);
  p.setPen(QPen(kMouth.darker(150), 1.5));
  p.setBrush(kMouth);
  p.drawPath(m);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(246, 150, 160));
  p.drawEllipse(QPointF(g.cx, g.MouthY() + depth * 0.65), width * g.w * 0.5, depth * 0.3);
}

void Line(QPainter& p, QPointF a, QPointF b, QPointF c) {
  p.setPen(QPen(kMouth.darker(125), 2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath m;
  m.moveTo(a);
  m.quadTo(b, c);
  p.drawPath(m);
}

void SweatDrop(QPainter& p, const FaceGrid& g) {
  const QPointF tip(g.cx + 0.38 * g.w, g.top + 0.30 * g.h);
  QPainterPath drop;
  drop.moveTo(tip);
  drop.cubicTo(tip + QPointF(9, 14), tip + QPointF(6, 22), tip + QPointF(0, 22));
  drop.cubicTo(tip + QPointF(-6, 22), tip + QPointF(-9, 14), tip);
  p.setPen(QPen(QColor(110, 160, 210), 1.5));
  p.setBrush(QColor(200, 230, 250));
  p.drawPath(drop);
}

void Glasses(QPainter& p, const FaceGrid& g) {
  p.setPen(QPen(QColor(150, 96, 70), 2.2));
  p.setBrush(QColor(255, 255, 255, 30));
  const double r = g.EyeW() * 1.55;
  for (int side : {-1, 1}) {
    p.drawEllipse(QPointF(g.EyeX(side), g.EyeY() + 1), r, r * 0.92);
    p.drawLine(QPointF(g.EyeX(side) + side * r, g.EyeY() - 3), QPointF(g.cx + side * 0.44 * g.w, g.EyeY() - 6));
  }
  const double left = g.EyeX(-1) + r, right = g.EyeX(1) - r;  // the bridge over the nose
  p.drawArc(QRectF(left, g.EyeY() - 6, right - left, 10), 0, 180 * 16);
}

}  // namespace

void DrawFaceFeatures(QPainter& p, const HeroineStyle& s, Expression e) {
  const FaceGrid g{s.Face.center().x() + 0.5, static_cast<double>(s.Face.top()), static_cast<double>(s.Face.width()),
                   static_cast<double>(s.Face.height())};
  p.save();
  BeginSmooth(p);
  const QColor iris = s.EyeColor;
  switch (e) {
    case Expression::Smile:
      Brows(p, g, 0.1, 0, s.HairColor);
      for (int side : {-1, 1}) OpenEye(p, g, side, iris, 0.05, 0, 1);
      Cheeks(p, g, 0.8, false);
      SmileMouth(p, g, 0.07);
      break;
    case Expression::Happy:
      Brows(p, g, 0.2, 0.3, s.HairColor);
      for (int side : {-1, 1}) ClosedEye(p, g, side, true);
      Cheeks(p, g, 1.2, false);
      OpenMouth(p, g, 0.09, 13);
      break;
    case Expression::Surprised:
      Brows(p, g, 0.2, 1.0, s.HairColor);
      for (int side : {-1, 1}) OpenEye(p, g, side, iris, 0, 0, 0.62);
      p.setPen(QPen(kMouth.darker(150), 1.5));
      p.setBrush(kMouth);
      p.drawEllipse(QPointF(g.cx, g.MouthY() + 2), 0.035 * g.w, 0.05 * g.h);
      break;
    case Expression::Sad:
      Brows(p, g, 1.0, 0.2, s.HairColor);
      for (int side : {-1, 1}) OpenEye(p, g, side, iris, 0.45, 0, 0.95);
      Line(p, QPointF(g.cx - 0.05 * g.w, g.MouthY() + 3), QPointF(g.cx, g.MouthY() - 3),
           QPointF(g.cx + 0.05 * g.w, g.MouthY() + 3));
      break;
    case Expression::Pout:
      Brows(p, g, -1.0, 0, s.HairColor);
      for (int side : {-1, 1}) OpenEye(p, g, side, iris, 0.38, 0, 0.9);
      Cheeks(p, g, 1.6, false);
      Line(p, QPointF(g.cx - 0.06 * g.w, g.MouthY() + 2), QPointF(g.cx - 0.02 * g.w, g.MouthY() - 5),
           QPointF(g.cx + 0.06 * g.w, g.MouthY() + 1));
      break;
    case Expression::Shy:
      Brows(p, g, 0.6, 0, s.HairColor);
      for (int side : {-1, 1}) OpenEye(p, g, side, iris, 0.3, -0.9, 1);
      Cheeks(p, g, 2.2, true);
      {
        p.setPen(QPen(kMouth.darker(125), 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath wave;
        wave.moveTo(g.cx - 0.06 * g.w, g.MouthY());
        for (int i = 1; i <= 4; ++i) wave.lineTo(g.cx - 0.06 * g.w + i * 0.03 * g.w, g.MouthY() + (i % 2 ? -2.5 : 0));
        p.drawPath(wave);
      }
      break;
    case Expression::Troubled:
      Brows(p, g, 0.8, 0.4, s.HairColor);
      for (int side : {-1, 1}) OpenEye(p, g, side, iris, 0.15, 0.5, 0.9);
      SweatDrop(p, g);
      Line(p, QPointF(g.cx - 0.06 * g.w, g.MouthY() + 1), QPointF(g.cx, g.MouthY() + 3),
           QPointF(g.cx + 0.07 * g.w, g.MouthY() - 4));
      break;
    case Expression::Wink:
      Brows(p, g, 0.1, 0.3, s.HairColor);
      OpenEye(p, g, -1, iris, 0, 0, 1);
      ClosedEye(p, g, 1, true);
      Cheeks(p, g, 1.0, false);
      OpenMouth(p, g, 0.07, 10);
      break;
  }
  if (s.Glasses) Glasses(p, g);
  p.restore();
}

}  // namespace velmora::demo
