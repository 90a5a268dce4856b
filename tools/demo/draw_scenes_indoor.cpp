// The indoor scenes (500x460): the player's room by day and at night, the supermarket,
// the café, and the photo game's viewfinder; and the list of all scene slots.
#include <cmath>

#include <QPainterPath>
#include <QRadialGradient>

#include "tools/demo/demo_pictures.h"
#include "tools/demo/paint_kit.h"
#include "tools/demo/scene_art.h"
#include "tools/demo/scenery.h"

namespace velmora::demo {

namespace {

constexpr int kW = 500, kH = 460;

// Wall, floor and skirting of a room; Dim gives the night version.
void Room(QPainter& p, QColor wall, QColor floor, double floorY) {
  VerticalGradient(p, QRectF(0, 0, kW, floorY), wall.lighter(104), wall);
  VerticalGradient(p, QRectF(0, floorY, kW, kH - floorY), floor, floor.darker(112));
  p.fillRect(QRectF(0, floorY - 6, kW, 6), wall.darker(130));
  p.setPen(QPen(floor.darker(118), 1));
  for (double y = floorY + 18; y < kH; y += 24) p.drawLine(QPointF(0, y), QPointF(kW, y));
}

void Bed(QPainter& p, const QRectF& box, QColor blanket) {
  p.setPen(QPen(QColor(150, 110, 90), 2));
  p.setBrush(QColor(196, 150, 116));
  p.drawRect(QRectF(box.left(), box.top() - 40, 16, box.height() + 40));  // headboard
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255));
  p.drawRoundedRect(QRectF(box.left() + 16, box.top() + 4, 70, 30), 12, 12);  // pillow
  p.setBrush(blanket);
  p.drawRoundedRect(QRectF(box.left() + 60, box.top() + 10, box.width() - 60, box.height() - 10), 10, 10);
  p.setBrush(blanket.lighter(112));
  p.drawRect(QRectF(box.left() + 60, box.top() + 10, 24, box.height() - 10));
}

void Camera(QPainter& p, QPointF at, double s) {
  p.save();
  p.translate(at);
  p.scale(s, s);
  p.setPen(QPen(QColor(60, 56, 70), 1.5));
  p.setBrush(QColor(90, 86, 100));
  p.drawRoundedRect(QRectF(-22, -14, 44, 28), 4, 4);
  p.drawRect(QRectF(-14, -19, 12, 6));
  p.setBrush(QColor(40, 40, 50));
  p.drawEllipse(QPointF(4, 0), 10, 10);
  p.setBrush(QColor(120, 160, 200));
  p.drawEllipse(QPointF(4, 0), 6, 6);
  p.setBrush(QColor(255, 255, 255, 200));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(1, -3), 2, 2);
  p.restore();
}

}  // namespace

QImage HomeScene() {
  QImage image = NewCanvas(kW, kH, tone::Cream);
  QPainter p(&image);
  BeginSmooth(p);
  Room(p, QColor(250, 236, 226), QColor(214, 180, 150), 300);
  // The window onto a spring morning, with a branch in bloom.
  p.save();
  p.setClipRect(QRectF(60, 50, 180, 150));
  Sky(p, QRectF(60, 50, 180, 150), SkyKind::Day, 91);
  SakuraTree(p, 230, 260, 0.9, 92);
  p.restore();
  Pane(p, QRectF(60, 50, 180, 150), QColor(0, 0, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 200, 210, 220));
  p.drawRect(QRectF(44, 40, 26, 176));  // curtains
  p.drawRect(QRectF(230, 40, 26, 176));
  // The shelf and the desk with the camera waiting on it.
  p.setBrush(QColor(196, 150, 116));
  p.drawRect(QRectF(300, 80, 160, 10));
  const QColor books[5] = {QColor(232, 140, 150), QColor(140, 180, 220), QColor(250, 210, 120), QColor(150, 200, 150),
                           QColor(200, 170, 230)};
  for (int i = 0; i < 9; ++i) {
    p.setBrush(books[i % 5]);
    p.drawRect(QRectF(306 + i * 14, 44 + (i % 3) * 4, 12, 36 - (i % 3) * 4));
  }
  p.setBrush(QColor(196, 150, 116));
  p.drawRect(QRectF(300, 220, 170, 14));
  p.drawRect(QRectF(310, 234, 10, 90));
  p.drawRect(QRectF(450, 234, 10, 90));
  Camera(p, QPointF(360, 204), 1.0);
  p.setBrush(QColor(150, 200, 150));
  p.drawEllipse(QRectF(420, 190, 26, 28));  // a potted plant
  p.setBrush(QColor(226, 140, 110));
  p.drawRect(QRectF(424, 210, 18, 12));
  Bed(p, QRectF(10, 300, 250, 70), QColor(176, 206, 236));
  p.setBrush(QColor(246, 200, 214, 200));
  p.drawEllipse(QRectF(250, 360, 200, 60));  // the rug
  return image;
}

