// The opening logo, the plain backdrop and the title screen with its button sheet.
#include <QPainterPath>

#include "tools/demo/demo_pictures.h"
#include "tools/demo/paint_kit.h"
#include "tools/demo/scenery.h"

namespace velmora::demo {

namespace {

// Where the opening screen puts the logo, and where the title buttons sit.
constexpr int kLogoX = 173, kLogoY = 218;
constexpr int kButtonLeft = 280, kButtonTop = 183, kButtonPitch = 34;

const char* const kTitleLabels[4] = {"はじめから", "つづきから", "アルバム", "おわる"};

QRect TitleButtonRect(int id) { return QRect(kButtonLeft, kButtonTop + kButtonPitch * (id - 1), 80, 30); }

// Dark plum with a faint drift of petals: white text reads on any piece of it, which
// matters because the game pastes parts of it over other screens to blank them.
QImage PlainBackdrop() {
  QImage image = NewCanvas(640, 480, tone::Night);
  QPainter p(&image);
  BeginSmooth(p);
  VerticalGradient(p, QRectF(0, 0, 640, 480), QColor(44, 38, 76), QColor(72, 50, 90));
  Scatter r(7);
  for (int i = 0; i < 60; ++i) {
    QColor c = tone::Sakura;
    c.setAlpha(static_cast<int>(r.Range(18, 46)));
    Petal(p, r.Range(0, 640), r.Range(0, 480), r.Range(5, 11), r.Range(0, 360), c);
  }
  return image;
}

QImage OpeningLogo(const QImage& plain) {
  QImage logo = plain.copy(kLogoX, kLogoY, 300, 40);
  QPainter p(&logo);
  BeginSmooth(p);
  OutlinedText(p, QRectF(0, 0, 300, 36), QStringLiteral("Velmora  Kasenrei"), TitleFont(25, true),
               QColor(255, 236, 242), QColor(150, 80, 120, 160), 2.5);
  p.setPen(QPen(QColor(246, 190, 206, 200), 1));
  p.drawLine(QPointF(40, 36.5), QPointF(260, 36.5));
  Petal(p, 22, 20, 12, -30, tone::Sakura);
  Petal(p, 278, 20, 12, 30, tone::Sakura);
  return logo;
}

// Sky, hills, roofs and two trees in bloom; the title name and a pale panel behind the
// button column, but no buttons yet.
QImage TitleBackground() {
  QImage image = NewCanvas(640, 480, tone::Sky);
  QPainter p(&image);
  BeginSmooth(p);
  QLinearGradient sky(0, 0, 0, 480);
  sky.setColorAt(0, QColor(150, 198, 238));
  sky.setColorAt(0.6, QColor(232, 228, 246));
  sky.setColorAt(1, QColor(252, 226, 232));
  p.fillRect(image.rect(), sky);
  Cloud(p, 470, 70, 1.2, QColor(255, 255, 255, 210));
  Cloud(p, 120, 150, 0.8, QColor(255, 255, 255, 190));
  // Far hills and the roofs of the town.
  p.setPen(Qt::NoPen);
  QPainterPath hills;
  hills.moveTo(0, 380);
  hills.cubicTo(140, 320, 260, 350, 360, 340);
  hills.cubicTo(460, 330, 560, 300, 640, 350);
  hills.lineTo(640, 480);
  hills.lineTo(0, 480);
  p.setBrush(QColor(196, 214, 206));
  p.drawPath(hills);
  Scatter r(11);
  for (int x = -10; x < 650; x += 34) {
    const double h = r.Range(30, 60);
    const QColor wall = Mix(QColor(250, 240, 236), QColor(232, 220, 236), r.Next());
    const QColor roof = Mix(QColor(210, 140, 150), QColor(140, 150, 190), r.Next());
    House(p, QRectF(x, 480 - h, 30, h), wall, roof);
  }
  p.setBrush(QColor(170, 200, 160));
  p.drawRect(QRectF(0, 462, 640, 18));
  SakuraTree(p, 80, 470, 2.0, 21);
  SakuraTree(p, 585, 470, 1.5, 22);
  StrewPetals(p, QRectF(0, 0, 640, 480), 70, 23, 5, 11);
  // The title name.
  OutlinedText(p, QRectF(0, 28, 640, 80), QStringLiteral("Velmora"), TitleFont(66, true), tone::Plum,
               QColor(255, 255, 255), 7);
  OutlinedText(p, QRectF(0, 104, 640, 36), QStringLiteral("～ Kasenrei ～"), TitleFont(26, true),
               tone::SakuraDeep.darker(125), QColor(255, 255, 255), 5);
  p.setBrush(tone::SakuraDeep);
  p.setPen(QPen(QColor(255, 255, 255), 2));
  p.drawRoundedRect(QRectF(420, 136, 70, 26), 13, 13);
  CentredText(p, QRectF(420, 136, 70, 26), QStringLiteral("体験版"), GameFont(15, true), QColor(255, 255, 255));
  // A pale card behind the buttons, so they stand out from the sky.
  p.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
  p.setBrush(QColor(255, 250, 252, 150));
  p.drawRoundedRect(QRectF(262, 172, 116, 154), 14, 14);
  return image;
}

// One title button drawn over the background at its place, cut out as its own cell.
QImage TitleButtonCell(const QImage& background, int id, Look look) {
  const QRect at = TitleButtonRect(id);
  QImage cell = background.copy(at);
  QPainter p(&cell);
  BeginSmooth(p);
  ButtonFace(p, QRectF(1, 1, 78, 28), QString::fromUtf8(kTitleLabels[id - 1]), look, 13);
  return cell;
}

}  // namespace

void DrawOpeningPictures(Art& art) {
  art["plain_backdrop"] = PlainBackdrop();
  art["opening_logo"] = OpeningLogo(art["plain_backdrop"]);
}

void DrawTitlePictures(Art& art) {
  const QImage background = TitleBackground();
  // The title picture shows new game and exit itself; continue and album stay plain,
  // the game draws them from the sheet when they are live.
  QImage title = background;
  {
    QPainter p(&title);
    for (int id : {1, 4}) p.drawImage(TitleButtonRect(id).topLeft(), TitleButtonCell(background, id, Look::Normal));
  }
  art["title_backdrop"] = title;

  QImage sheet = NewCanvas(240, 120, tone::Cream);
  QPainter p(&sheet);
  const Look looks[3] = {Look::Normal, Look::Pressed, Look::Hover};
  for (int state = 0; state < 3; ++state)
    for (int id = 1; id <= 4; ++id) p.drawImage(80 * state, 30 * (id - 1), TitleButtonCell(background, id, looks[state]));
  art["title_buttons"] = sheet;
}

}  // namespace velmora::demo
