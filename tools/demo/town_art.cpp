#include "tools/demo/town_art.h"

#include <QPainterPath>

#include "gfx/asset_table.h"
#include "town/status_panel.h"
#include "town/town_map.h"
#include "tools/demo/paint_kit.h"
#include "tools/demo/scenery.h"

namespace velmora::demo {

PlaceLook LookOf(int place) {
  switch (place) {
    case 1:
      return {QColor(252, 198, 128), {QStringLiteral("自宅")}};
    case 2:
      return {QColor(248, 184, 204), {QStringLiteral("Mirel"), QStringLiteral("の家")}};
    case 3:
      return {QColor(248, 184, 204), {QStringLiteral("Sanu"), QStringLiteral("の家")}};
    case 4:
      return {QColor(248, 184, 204), {QStringLiteral("Orika"), QStringLiteral("の家")}};
    case 5:
      return {QColor(160, 214, 146), {QStringLiteral("公園")}};
    case 6:
    case 7:
    case 8:
    case 9:
      return {QColor(160, 208, 240), {QStringLiteral("コン"), QStringLiteral("ビニ")}};
    case 10:
    case 11:
      return {QColor(252, 226, 128), {QStringLiteral("スーパー")}};
    case 16:
      return {QColor(246, 160, 140), {QStringLiteral("ファミ"), QStringLiteral("レス")}};
    default:
      return {QColor(204, 186, 236), {QStringLiteral("街")}};
  }
}

QRect ToQRect(const Rect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

namespace {

// The union of a place's hotspots; for the plain places it is just the MapRect.
QPainterPath HotspotOutline(int place) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  for (const MapHotspot& h : MapHotspots)
    if (h.Place == place) path.addRect(h.X, h.Y, h.W, h.H);
  return path.simplified();
}

void Home(QPainter& p, const QRectF& r, QColor wall, QColor roof) {
  const double bodyW = r.width() * 0.72;
  const double roofH = bodyW * 0.42;
  const QRectF body(r.center().x() - bodyW / 2, r.top() + roofH + 1, bodyW, r.height() - roofH - 2);
  House(p, body, wall, roof);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 110, 90));
  p.drawRect(QRectF(body.center().x() - 2.5, body.bottom() - 7, 5, 7));
  p.setBrush(QColor(170, 210, 236));
  p.drawRect(QRectF(body.left() + 3, body.top() + 3, 5, 4));
  p.drawRect(QRectF(body.right() - 8, body.top() + 3, 5, 4));
}

void Shop(QPainter& p, const QRectF& r, QColor band) {
  p.setPen(QPen(QColor(150, 150, 160), 1));
  p.setBrush(QColor(246, 246, 244));
  p.drawRect(r.adjusted(1.5, 4.5, -1.5, -1.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 124, 136));
  p.drawRect(QRectF(r.left() + 0.5, r.top() + 2, r.width() - 1, 3));
  p.setBrush(band);
  p.drawRect(QRectF(r.left() + 2, r.top() + 5, r.width() - 4, 4));
  p.setBrush(QColor(176, 214, 236));
  p.drawRect(QRectF(r.left() + 4, r.top() + 11, r.width() - 8, r.height() - 14));
}

void District(QPainter& p, const QPainterPath& area, uint32_t seed) {
  Scatter r(seed);
  p.save();
  p.setClipPath(area);
  const QRectF box = area.boundingRect();
  p.fillRect(box, QColor(232, 222, 214));
  for (double y = box.top(); y < box.bottom(); y += 13)
    for (double x = box.left() + r.Range(-4, 0); x < box.right(); x += r.Range(10, 15)) {
      const QColor roof = Mix(QColor(226, 130, 140), QColor(130, 150, 210), r.Next());
      p.setPen(QPen(roof.darker(130), 1));
      p.setBrush(Mix(QColor(250, 244, 236), roof, 0.15));
      p.drawRect(QRectF(x + 1, y + 4, 9, 8));
      p.setBrush(roof);
      p.drawRect(QRectF(x, y + 1, 11, 4));
    }
  p.restore();
}

void Supermarket(QPainter& p, const QRectF& r) {
  p.setPen(QPen(QColor(160, 150, 130), 1));
  p.setBrush(QColor(250, 246, 232));
  p.drawRect(r.adjusted(0.5, 3.5, -0.5, -0.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(236, 150, 80));
  p.drawRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 2, 6));
  p.setBrush(QColor(176, 214, 236));
  for (double x = r.left() + 5; x + 8 < r.right(); x += 12) p.drawRect(QRectF(x, r.top() + 11, 8, 8));
  p.setBrush(QColor(120, 124, 136));
  p.drawRect(QRectF(r.center().x() - 6, r.bottom() - 8, 12, 7));
}

