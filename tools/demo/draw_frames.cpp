// The page button sheet and the window picture the message window multiplies with.
#include <QPainterPath>

#include "tools/demo/demo_pictures.h"
#include "tools/demo/paint_kit.h"

namespace velmora::demo {

namespace {

// Four 70x20 cells: "次へ" normal and pressed, then "戻る" normal and pressed. Each cell
// is a sprite keyed by its top-left pixel, so the corners are the key colour and the
// face is drawn with a crisp edge (a blended fringe would show as a pink halo).
QImage PageButtonSheet() {
  QImage sheet = NewCanvas(70, 80, tone::Key);
  QPainter p(&sheet);
  BeginSmooth(p);
  const QString labels[2] = {QStringLiteral("次へ"), QStringLiteral("戻る")};
  for (int label = 0; label < 2; ++label)
    for (int pressed = 0; pressed < 2; ++pressed)
      ButtonFace(p, QRectF(0, 40 * label + 20 * pressed, 70, 20),
                 labels[label] + (label == 0 ? QStringLiteral(" ▶") : QStringLiteral(" ◀")),
                 pressed ? Look::Pressed : Look::Normal, 12, true);
  return sheet;
}

// One rounded panel of the window picture: a dark rim, a pale inner line and a
// lavender body that is lighter at the top. White outside the panel leaves the scene
// untouched, so the corners come out round on screen.
void WindowPanel(QPainter& p, const QRectF& box) {
  QPainterPath outer;
  outer.addRoundedRect(box, 7, 7);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(62, 52, 88));
  p.drawPath(outer);
  const QRectF body = box.adjusted(2, 2, -2, -2);
  QLinearGradient fill(body.topLeft(), body.bottomLeft());
  // Dark enough that white text and the grey of an unlit choice both read over a
  // bright scene, light enough that the scene still shows through.
  fill.setColorAt(0, QColor(124, 112, 164));
  fill.setColorAt(0.18, QColor(102, 92, 142));
  fill.setColorAt(1, QColor(84, 76, 122));
  p.setBrush(fill);
  p.drawRoundedRect(body, 5, 5);
  p.setPen(QPen(QColor(200, 190, 226), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(body.adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
}

// 590x80. The message window outside CG display uses the left 490 columns, so the
// left panel ends exactly there; the right 98 columns are a second, smaller panel
// that holds the page button while a CG is up.
QImage WindowPicture() {
  QImage image = NewCanvas(590, 80, QColor(255, 255, 255));
  QPainter p(&image);
  BeginSmooth(p);
  WindowPanel(p, QRectF(0, 0, 490, 80));
  WindowPanel(p, QRectF(492, 0, 98, 80));
  return image;
}

}  // namespace

void DrawFramePictures(Art& art) {
  art["page_button"] = PageButtonSheet();
  art["window_picture"] = WindowPicture();
}

}  // namespace velmora::demo
