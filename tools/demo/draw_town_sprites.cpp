// TownSprites (340x177): the move confirmation box at (0,0,300,90), its two pressed
// buttons at (300,0) and (300,24), every place label at its SpriteRect and the position
// marker at (313,70,335,120). Labels and the marker are sprites keyed by their own
// top-left pixel, so the sheet's ground is the key colour and no label uses it.
#include <QPainterPath>

#include "town/town_map.h"
#include "tools/demo/demo_pictures.h"
#include "tools/demo/paint_kit.h"
#include "tools/demo/town_art.h"

namespace velmora::demo {

namespace {

// Inside the box (box coordinates): the two buttons as the game's hit areas place them
// on the screen, 20 pixels right of the box's left edge.
const QRect kGoButton(204, 55, 40, 24);
const QRect kCancelButton(249, 55, 40, 24);

void BoxButtons(QPainter& p, Look look) {
  ButtonFace(p, kGoButton, QStringLiteral("行く"), look, 12);
  ButtonFace(p, kCancelButton, QStringLiteral("やめる"), look, 11);
}

// The confirmation box without its buttons: a cream card with a framed preview at
// (8,7)-(84,83), the question, and a dark field where the cost is written in white.
QImage ConfirmationCard() {
  QImage box = NewCanvas(300, 90, tone::Cream);
  QPainter p(&box);
  BeginSmooth(p);
  VerticalGradient(p, QRectF(0, 0, 300, 90), QColor(255, 252, 246), QColor(248, 234, 238));
  p.setPen(QPen(tone::Plum, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(1, 1, 298, 88), 6, 6);
  p.setPen(QPen(tone::PlumSoft, 2));
  p.setBrush(QColor(214, 232, 196));
  p.drawRect(QRectF(6, 5, 80, 80));
  CentredText(p, QRectF(92, 4, 204, 20), QStringLiteral("この場所へ行きますか？"), GameFont(13, true), tone::Plum);
  CentredText(p, QRectF(90, 27, 62, 20), QStringLiteral("消費ポイント"), GameFont(10, true), tone::PlumSoft);
  // The cost is written at x 167..191, y 29..45 of the box (white, 16 pixels).
  p.setPen(QPen(QColor(40, 28, 52), 1));
  p.setBrush(QColor(72, 54, 92));
  p.drawRoundedRect(QRectF(154.5, 25.5, 48, 23), 5, 5);
  CentredText(p, QRectF(204, 27, 22, 20), QStringLiteral("pt"), GameFont(12, true), tone::PlumSoft);
  p.setPen(QPen(QColor(226, 190, 206), 1));
  p.drawLine(QPointF(96, 51.5), QPointF(292, 51.5));
  return box;
}

// A red map pin, its point at the bottom centre: the game places it so the point sits
// just below the place's label.
void Marker(QPainter& p, QPoint at) {
  p.save();
  p.translate(at);
  p.setRenderHint(QPainter::Antialiasing, false);
  QPainterPath pin;
  pin.addEllipse(QRectF(1, 1, 20, 20));
  QPainterPath tail;
  tail.moveTo(3, 15);
  tail.lineTo(11, 49);
  tail.lineTo(19, 15);
  tail.closeSubpath();
  pin = pin.united(tail);
  p.setPen(QPen(QColor(130, 30, 60), 1));
  p.setBrush(QColor(232, 84, 120));
  p.drawPath(pin);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255));
  p.drawEllipse(QPointF(11, 11), 5, 5);
  p.setBrush(QColor(255, 200, 214));
  p.drawEllipse(QPointF(8, 7), 2, 2);
  p.restore();
}

}  // namespace

void DrawTownSprites(Art& art) {
  QImage sheet = NewCanvas(340, 177, tone::Key);
  QPainter p(&sheet);
  BeginSmooth(p);

  const QImage card = ConfirmationCard();
  QImage box = card;
  {
    QPainter b(&box);
    BeginSmooth(b);
    BoxButtons(b, Look::Normal);
  }
  p.drawImage(0, 0, box);
  // The pressed buttons are cut from the card with the pressed look drawn in place, so
  // their corners match the box they are drawn over.
  QImage pressed = card;
  {
    QPainter b(&pressed);
    BeginSmooth(b);
    BoxButtons(b, Look::Pressed);
  }
  p.drawImage(300, 0, pressed.copy(kGoButton));
  p.drawImage(300, 24, pressed.copy(kCancelButton));

  for (int place = 1; place <= 16; ++place) {
    const Rect& s = PlaceTable[place].SpriteRect;
    p.drawImage(s.Left, s.Top, LabelImage(place));
  }
  Marker(p, QPoint(313, 70));
  art["town_sprites"] = sheet;
}

}  // namespace velmora::demo