QImage SupermarketScene() {
  QImage image = NewCanvas(kW, kH, tone::Cream);
  QPainter p(&image);
  BeginSmooth(p);
  Room(p, QColor(246, 244, 236), QColor(226, 226, 220), 250);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 4; ++i) {  // ceiling lights
    p.setBrush(QColor(255, 255, 240));
    p.drawRoundedRect(QRectF(40 + i * 120, 14, 90, 10), 4, 4);
  }
  // Two aisles of shelves, stocked in bright colours.
  const QColor goods[5] = {QColor(240, 150, 140), QColor(250, 210, 110), QColor(140, 190, 230), QColor(160, 214, 150),
                           QColor(220, 180, 236)};
  for (int shelf = 0; shelf < 2; ++shelf) {
    const double left = shelf == 0 ? 20 : 270;
    p.setBrush(QColor(200, 204, 210));
    p.drawRect(QRectF(left, 60, 210, 190));
    for (int row = 0; row < 4; ++row) {
      p.setBrush(QColor(160, 164, 172));
      p.drawRect(QRectF(left, 100 + row * 38, 210, 5));
      for (int i = 0; i < 10; ++i) {
        p.setBrush(goods[(i + row + shelf) % 5]);
        p.drawRoundedRect(QRectF(left + 6 + i * 20, 74 + row * 38, 15, 26), 3, 3);
      }
    }
  }
  p.setBrush(QColor(250, 250, 250));
  p.drawRoundedRect(QRectF(170, 30, 160, 30), 6, 6);
  CentredText(p, QRectF(170, 30, 160, 30), QStringLiteral("春の青果市"), GameFont(18, true), QColor(200, 90, 70));
  // The fruit stand in front.
  p.setBrush(QColor(196, 150, 116));
  p.drawRect(QRectF(90, 280, 320, 80));
  Scatter r(101);
  for (int crate = 0; crate < 4; ++crate)
    for (int i = 0; i < 12; ++i) {
      const QColor fruit[4] = {QColor(226, 70, 80), QColor(250, 160, 50), QColor(250, 220, 80), QColor(150, 200, 90)};
      p.setBrush(fruit[crate]);
      p.drawEllipse(QPointF(110 + crate * 78 + r.Range(0, 50), 276 + r.Range(0, 18)), 9, 9);
    }
  p.setBrush(QColor(255, 255, 255));
  for (int crate = 0; crate < 4; ++crate) p.drawRect(QRectF(112 + crate * 78, 320, 44, 20));
  return image;
}