void Restaurant(QPainter& p, const QRectF& r) {
  p.setPen(QPen(QColor(170, 130, 120), 1));
  p.setBrush(QColor(252, 240, 228));
  p.drawRect(r.adjusted(2.5, 8.5, -2.5, -0.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(214, 92, 84));
  QPainterPath roof;
  roof.moveTo(r.left(), r.top() + 10);
  roof.lineTo(r.left() + 6, r.top() + 2);
  roof.lineTo(r.right() - 6, r.top() + 2);
  roof.lineTo(r.right(), r.top() + 10);
  roof.closeSubpath();
  p.drawPath(roof);
  p.setBrush(QColor(255, 226, 150));
  for (double x = r.left() + 6; x + 7 < r.right(); x += 10) p.drawRect(QRectF(x, r.top() + 13, 7, 7));
}

void Park(QPainter& p) {
  const QRectF lawn(144, 254, 100, 64);
  p.setPen(QPen(QColor(118, 170, 110), 1.5));
  p.setBrush(QColor(176, 220, 156));
  p.drawRoundedRect(lawn, 12, 12);
  p.setPen(QPen(QColor(236, 224, 196), 4));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(160, 262, 68, 48), 20 * 16, 300 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(tone::Water);
  p.drawEllipse(QRectF(178, 276, 30, 18));
  p.setBrush(QColor(255, 255, 255, 140));
  p.drawEllipse(QRectF(184, 280, 12, 5));
  const double trees[6][2] = {{154, 264}, {234, 266}, {152, 306}, {236, 306}, {196, 262}, {196, 312}};
  for (const auto& t : trees) {
    p.setBrush(tone::SakuraDeep);
    p.drawEllipse(QPointF(t[0], t[1]), 7, 6);
    p.setBrush(tone::Sakura);
    p.drawEllipse(QPointF(t[0] - 1.5, t[1] - 1.5), 4.5, 4);
  }
}

}  // namespace

QImage LabelImage(int place) {
  const TBa_Rec& rec = PlaceTable[place];
  const QRect map = ToQRect(rec.MapRect);
  const PlaceLook look = LookOf(place);
  QImage label = NewCanvas(map.width(), map.height(), tone::Key);
  QPainter p(&label);
  p.translate(-map.topLeft());
  // The plaque is filled without antialiasing: around it lies the key colour, and any
  // blended pixel there would show as a fringe on the map.
  QPainterPath shape;
  QRectF textBox = map;
  if (place == 12 || place == 13) {
    // The districts' outlines start right at their label's corner; a cut corner keeps
    // the key colour at the sprite's top-left pixel.
    QPainterPath corner;
    corner.moveTo(map.topLeft() - QPointF(1, 1));
    corner.lineTo(map.topLeft() + QPointF(5, -1));
    corner.lineTo(map.topLeft() + QPointF(-1, 5));
    corner.closeSubpath();
    shape = HotspotOutline(place).subtracted(corner);
    textBox = place == 12 ? QRectF(56, 96, 61, 25) : QRectF(10, 126, 91, 37);
  } else {
    shape.addRoundedRect(map, 4, 4);
  }
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(look.Sign);
  p.drawPath(shape);
  p.end();
  // A darker rim on the plaque's edge pixels and a light line under its top edge.
  const QRgb key = tone::Key.rgb();
  const QImage filled = label.copy();
  auto inside = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < filled.width() && y < filled.height() && filled.pixel(x, y) != key;
  };
  for (int y = 0; y < label.height(); ++y)
    for (int x = 0; x < label.width(); ++x) {
      if (!inside(x, y)) continue;
      if (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1))
        label.setPixel(x, y, look.Sign.darker(160).rgb());
      else if (!inside(x, y - 2))
        label.setPixel(x, y, Mix(look.Sign, QColor(255, 255, 255), 0.5).rgb());
    }
  p.begin(&label);
  BeginSmooth(p);
  p.translate(-map.topLeft());
  // The largest size at which every line fits.
  int px = 18;
  for (; px > 9; --px) {
    const QFontMetricsF m(GameFont(px, true));
    bool fits = look.Lines.size() * px * 1.05 <= textBox.height() - 2;
    for (const QString& line : look.Lines) fits = fits && m.horizontalAdvance(line) <= textBox.width() - 3;
    if (fits) break;
  }
  const double lineH = textBox.height() / look.Lines.size();
  for (int i = 0; i < look.Lines.size(); ++i) {
    const QRectF lineBox(textBox.left(), textBox.top() + lineH * i + (i == 0 ? 0.5 : -0.5), textBox.width(), lineH);
    CentredText(p, lineBox, look.Lines[i], GameFont(px, true), tone::Plum);
  }
  return label;
}

