// The card sheet of the photo game (840x125): the back, the five faces (snapshots, 1 the
// good one), and the card seen edge-on, back and faces. Every cell is a sprite keyed by
// its top-left pixel, so each card has crisp, rounded corners on the key colour.
#include <cmath>

#include <QPainterPath>

#include "tools/demo/demo_pictures.h"
#include "tools/demo/paint_kit.h"
#include "tools/demo/scenery.h"

namespace velmora::demo {

namespace {

constexpr int kCardW = 90, kCardH = 125, kEdgeW = 50;

// The card's silhouette, crisp so the key colour around it stays pure.
void CardBody(QPainter& p, const QRectF& box, QColor fill, QColor rim) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(rim, 1));
  p.setBrush(fill);
  p.drawRoundedRect(box.adjusted(1, 1, -2, -2), 7, 7);
  p.restore();
}

void CardBack(QPainter& p) {
  CardBody(p, QRectF(0, 0, kCardW, kCardH), QColor(72, 54, 104), QColor(40, 28, 60));
  p.setPen(QPen(QColor(246, 214, 160), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(6.5, 6.5, 77, 112), 5, 5);
  // A lattice of small diamonds behind the emblem.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(104, 82, 140));
  for (int y = 14; y < 114; y += 12)
    for (int x = 14 + (y / 12 % 2) * 6; x < 80; x += 12) {
      QPainterPath d;
      d.moveTo(x, y - 3);
      d.lineTo(x + 3, y);
      d.lineTo(x, y + 3);
      d.lineTo(x - 3, y);
      d.closeSubpath();
      p.drawPath(d);
    }
  p.setBrush(QColor(72, 54, 104));
  p.drawEllipse(QPointF(45, 62), 24, 24);
  p.setPen(QPen(QColor(246, 214, 160), 2));
  p.drawEllipse(QPointF(45, 62), 22, 22);
  for (int i = 0; i < 5; ++i) Petal(p, 45 + 9 * std::cos(i * 1.2566 - 1.5708), 62 + 9 * std::sin(i * 1.2566 - 1.5708),
                                    11, i * 72.0, tone::Sakura);
  p.setBrush(QColor(246, 214, 160));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(45, 62), 3, 3);
}

// The snapshot inside a face: a girl under a tree in bloom on a bright day.
void Snapshot(QPainter& p, const QRectF& area) {
  p.save();
  p.setClipRect(area, Qt::IntersectClip);  // never outside the photo, however it is turned
  VerticalGradient(p, area, QColor(150, 204, 240), QColor(236, 240, 250));
  p.fillRect(QRectF(area.left(), area.bottom() - 22, area.width(), 22), QColor(170, 214, 150));
  SakuraTree(p, area.left() + 18, area.bottom() - 18, 0.36, 501);
  const QPointF head(area.left() + area.width() * 0.62, area.bottom() - 44);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(236, 140, 170));  // hair
  p.drawEllipse(head, 11, 12);
  p.drawRect(QRectF(head.x() - 11, head.y(), 22, 14));
  p.setBrush(QColor(255, 226, 210));
  p.drawEllipse(head + QPointF(0, 2), 8, 9);
  p.setBrush(QColor(255, 255, 255));
  p.drawRoundedRect(QRectF(head.x() - 11, head.y() + 12, 22, 30), 6, 6);
  p.setPen(QPen(tone::Plum, 1.2));
  p.drawArc(QRectF(head.x() - 3, head.y() + 3, 6, 5), 200 * 16, 140 * 16);  // a smile
  p.restore();
}

// Face v (1..5): a snapshot in a white instant-photo frame with a caption.
void CardFace(QPainter& p, int v) {
  CardBody(p, QRectF(0, 0, kCardW, kCardH), QColor(255, 253, 250), QColor(150, 140, 150));
  const QRectF photo(8, 8, 74, 84);
  Snapshot(p, photo);
  p.save();
  p.setClipRect(photo);
  switch (v) {
    case 1:  // the good one: a gold star sticker
      p.setPen(QPen(QColor(200, 150, 40), 1));
      p.setBrush(QColor(252, 214, 90));
      {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
          const double a = i * M_PI / 5 - M_PI / 2;
          const double r = i % 2 ? 5.0 : 11.0;
          const QPointF pt(70 + r * std::cos(a), 20 + r * std::sin(a));
          if (i == 0) star.moveTo(pt); else star.lineTo(pt);
        }
        star.closeSubpath();
        p.drawPath(star);
      }
      break;
    case 2:  // shaken: the same picture smeared sideways
      for (int i = 1; i <= 3; ++i) {
        p.setOpacity(0.35);
        p.translate(4, 1);
        Snapshot(p, photo.translated(-4.0 * i, -1.0 * i));
      }
      p.setOpacity(1);
      break;
    case 3:  // tilted, the subject half out of frame
      p.fillRect(photo, QColor(236, 240, 250));
      p.translate(45, 50);
      p.rotate(-18);
      p.translate(-45 + 30, -50);
      Snapshot(p, photo);
      break;
    case 4:  // a finger over the lens
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(226, 150, 150, 235));
      p.drawEllipse(QRectF(30, 40, 70, 80));
      p.setBrush(QColor(244, 178, 170, 200));
      p.drawEllipse(QRectF(42, 52, 40, 50));
      break;
    default:  // nothing at all: the lens cap was on
      p.fillRect(photo, QColor(28, 24, 34));
      p.setPen(QPen(QColor(120, 110, 130), 1.5));
      p.drawLine(QPointF(20, 20), QPointF(70, 80));
      p.drawLine(QPointF(70, 20), QPointF(20, 80));
      break;
  }
  p.restore();
  p.setPen(QPen(QColor(200, 190, 196), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(photo);
  const char* const captions[5] = {"ばっちり！", "ブレた…", "はみ出た？", "指が…", "まっくら"};
  const QColor ink = v == 1 ? tone::SakuraDeep.darker(120) : tone::PlumSoft;
  CentredText(p, QRectF(4, 95, 82, 24), QString::fromUtf8(captions[v - 1]), GameFont(12, true), ink);
}

// The card turned halfway: a narrow slab, a little wider at the near end.
void EdgeOn(QPainter& p, bool face) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  QPainterPath slab;
  slab.moveTo(19, 3);
  slab.lineTo(31, 1);
  slab.lineTo(31, 123);
  slab.lineTo(19, 121);
  slab.closeSubpath();
  p.setPen(QPen(face ? QColor(150, 140, 150) : QColor(40, 28, 60), 1));
  p.setBrush(face ? QColor(250, 248, 246) : QColor(72, 54, 104));
  p.drawPath(slab);
  p.setPen(face ? QColor(170, 210, 236) : QColor(246, 214, 160));
  p.drawLine(QPointF(25, 12), QPointF(25, 110));
  p.restore();
}

}  // namespace

void DrawCardSheet(Art& art) {
  QImage sheet = NewCanvas(840, 125, tone::Key);
  QPainter p(&sheet);
  BeginSmooth(p);
  CardBack(p);
  for (int v = 1; v <= 5; ++v) {
    p.save();
    p.translate(kCardW * v, 0);
    CardFace(p, v);
    p.restore();
  }
  for (int cell = 0; cell <= 5; ++cell) {
    p.save();
    p.translate(6 * kCardW + kEdgeW * cell, 0);
    EdgeOn(p, cell > 0);
    p.restore();
  }
  art["card_sheet"] = sheet;
}

}  // namespace velmora::demo
