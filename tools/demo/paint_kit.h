#pragma once
// The demo artist's toolkit: canvases, the spring palette every screen shares, text in
// the game's face, gradients, petals, and the conversion of a finished canvas into the
// game's Picture (24-bit pictures and 8-bit grey masks).

#include <cstdint>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "gfx/picture.h"

namespace velmora::demo {

// The shared palette: soft spring colours, a dark plum for text and frames.
namespace tone {
inline const QColor Sky{170, 212, 240};
inline const QColor SkyHaze{236, 228, 244};
inline const QColor Sakura{246, 190, 206};
inline const QColor SakuraDeep{226, 132, 160};
inline const QColor Leaf{150, 200, 140};
inline const QColor LeafDeep{96, 156, 108};
inline const QColor Cream{252, 246, 234};
inline const QColor Paper{246, 236, 222};
inline const QColor Plum{74, 52, 86};
inline const QColor PlumSoft{120, 96, 138};
inline const QColor Night{40, 36, 78};
inline const QColor Butter{250, 224, 150};
inline const QColor Road{226, 220, 206};
inline const QColor Water{150, 196, 226};
inline const QColor Wood{176, 128, 96};
// The colour every sprite cut-out keys out: used on no label, card or button.
inline const QColor Key{255, 0, 255};
}  // namespace tone

// A 24-bit-ready canvas filled with one colour.
QImage NewCanvas(int width, int height, QColor fill);
// A transparent canvas for figures that are cut out later (portraits, sprites).
QImage NewLayer(int width, int height);
// A painter on Image with antialiasing for shapes and text.
void BeginSmooth(QPainter& painter);

// The game's Japanese face ("ＭＳゴシック") at a pixel size.
QFont GameFont(int pixelSize, bool bold = false);
// A serif Latin face for titles. Draw it only through OutlinedText: once the face has
// drawn plain text at one size, Qt hands out slightly different glyph outlines at other
// sizes, and the pictures would differ from one run to the next.
QFont TitleFont(int pixelSize, bool italic = false);
// Text centred in Box.
void CentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font, QColor color);
// Centred text with a soft outline (none for Width 0), readable on any background.
void OutlinedText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font, QColor fill,
                  QColor outline, double width);

// Fills Box with a top-to-bottom gradient.
void VerticalGradient(QPainter& painter, const QRectF& box, QColor top, QColor bottom);
// Mixes A and B, T = 0 gives A.
QColor Mix(QColor a, QColor b, double t);

// Deterministic pseudo-random numbers, so the demo pictures are the same every build.
class Scatter {
 public:
  explicit Scatter(uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
  // Uniform in [0, 1).
  double Next();
  // Uniform in [lo, hi).
  double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }

 private:
  uint32_t state_;
};

// One sakura petal (a notched teardrop) centred at (x, y).
void Petal(QPainter& painter, double x, double y, double size, double angleDegrees, QColor color);
// Count petals strewn over Area.
void StrewPetals(QPainter& painter, const QRectF& area, int count, uint32_t seed, double minSize, double maxSize);

// The three looks of an on-screen button.
enum class Look { Normal, Pressed, Hover };
// A rounded button face filling Box with its label. CrispEdge draws the outline without
// antialiasing, for sprites whose surroundings are keyed out (no blended fringe).
void ButtonFace(QPainter& painter, const QRectF& box, const QString& label, Look look, int fontPx,
                bool crispEdge = false);

// The canvas as a 24-bit picture.
Picture ToPicture(const QImage& image);
// A grey image (its red channel) as an 8-bit picture with a grey-ramp palette.
Picture ToMask(const QImage& grey);

}  // namespace velmora::demo