QImage CafeScene() {
  QImage image = NewCanvas(kW, kH, tone::Cream);
  QPainter p(&image);
  BeginSmooth(p);
  Room(p, QColor(240, 222, 200), QColor(170, 124, 96), 280);
  // A big window onto the street.
  p.save();
  p.setClipRect(QRectF(30, 40, 200, 170));
  Sky(p, QRectF(30, 40, 200, 170), SkyKind::Day, 111);
  SakuraTree(p, 130, 260, 0.8, 112);
  p.restore();
  Pane(p, QRectF(30, 40, 200, 170), QColor(0, 0, 0, 0));
  // The menu board.
  p.setPen(QPen(QColor(150, 110, 80), 5));
  p.setBrush(QColor(60, 80, 70));
  p.drawRect(QRectF(290, 40, 170, 120));
  CentredText(p, QRectF(290, 46, 170, 24), QStringLiteral("本日のおすすめ"), GameFont(16, true), QColor(255, 250, 230));
  CentredText(p, QRectF(290, 76, 170, 22), QStringLiteral("さくらラテ"), GameFont(15), tone::Sakura);
  CentredText(p, QRectF(290, 100, 170, 22), QStringLiteral("いちごタルト"), GameFont(15), QColor(255, 250, 230));
  CentredText(p, QRectF(290, 124, 170, 22), QStringLiteral("ほうじ茶"), GameFont(15), QColor(200, 230, 200));
  // Pendant lamps.
  for (double x : {120.0, 380.0}) {
    p.setPen(QPen(QColor(90, 70, 60), 1.5));
    p.drawLine(QPointF(x, 0), QPointF(x, 20));
    QRadialGradient glow(QPointF(x, 30), 60);
    glow.setColorAt(0, QColor(255, 230, 170, 120));
    glow.setColorAt(1, QColor(255, 230, 170, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(x, 30), 60, 60);
    p.setBrush(QColor(250, 214, 140));
    p.drawChord(QRectF(x - 18, 16, 36, 28), 0, 180 * 16);
  }
  // The counter with cups and a cake stand.
  p.setBrush(QColor(150, 100, 76));
  p.drawRect(QRectF(0, 250, kW, 90));
  p.setBrush(QColor(196, 144, 110));
  p.drawRect(QRectF(0, 244, kW, 12));
  for (int i = 0; i < 3; ++i) {
    const double x = 90 + i * 130;
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QRectF(x - 24, 236, 48, 10));
    p.drawRoundedRect(QRectF(x - 14, 212, 28, 28), 6, 6);
    p.setBrush(QColor(246, 190, 206));
    p.drawEllipse(QRectF(x - 12, 210, 24, 8));
  }
  p.setBrush(QColor(160, 210, 150));
  p.drawEllipse(QRectF(440, 170, 46, 60));
  p.setBrush(QColor(200, 140, 110));
  p.drawRect(QRectF(448, 218, 30, 28));
  return image;
}

QImage NightScene() {
  QImage image = NewCanvas(kW, kH, tone::Night);
  QPainter p(&image);
  BeginSmooth(p);
  Room(p, QColor(70, 70, 120), QColor(80, 66, 90), 300);
  p.save();
  p.setClipRect(QRectF(60, 50, 180, 150));
  Sky(p, QRectF(60, 50, 180, 150), SkyKind::Night, 121);
  Moon(p, 190, 96, 18);
  p.restore();
  Pane(p, QRectF(60, 50, 180, 150), QColor(0, 0, 0, 0));
  // Moonlight falling across the floor.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 210, 255, 40));
  QPainterPath beam;
  beam.moveTo(60, 200);
  beam.lineTo(240, 200);
  beam.lineTo(380, 440);
  beam.lineTo(140, 440);
  beam.closeSubpath();
  p.drawPath(beam);
  p.setBrush(QColor(130, 120, 170, 220));
  p.drawRect(QRectF(44, 40, 26, 176));
  p.drawRect(QRectF(230, 40, 26, 176));
  // The bedside lamp, still on.
  QRadialGradient glow(QPointF(420, 230), 110);
  glow.setColorAt(0, QColor(255, 220, 150, 150));
  glow.setColorAt(1, QColor(255, 220, 150, 0));
  p.setBrush(glow);
  p.drawEllipse(QPointF(420, 230), 110, 110);
  p.setBrush(QColor(120, 96, 90));
  p.drawRect(QRectF(370, 260, 100, 60));
  p.setBrush(QColor(255, 226, 160));
  p.drawChord(QRectF(396, 200, 48, 50), 0, 180 * 16);
  p.drawRect(QRectF(396, 224, 48, 4));
  p.setBrush(QColor(90, 80, 90));
  p.drawRect(QRectF(416, 228, 8, 32));
  Camera(p, QPointF(440, 284), 0.6);
  Bed(p, QRectF(10, 300, 300, 76), QColor(90, 110, 170));
  p.setBrush(QColor(255, 250, 220, 50));
  Stars(p, QRectF(300, 20, 200, 120), 6, 122);
  return image;
}

