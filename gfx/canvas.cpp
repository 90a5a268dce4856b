#include "gfx/canvas.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>

#include "gfx/sjis.h"

namespace velmora {

namespace {

QFont FontOf(const Canvas& canvas) {
  QFont font(QString::fromUtf8(canvas.FontFace));
  font.setPixelSize(PointsToPixels(canvas.FontSize));
  font.setStyleHint(QFont::Monospace);
  return font;
}

QColor ColorOf(uint32_t c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

}  // namespace

void TextOut(Picture& picture, const Canvas& canvas, int x, int y, std::string_view sjis) {
  if (picture.IsEmpty() || picture.Format() == PixelFormat::Indexed8 || sjis.empty()) return;
  QImage image(picture.Bits(), picture.Width(), picture.Height(), picture.Stride(),
               picture.Format() == PixelFormat::Bgr24 ? QImage::Format_BGR888 : QImage::Format_RGB32);
  const QString text = QString::fromUtf8(DecodeCp932(sjis));
  const QFont font = FontOf(canvas);
  const QFontMetrics metrics(font);
  QPainter painter(&image);
  painter.setFont(font);
  if (canvas.BrushSolid)
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), ColorOf(canvas.BrushColor));
  painter.setPen(ColorOf(canvas.FontColor));
  painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

int TextWidth(const Canvas& canvas, std::string_view sjis) {
  return QFontMetrics(FontOf(canvas)).horizontalAdvance(QString::fromUtf8(DecodeCp932(sjis)));
}

void InstallJapaneseFonts() {
  // Once per process is enough: the substitutions live in Qt's font database.
  if (!QFont::substitutes(QString::fromUtf8(kGameFontFace)).isEmpty()) return;
  // Gothic faces first, then any face that can write Japanese, so no glyph is a box.
  QStringList gothic = {"IPAGothic", "IPAゴシック", "Noto Sans Mono CJK JP", "VL Gothic", "TakaoGothic"};
  QStringList proportional = {"IPAPGothic", "IPAPゴシック", "Noto Sans CJK JP", "VL PGothic", "TakaoPGothic"};
  for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
    gothic << family;
    proportional << family;
  }
  QFont::insertSubstitutions(QString::fromUtf8(kGameFontFace), gothic);
  QFont::insertSubstitutions(QString::fromUtf8(kWindowFontFace), proportional);
}

bool JapaneseFontAvailable() { return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty(); }

}  // namespace velmora
