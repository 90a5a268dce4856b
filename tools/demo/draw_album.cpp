// The CG album: its page (a thumbnail of every CG in its slot cell, the back button),
// the sheet with the locked-slot cell and the two album buttons, and the thumbnail
// sheet with each slot's pressed and hover looks in the cells the game cuts them from.
#include <string>

#include "app/pointer_input.h"
#include "tools/demo/demo_pictures.h"
#include "tools/demo/paint_kit.h"

namespace velmora::demo {

namespace {

constexpr int kCell = 66;
const QRect kViewButton(207, 260, 80, 30);
const QRect kSecondButton(354, 260, 80, 30);

// The part of CG n that stands for it: its resting frame, cut square.
QImage Thumbnail(const Art& art, int n, int size) {
  const QImage& cg = ArtFor(art, "cg_" + std::to_string(n));
  const int restY = n == 2 ? 60 : n == 3 ? 430 : 0;
  const int h = std::min(cg.height(), 480);
  const QRect frame(0, restY, cg.width(), std::min(h, cg.height() - restY));
  const int side = std::min(frame.width(), frame.height());
  const QRect square(frame.center().x() - side / 2, frame.top() + (frame.height() - side) / 2, side, side);
  return cg.copy(square).scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QPoint SlotCell(int slot, int kind) {
  const Point at = PointerInput::AlbumSlotPos(static_cast<uint8_t>(slot), kind);
  return QPoint(at.X, at.Y);
}

// A thumbnail in its 66x66 cell: a white mount around the picture; pressed looks sunk
// and darker, hover looks framed in pink and a little brighter.
QImage SlotLook(const QImage& thumb, Look look) {
  QImage cell = NewCanvas(kCell, kCell, QColor(255, 255, 255));
  QPainter p(&cell);
  BeginSmooth(p);
  p.drawImage(3, 3, thumb);
  if (look == Look::Pressed) {
    p.fillRect(QRect(3, 3, 60, 60), QColor(60, 30, 60, 90));
    p.setPen(QPen(tone::SakuraDeep.darker(130), 3));
    p.drawRect(QRectF(1.5, 1.5, 63, 63));
    p.setPen(QPen(QColor(0, 0, 0, 80), 2));
    p.drawLine(QPointF(4, 4), QPointF(62, 4));
    p.drawLine(QPointF(4, 4), QPointF(4, 62));
  } else if (look == Look::Hover) {
    p.fillRect(QRect(3, 3, 60, 60), QColor(255, 255, 255, 50));
    p.setPen(QPen(tone::SakuraDeep, 3));
    p.drawRect(QRectF(1.5, 1.5, 63, 63));
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.drawRect(QRectF(3.5, 3.5, 59, 59));
  } else {
    p.setPen(QPen(tone::PlumSoft, 1));
    p.drawRect(QRectF(0.5, 0.5, 65, 65));
  }
  return cell;
}

QImage LockedCell() {
  QImage cell = NewCanvas(kCell, kCell, QColor(220, 212, 228));
  QPainter p(&cell);
  BeginSmooth(p);
  VerticalGradient(p, QRectF(0, 0, kCell, kCell), QColor(232, 226, 238), QColor(204, 194, 216));
  p.setPen(QPen(tone::PlumSoft, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, 65, 65));
  p.setPen(QPen(QColor(150, 136, 166), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(22, 14, 22, 24), 0, 180 * 16);  // the padlock's shackle
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 136, 166));
  p.drawRoundedRect(QRectF(17, 26, 32, 26), 4, 4);
  p.setBrush(QColor(232, 226, 238));
  p.drawEllipse(QPointF(33, 36), 3.5, 3.5);
  p.drawRect(QRectF(31.5, 37, 3, 9));
  return cell;
}

// The page without thumbnails: paper, the heading, the hint, a camera sketch.
QImage AlbumPaper() {
  QImage image = NewCanvas(640, 480, tone::Cream);
  QPainter p(&image);
  BeginSmooth(p);
  VerticalGradient(p, QRectF(0, 0, 640, 480), QColor(255, 248, 244), QColor(246, 228, 236));
  StrewPetals(p, QRectF(0, 0, 640, 480), 36, 301, 6, 12);
  p.setPen(QPen(QColor(226, 190, 206), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(8, 8, 624, 464), 14, 14);
  OutlinedText(p, QRectF(130, 12, 360, 40), QStringLiteral("アルバム"), GameFont(28, true), tone::Plum,
               QColor(255, 255, 255), 4);
  OutlinedText(p, QRectF(130, 50, 360, 16), QStringLiteral("CG ALBUM"), TitleFont(13, true), tone::SakuraDeep,
               QColor(255, 255, 255), 0);
  p.setPen(QPen(tone::Sakura, 2));
  p.drawLine(QPointF(150, 72), QPointF(470, 72));
  // Captions of the rows.
  CentredText(p, QRectF(24, 160, 198, 20), QStringLiteral("～ 出会いの日 ～"), GameFont(13, true), tone::PlumSoft);
  CentredText(p, QRectF(24, 440, 66, 20), QStringLiteral("終わりに"), GameFont(12, true), tone::PlumSoft);
  // A camera sketch and the hint on the right.
  p.save();
  p.translate(530, 170);
  p.setPen(QPen(tone::PlumSoft, 3));
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawRoundedRect(QRectF(-60, -38, 120, 80), 12, 12);
  p.drawRect(QRectF(-40, -52, 30, 14));
  p.drawEllipse(QPointF(0, 2), 26, 26);
  p.setBrush(tone::Sakura);
  p.drawEllipse(QPointF(0, 2), 14, 14);
  p.restore();
  CentredText(p, QRectF(450, 330, 170, 20), QStringLiteral("見たい絵を"), GameFont(14, true), tone::Plum);
  CentredText(p, QRectF(450, 352, 170, 20), QStringLiteral("選んでください"), GameFont(14, true), tone::Plum);
  CentredText(p, QRectF(450, 388, 170, 18), QStringLiteral("鍵の絵はまだ見ていません"), GameFont(11), tone::PlumSoft);
  return image;
}

}  // namespace

void DrawAlbumPictures(Art& art) {
  const QImage paper = AlbumPaper();
  QImage thumbs[9];
  for (int n = 1; n <= 8; ++n) thumbs[n] = Thumbnail(art, n, 60);

  QImage page = paper;
  {
    QPainter p(&page);
    BeginSmooth(p);
    for (int slot = 1; slot <= 8; ++slot) {
      const QPoint at = SlotCell(slot, 0);
      p.fillRect(QRect(at + QPoint(3, 3), QSize(kCell, kCell)), QColor(120, 80, 110, 50));  // a soft shadow
      p.drawImage(at, SlotLook(thumbs[slot], Look::Normal));
    }
    ButtonFace(p, QRectF(48, 20, 70, 20), QStringLiteral("戻る ◀"), Look::Normal, 12, true);
  }
  art["album_backdrop"] = page;

  QImage sheet = NewCanvas(226, 66, tone::Cream);
  {
    QPainter p(&sheet);
    BeginSmooth(p);
    p.drawImage(0, 0, LockedCell());
    for (int pressed = 0; pressed < 2; ++pressed) {
      const Look look = pressed ? Look::Pressed : Look::Normal;
      // Each button is cut with the page behind it, so it sits on the page seamlessly.
      QImage view = paper.copy(kViewButton), second = paper.copy(kSecondButton);
      QPainter v(&view), s(&second);
      BeginSmooth(v);
      BeginSmooth(s);
      ButtonFace(v, QRectF(1, 1, 78, 28), QStringLiteral("見る"), look, 14);
      ButtonFace(s, QRectF(1, 1, 78, 28), QStringLiteral("閉じる"), look, 14);
      v.end();
      s.end();
      p.drawImage(66, 30 * pressed, view);
      p.drawImage(146, 30 * pressed, second);
    }
  }
  art["album_sheet"] = sheet;

  QImage grid = NewCanvas(528, 660, tone::Cream);
  {
    QPainter p(&grid);
    for (int slot = 1; slot <= 8; ++slot) {
      p.drawImage(SlotCell(slot, 1), SlotLook(thumbs[slot], Look::Pressed));
      p.drawImage(SlotCell(slot, 2), SlotLook(thumbs[slot], Look::Hover));
    }
  }
  art["album_thumbnails"] = grid;
}

}  // namespace velmora::demo