QImage PhotoScene() {
  QImage image = NewCanvas(kW, kH, tone::Cream);
  QPainter p(&image);
  BeginSmooth(p);
  // A soft, out-of-focus spring view through the lens.
  VerticalGradient(p, QRectF(0, 0, kW, kH), QColor(190, 216, 236), QColor(214, 232, 190));
  Scatter r(131);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 40; ++i) {
    QColor c = i % 3 ? tone::Sakura : QColor(255, 250, 220);
    c.setAlpha(static_cast<int>(r.Range(50, 110)));
    p.setBrush(c);
    const double rad = r.Range(14, 40);
    p.drawEllipse(QPointF(r.Range(0, kW), r.Range(0, 320)), rad, rad);
  }
  // The viewfinder: corner brackets, a focus mark and the frame counter.
  p.setPen(QPen(QColor(255, 255, 255, 230), 3, Qt::SolidLine, Qt::SquareCap));
  const double m = 22, len = 34;
  for (int cx : {0, 1})
    for (int cy : {0, 1}) {
      const double x = cx ? kW - m : m, y = cy ? 372 - m : m;
      p.drawLine(QPointF(x, y), QPointF(x + (cx ? -len : len), y));
      p.drawLine(QPointF(x, y), QPointF(x, y + (cy ? -len : len)));
    }
  p.setPen(QPen(QColor(255, 255, 255, 200), 2));
  p.drawLine(QPointF(240, 120), QPointF(260, 120));
  p.drawLine(QPointF(250, 110), QPointF(250, 130));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(236, 80, 100));
  p.drawEllipse(QPointF(40, 48), 6, 6);
  CentredText(p, QRectF(50, 38, 60, 20), QStringLiteral("撮影"), GameFont(14, true), QColor(255, 255, 255));
  CentredText(p, QRectF(390, 38, 90, 20), QStringLiteral("残り 4枚"), GameFont(14, true), QColor(255, 255, 255));
  // The dark strip where the game writes the message: one flat colour, so the piece
  // the game copies back matches wherever it lands.
  p.setBrush(QColor(64, 48, 84));
  p.drawRoundedRect(QRectF(150, 282, 230, 62), 10, 10);
  // The table the cards lie on shows below the viewfinder.
  p.fillRect(QRectF(0, 372, kW, 88), QColor(186, 140, 110));
  p.fillRect(QRectF(0, 372, kW, 5), QColor(150, 106, 80));
  return image;
}

void DrawScenePictures(Art& art) {
  art["scene_home"] = HomeScene();
  art["scene_heroine_home"] = HeroineHomeScene();
  art["scene_park"] = ParkScene();
  art["scene_store"] = StoreScene();
  art["scene_supermarket"] = SupermarketScene();
  art["scene_town"] = TownScene();
  art["scene_9"] = StationScene();
  art["scene_10"] = RiversideScene();
  art["scene_11"] = CafeScene();
  art["scene_night"] = NightScene();
  art["scene_photo"] = PhotoScene();
}

}  // namespace velmora::demo