void PlaceBuilding(QPainter& painter, int place) {
  const QRectF r = ToQRect(PlaceTable[place].MapRect);
  painter.save();
  switch (place) {
    case 1:
      Home(painter, r, QColor(252, 244, 228), QColor(232, 140, 90));
      break;
    case 2:
    case 3:
    case 4:
      Home(painter, r, QColor(252, 242, 244), QColor(222, 120, 150));
      break;
    case 5:
      Park(painter);
      break;
    case 6:
    case 7:
    case 8:
    case 9:
      Shop(painter, r, QColor(90, 170, 130));
      break;
    case 10:
    case 11:
      Supermarket(painter, r);
      break;
    case 16:
      Restaurant(painter, r);
      break;
    default:
      District(painter, HotspotOutline(place).united(QPainterPath()), 300 + static_cast<uint32_t>(place));
      break;
  }
  painter.restore();
}

void StatusPanelFrame(QPainter& p) {
  p.save();
  const QRectF panel(516, 8, 118, 464);
  p.setPen(QPen(QColor(214, 180, 196), 1.5));
  p.setBrush(QColor(255, 248, 250));
  p.drawRoundedRect(panel, 10, 10);
  StrewPetals(p, panel.adjusted(4, 4, -4, -4), 14, 404, 5, 8);
  auto caption = [&](const QRectF& box, const QString& text) {
    CentredText(p, box, text, GameFont(12, true), tone::PlumSoft);
  };
  auto field = [&](const Rect& r) {
    p.setPen(QPen(QColor(40, 28, 52), 1));
    p.setBrush(QColor(72, 54, 92));
    p.drawRoundedRect(QRectF(r.Left + 0.5, r.Top + 0.5, r.Width() - 1, r.Height() - 1), 5, 5);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawLine(QPointF(r.Left + 5, r.Top + 2.5), QPointF(r.Right - 5, r.Top + 2.5));
  };
  caption(QRectF(527, 17, 96, 18), QStringLiteral("時刻"));
  // The clock's text ("10 : 00", 26-pixel digits) runs a few pixels past its field's
  // right edge; the part outside is always the last "0", so the dark ground simply
  // reaches on to the panel's edge there.
  field(Rect{StatusRects[1].Left, StatusRects[1].Top, 632, StatusRects[1].Bottom});
  caption(QRectF(518, 101, 34, 28), QStringLiteral("曜日"));
  field(StatusRects[2]);
  // The preview box: a framed window the move confirmation fills with a piece of map.
  caption(QRectF(527, 150, 96, 18), QStringLiteral("行き先"));
  p.setPen(QPen(tone::Plum, 3));
  p.setBrush(QColor(236, 230, 240));
  p.drawRect(QRectF(535.5, 170.5, 79, 79));
  p.setPen(QPen(tone::PlumSoft, 2));
  p.setBrush(QColor(255, 255, 255));
  p.drawRoundedRect(QRectF(556, 197, 38, 27), 4, 4);  // a little camera
  p.drawEllipse(QPointF(575, 210.5), 8, 8);
  p.drawRect(QRectF(563, 192, 10, 5));
  Petal(p, 600, 184, 9, 20, tone::Sakura);
  // A divider under the preview and the points block.
  p.setPen(QPen(QColor(226, 190, 206), 1));
  p.drawLine(QPointF(528, 272), QPointF(622, 272));
  CentredText(p, QRectF(516, 276, 118, 18), QStringLiteral("✿ ステータス ✿"), GameFont(11), tone::SakuraDeep);
  caption(QRectF(516, 302, 56, 24), QStringLiteral("ポイント"));
  field(StatusRects[3]);
  caption(QRectF(516, 334, 56, 24), QStringLiteral("消費"));
  field(StatusRects[4]);
  caption(QRectF(527, 379, 91, 18), QStringLiteral("相手"));
  field(StatusRects[6]);
  caption(QRectF(516, 431, 56, 24), QStringLiteral("好感度"));
  field(StatusRects[5]);
  p.restore();
}

}  // namespace velmora::demo
