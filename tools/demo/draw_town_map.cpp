// The town frame: the map in the map area (10,10)-(510,470) with its river, roads,
// blocks of houses and every place's building at its map rectangle, and the status
// panel frame on the right.
#include <vector>

#include <QPainterPath>
#include <QPainterPathStroker>

#include "gfx/asset_table.h"
#include "town/town_map.h"
#include "tools/demo/demo_pictures.h"
#include "tools/demo/paint_kit.h"
#include "tools/demo/scenery.h"
#include "tools/demo/town_art.h"

namespace velmora::demo {

namespace {

const QRectF kMapArea(10, 10, 500, 460);

// The roads, laid out between the places so no label sits on a road.
std::vector<QRectF> Roads() {
  return {
      QRectF(10, 322, 500, 12),   // the main street above home
      QRectF(10, 80, 500, 10),    // the north road
      QRectF(64, 238, 257, 9),    // the west lane
      QRectF(10, 410, 500, 9),    // the south road
      QRectF(64, 165, 9, 305),    // west
      QRectF(152, 90, 9, 164),    // up from the park
      QRectF(312, 90, 9, 380),    // along the river
      QRectF(410, 90, 9, 134),    // east, up to the supermarket
      QRectF(410, 257, 9, 213),   // and on from its back door
      QRectF(205, 334, 9, 136),   // the lane past home
      QRectF(472, 69, 9, 11),     // the restaurant's drive
  };
}

QPainterPath RiverPath() {
  QPainterPath river;
  river.moveTo(232, 4);
  river.cubicTo(250, 60, 290, 120, 288, 190);
  river.cubicTo(286, 250, 300, 280, 340, 292);
  river.cubicTo(400, 308, 460, 292, 516, 300);
  return river;
}

void DrawRiver(QPainter& p, const QPainterPath& river) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(198, 214, 170), 34, Qt::SolidLine, Qt::RoundCap));  // the banks
  p.drawPath(river);
  p.setPen(QPen(tone::Water, 22, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(river);
  p.setPen(QPen(QColor(196, 226, 244), 3, Qt::DotLine, Qt::RoundCap));
  p.drawPath(river);
}

void DrawRoads(QPainter& p, const QPainterPath& river) {
  p.setPen(Qt::NoPen);
  p.setBrush(tone::Road);
  for (const QRectF& r : Roads()) p.drawRect(r);
  // Bridges where the roads cross the water.
  QPainterPathStroker stroker;
  stroker.setWidth(24);
  const QPainterPath water = stroker.createStroke(river);
  for (const QRectF& r : Roads()) {
    QPainterPath road;
    road.addRect(r);
    const QPainterPath bridge = road.intersected(water);
    if (bridge.isEmpty()) continue;
    p.setBrush(QColor(206, 170, 140));
    p.drawPath(bridge);
    p.setPen(QPen(QColor(150, 110, 90), 1.5));
    const QRectF b = bridge.boundingRect();
    if (r.width() > r.height()) {
      p.drawLine(b.topLeft(), b.topRight());
      p.drawLine(b.bottomLeft(), b.bottomRight());
    } else {
      p.drawLine(b.topLeft(), b.bottomLeft());
      p.drawLine(b.topRight(), b.bottomRight());
    }
    p.setPen(Qt::NoPen);
  }
  // Centre lines on the two wide streets.
  p.setPen(QPen(QColor(255, 255, 255), 1, Qt::DashLine));
  p.drawLine(QPointF(10, 328), QPointF(510, 328));
  p.drawLine(QPointF(10, 85), QPointF(510, 85));
}

// Small houses wherever a block has room: nothing on roads, water, places or the
// compass; this is what makes the map read as a town.
void DrawBlocks(QPainter& p, const QPainterPath& river) {
  QPainterPathStroker stroker;
  stroker.setWidth(38);
  QPainterPath busy = stroker.createStroke(river);
  busy.setFillRule(Qt::WindingFill);
  for (const QRectF& r : Roads()) busy.addRect(r.adjusted(-2, -2, 2, 2));
  for (int place = 1; place <= 16; ++place) busy.addRect(QRectF(ToQRect(PlaceTable[place].MapRect)).adjusted(-3, -3, 3, 3));
  busy.addRect(QRectF(140, 250, 108, 72));  // the park's lawn
  busy.addEllipse(QPointF(486, 132), 20, 20);  // the compass
  Scatter r(99);
  for (double y = 15; y < 466; y += 18)
    for (double x = 14; x < 506; x += 17) {
      const QRectF house(x + r.Range(-2, 2), y + r.Range(-1, 1), 10, 10);
      if (!kMapArea.adjusted(2, 2, -2, -2).contains(house) || busy.intersects(house)) continue;
      const double pick = r.Next();
      if (pick < 0.12) continue;  // an empty plot
      if (pick < 0.32) {  // a garden tree now and then
        p.setPen(Qt::NoPen);
        p.setBrush(r.Next() < 0.5 ? tone::LeafDeep : tone::Sakura);
        p.drawEllipse(house.center(), 4.5, 4.5);
        continue;
      }
      const QColor roof = Mix(QColor(214, 150, 150), QColor(150, 160, 200), r.Next());
      p.setPen(QPen(QColor(196, 186, 176), 1));
      p.setBrush(QColor(250, 246, 238));
      p.drawRect(house.adjusted(1, 3, -1, 0));
      p.setPen(Qt::NoPen);
      p.setBrush(roof);
      QPainterPath gable;
      gable.moveTo(house.left(), house.top() + 4);
      gable.lineTo(house.center().x(), house.top() - 1);
      gable.lineTo(house.right(), house.top() + 4);
      gable.closeSubpath();
      p.drawPath(gable);
    }
}

void DrawCompass(QPainter& p) {
  const QPointF c(486, 132);
  p.setPen(QPen(tone::PlumSoft, 1.2));
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawEllipse(c, 15, 15);
  QPainterPath north;
  north.moveTo(c.x(), c.y() - 12);
  north.lineTo(c.x() + 4, c.y());
  north.lineTo(c.x() - 4, c.y());
  north.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 90, 110));
  p.drawPath(north);
  p.setBrush(tone::PlumSoft);
  p.drawPath(QTransform().translate(c.x(), c.y()).rotate(180).translate(-c.x(), -c.y()).map(north));
  CentredText(p, QRectF(c.x() - 8, c.y() - 30, 16, 14), QStringLiteral("北"), GameFont(11, true), tone::Plum);
}

}  // namespace

void DrawTownBackdrop(Art& art) {
  QImage image = NewCanvas(640, 480, tone::Paper);
  QPainter p(&image);
  BeginSmooth(p);
  // The frame around the map: pale paper with a soft pink edge.
  VerticalGradient(p, QRectF(0, 0, 640, 480), QColor(250, 236, 240), QColor(238, 222, 232));
  p.fillRect(kMapArea, QColor(214, 232, 196));
  p.save();
  p.setClipRect(kMapArea);
  const QPainterPath river = RiverPath();
  DrawRiver(p, river);
  DrawRoads(p, river);
  DrawBlocks(p, river);
  for (int place = 1; place <= 16; ++place) PlaceBuilding(p, place);
  DrawCompass(p);
  p.restore();
  p.setPen(QPen(tone::PlumSoft, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(9.5, 9.5, 501, 461));
  StatusPanelFrame(p);
  art["town_backdrop"] = image;
}

}  // namespace velmora::demo
