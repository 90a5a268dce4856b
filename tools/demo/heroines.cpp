#include "tools/demo/heroines.h"

#include <QPainterPath>

#include "gfx/asset_table.h"
#include "tools/demo/paint_kit.h"

namespace velmora::demo {

HeroineStyle StyleOf(int heroine) {
  const PortraitSet& set = AssetTable.PortraitSets[heroine];
  const QRect face(set.FaceX, set.FaceY, set.FaceWidth, set.FaceHeight);
  switch (heroine) {
    case 1:  // Mirel: long rose hair, cream cardigan over a white blouse
      return {face, 7, HairStyle::Long, QColor(234, 146, 174), QColor(86, 150, 120),
              QColor(250, 230, 200), QColor(228, 110, 140), false, 0};
    case 2:  // Sanu: a dark blue bob and a mint hoodie; she stands a little to the right
      return {face, 6, HairStyle::Bob, QColor(70, 92, 136), QColor(80, 124, 196),
              QColor(176, 222, 204), QColor(250, 250, 246), false, 34};
    default:  // Orika: chestnut ponytail, round glasses, a butter-yellow sweater
      return {face, 8, HairStyle::Ponytail, QColor(178, 110, 72), QColor(124, 82, 52),
              QColor(250, 222, 146), QColor(120, 160, 210), true, 0};
  }
}

namespace {

const QColor kSkin(255, 228, 212);
const QColor kSkinShade(240, 196, 182);
// The figure goes on well below the portrait's edge, so event pictures can show her
// larger or lower without her ending in mid-air.
constexpr double kBodyEnd = 900;

// The hair behind the head and shoulders; it also fills the corners of the face frame,
// which must be solid figure for the face to be laid over the portrait.
QPainterPath BackHair(const HeroineStyle& s) {
  const QRectF f = s.Face;
  const double cx = f.center().x(), w = f.width(), h = f.height();
  QPainterPath path;
  path.addEllipse(QPointF(cx, f.top() + 0.40 * h), 0.70 * w, 0.68 * h);
  switch (s.Hair) {
    case HairStyle::Long: {
      QPainterPath drape;
      drape.moveTo(cx - 0.70 * w, f.top() + 0.4 * h);
      drape.cubicTo(cx - 0.78 * w, f.top() + 1.6 * h, cx - 0.9 * w, f.top() + 2.1 * h, cx - 0.6 * w, f.top() + 2.35 * h);
      drape.quadTo(cx, f.top() + 2.2 * h, cx + 0.6 * w, f.top() + 2.35 * h);
      drape.cubicTo(cx + 0.9 * w, f.top() + 2.1 * h, cx + 0.78 * w, f.top() + 1.6 * h, cx + 0.70 * w, f.top() + 0.4 * h);
      drape.closeSubpath();
      path = path.united(drape);
      break;
    }
    case HairStyle::Bob: {
      QPainterPath drape;
      drape.moveTo(cx - 0.70 * w, f.top() + 0.4 * h);
      drape.lineTo(cx - 0.72 * w, f.bottom() + 0.16 * h);
      drape.quadTo(cx - 0.5 * w, f.bottom() + 0.30 * h, cx, f.bottom() + 0.22 * h);
      drape.quadTo(cx + 0.5 * w, f.bottom() + 0.30 * h, cx + 0.72 * w, f.bottom() + 0.16 * h);
      drape.lineTo(cx + 0.70 * w, f.top() + 0.4 * h);
      drape.closeSubpath();
      path = path.united(drape);
      break;
    }
    case HairStyle::Ponytail: {
      QPainterPath drape;
      drape.addRoundedRect(QRectF(cx - 0.68 * w, f.top() + 0.3 * h, 1.36 * w, 0.95 * h), 0.3 * w, 0.3 * w);
      path = path.united(drape);
      QPainterPath tail;  // swinging out to her left, down past the shoulder
      tail.moveTo(cx + 0.45 * w, f.top() - 0.05 * h);
      tail.cubicTo(cx + 1.05 * w, f.top() + 0.1 * h, cx + 1.05 * w, f.top() + 1.2 * h, cx + 0.8 * w, f.top() + 1.9 * h);
      tail.cubicTo(cx + 0.7 * w, f.top() + 1.3 * h, cx + 0.55 * w, f.top() + 0.6 * h, cx + 0.35 * w, f.top() + 0.25 * h);
      tail.closeSubpath();
      path = path.united(tail);
      break;
    }
  }
  return path;
}

// The fringe over the forehead: a row of pointed locks, and side locks for long hair.
QPainterPath Fringe(const HeroineStyle& s) {
  const QRectF f = s.Face;
  const double cx = f.center().x(), w = f.width(), h = f.height();
  QPainterPath path;
  path.moveTo(cx - 0.50 * w, f.top() + 0.62 * h);
  path.cubicTo(cx - 0.58 * w, f.top() - 0.05 * h, cx - 0.3 * w, f.top() - 0.25 * h, cx, f.top() - 0.24 * h);
  path.cubicTo(cx + 0.3 * w, f.top() - 0.25 * h, cx + 0.58 * w, f.top() - 0.05 * h, cx + 0.50 * w, f.top() + 0.62 * h);
  // Back along the locks' tips, right to left.
  const int locks = 7;
  for (int i = locks; i >= 0; --i) {
    const double t = static_cast<double>(i) / locks;
    const double x = cx + (t - 0.5) * 0.96 * w;
    const double edge = std::abs(t - 0.5) * 2;  // 0 in the middle, 1 at the temples
    const double tipY = f.top() + (0.30 + 0.28 * edge * edge) * h;
    const double rootY = f.top() + (0.16 + 0.24 * edge * edge) * h;
    path.lineTo(x, i % 2 ? tipY : rootY);
  }
  path.closeSubpath();
  if (s.Hair == HairStyle::Long) {
    for (int side : {-1, 1}) {
      QPainterPath lock;
      lock.moveTo(cx + side * 0.44 * w, f.top() + 0.2 * h);
      lock.cubicTo(cx + side * 0.56 * w, f.top() + 0.6 * h, cx + side * 0.52 * w, f.top() + 0.95 * h,
                   cx + side * 0.46 * w, f.top() + 1.18 * h);
      lock.cubicTo(cx + side * 0.40 * w, f.top() + 0.9 * h, cx + side * 0.42 * w, f.top() + 0.55 * h,
                   cx + side * 0.36 * w, f.top() + 0.3 * h);
      lock.closeSubpath();
      path = path.united(lock);
    }
  }
  return path;
}

QPainterPath FaceShape(const QRectF& f) {
  const double cx = f.center().x(), w = f.width(), h = f.height();
  QPainterPath face;
  face.moveTo(cx - 0.41 * w, f.top() + 0.35 * h);
  face.cubicTo(cx - 0.42 * w, f.top() - 0.05 * h, cx + 0.42 * w, f.top() - 0.05 * h, cx + 0.41 * w, f.top() + 0.35 * h);
  face.cubicTo(cx + 0.41 * w, f.top() + 0.70 * h, cx + 0.20 * w, f.top() + 0.93 * h, cx, f.top() + 0.99 * h);
  face.cubicTo(cx - 0.20 * w, f.top() + 0.93 * h, cx - 0.41 * w, f.top() + 0.70 * h, cx - 0.41 * w, f.top() + 0.35 * h);
  face.closeSubpath();
  return face;
}

// Neck, shoulders and the garment, down past the portrait's bottom edge.
void Body(QPainter& p, const HeroineStyle& s) {
  const QRectF f = s.Face;
  const double cx = f.center().x(), w = f.width(), h = f.height();
  const double bx = cx + s.BodyShift;
  const double shoulderY = f.bottom() + 0.38 * h;
  p.setPen(Qt::NoPen);
  p.setBrush(kSkinShade);
  p.drawRect(QRectF(cx - 0.14 * w, f.top() + 0.8 * h, 0.28 * w, 0.62 * h));
  QPainterPath torso;
  torso.moveTo(bx - 0.2 * w, shoulderY - 0.12 * h);
  torso.cubicTo(bx - 0.8 * w, shoulderY - 0.08 * h, bx - 1.05 * w, shoulderY + 0.1 * h, bx - 1.12 * w, 480);
  torso.lineTo(bx - 1.16 * w, kBodyEnd);
  torso.lineTo(bx + 1.16 * w, kBodyEnd);
  torso.lineTo(bx + 1.12 * w, 480);
  torso.cubicTo(bx + 1.05 * w, shoulderY + 0.1 * h, bx + 0.8 * w, shoulderY - 0.08 * h, bx + 0.2 * w, shoulderY - 0.12 * h);
  torso.closeSubpath();
  p.setPen(QPen(s.Cloth.darker(125), 2));
  p.setBrush(s.Cloth);
  p.drawPath(torso);
  // Folds at the arms.
  p.setPen(QPen(s.Cloth.darker(118), 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(bx - 0.72 * w, shoulderY + 0.4 * h), QPointF(bx - 0.8 * w, kBodyEnd));
  p.drawLine(QPointF(bx + 0.72 * w, shoulderY + 0.4 * h), QPointF(bx + 0.8 * w, kBodyEnd));
  const double neckX = cx + s.BodyShift * 0.3;
  switch (s.Hair) {
    case HairStyle::Long: {  // a white blouse showing at the neck and a ribbon
      QPainterPath blouse;
      blouse.moveTo(neckX - 0.3 * w, shoulderY - 0.12 * h);
      blouse.lineTo(neckX + 0.3 * w, shoulderY - 0.12 * h);
      blouse.lineTo(neckX + 0.12 * w, kBodyEnd);
      blouse.lineTo(neckX - 0.12 * w, kBodyEnd);
      blouse.closeSubpath();
      p.setPen(QPen(QColor(220, 214, 220), 1.5));
      p.setBrush(QColor(255, 255, 255));
      p.drawPath(blouse);
      p.setPen(Qt::NoPen);
      p.setBrush(s.Trim);
      p.drawEllipse(QPointF(neckX - 13, shoulderY - 2), 13, 8);
      p.drawEllipse(QPointF(neckX + 13, shoulderY - 2), 13, 8);
      p.setBrush(s.Trim.darker(115));
      p.drawEllipse(QPointF(neckX, shoulderY - 2), 6, 7);
      break;
    }
    case HairStyle::Bob: {  // the hood behind the neck and two drawstrings
      p.setPen(QPen(s.Cloth.darker(125), 2));
      p.setBrush(s.Cloth.lighter(106));
      p.drawEllipse(QRectF(neckX - 0.55 * w, shoulderY - 0.25 * h, 1.1 * w, 0.35 * h));
      p.setPen(QPen(s.Trim, 4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(neckX - 18, shoulderY + 6), QPointF(neckX - 22, shoulderY + 70));
      p.drawLine(QPointF(neckX + 18, shoulderY + 6), QPointF(neckX + 22, shoulderY + 70));
      break;
    }
    case HairStyle::Ponytail: {  // a round collar
      p.setPen(QPen(QColor(220, 214, 220), 1.5));
      p.setBrush(QColor(255, 255, 255));
      p.drawChord(QRectF(neckX - 0.42 * w, shoulderY - 0.3 * h, 0.84 * w, 0.5 * h), 180 * 16, 180 * 16);
      p.setPen(QPen(s.Trim, 3));
      p.drawLine(QPointF(neckX - 0.3 * w, shoulderY + 0.15 * h), QPointF(neckX + 0.3 * w, shoulderY + 0.15 * h));
      break;
    }
  }
}

}  // namespace

void DrawHeroine(QPainter& p, int heroine, Expression expression) {
  DrawHeroineWithoutFeatures(p, heroine);
  DrawFaceFeatures(p, StyleOf(heroine), expression);
}

void DrawHeroineWithoutFeatures(QPainter& p, int heroine) {
  const HeroineStyle s = StyleOf(heroine);
  const QRectF f = s.Face;
  p.save();
  BeginSmooth(p);
  const QPainterPath back = BackHair(s);
  p.setPen(QPen(s.HairColor.darker(135), 2));
  p.setBrush(s.HairColor.darker(112));
  p.drawPath(back);
  Body(p, s);
  // The face, its ears and a little shading under the fringe.
  p.setPen(QPen(kSkinShade.darker(110), 1.5));
  p.setBrush(kSkin);
  for (int side : {-1, 1})
    p.drawEllipse(QPointF(f.center().x() + side * 0.42 * f.width(), f.top() + 0.55 * f.height()), 9, 13);
  p.drawPath(FaceShape(f));
  const QPainterPath fringe = Fringe(s);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(kSkinShade.red(), kSkinShade.green(), kSkinShade.blue(), 120));
  p.drawPath(fringe.translated(0, 4));
  p.setPen(QPen(s.HairColor.darker(135), 2));
  p.setBrush(s.HairColor);
  p.drawPath(fringe);
  // A shine band across the crown.
  p.setPen(QPen(QColor(255, 255, 255, 110), 4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(f.center().x() - 0.42 * f.width(), f.top() - 0.14 * f.height(), 0.84 * f.width(), 0.5 * f.height()),
            40 * 16, 100 * 16);
  if (s.Hair == HairStyle::Ponytail) {  // the ribbon at the tail's root
    p.setPen(QPen(QColor(200, 90, 100), 1.5));
    p.setBrush(QColor(236, 110, 120));
    const QPointF knot(f.center().x() + 0.55 * f.width(), f.top() - 0.02 * f.height());
    p.drawEllipse(knot + QPointF(-12, -6), 13, 8);
    p.drawEllipse(knot + QPointF(12, 6), 13, 8);
    p.drawEllipse(knot, 5, 5);
  }
  p.restore();
}

}  // namespace velmora::demo
