// The heroines' portraits (400x470, 24-bit), their 8-bit masks and their face sheets.
// The game blends a portrait through its mask and then lays one face frame over it,
// opaque, at the face position; so the mask is solid over the whole face frame and
// every frame is cut from the same figure with another expression.
#include <algorithm>
#include <string>
#include <vector>

#include "tools/demo/demo_pictures.h"
#include "tools/demo/heroines.h"
#include "tools/demo/paint_kit.h"

namespace velmora::demo {

namespace {

constexpr int kPortraitW = 400, kPortraitH = 470;
// The portrait's bottom rows reach past the scene into the frame (the scene ends at
// y 470, the portrait at 480), so the figure fades out above that line.
constexpr int kFadeStart = 426, kFadeEnd = 460;

QImage FigureLayer(int heroine) {
  QImage layer = NewLayer(kPortraitW, kPortraitH);
  QPainter p(&layer);
  DrawHeroineWithoutFeatures(p, heroine);
  return layer;
}

// Draws an expression onto a piece of the opaque figure cut at Origin.
void PaintFeatures(QImage& target, int heroine, Expression expression, QPoint origin) {
  QPainter p(&target);
  p.translate(-origin);
  DrawFaceFeatures(p, StyleOf(heroine), expression);
}

// The figure's colours without the transparency: opaque everywhere, a pale lavender
// where there is no figure (the mask hides it).
QImage Opaque(const QImage& layer) {
  QImage out(layer.size(), QImage::Format_RGB32);
  for (int y = 0; y < layer.height(); ++y) {
    const QRgb* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
    QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < layer.width(); ++x)
      dst[x] = qAlpha(src[x]) == 0 ? qRgb(236, 230, 244) : (qUnpremultiply(src[x]) | 0xFF000000u);
  }
  return out;
}

// One pass of a box blur along rows (Horizontal) or columns.
std::vector<int> BoxBlur(const std::vector<int>& v, int w, int h, int radius, bool horizontal) {
  std::vector<int> out(v.size());
  const int n = horizontal ? w : h, lines = horizontal ? h : w;
  for (int line = 0; line < lines; ++line) {
    auto at = [&](int i) { return horizontal ? v[static_cast<size_t>(line * w + i)] : v[static_cast<size_t>(i * w + line)]; };
    int sum = 0;
    for (int i = -radius; i <= radius; ++i) sum += at(std::clamp(i, 0, n - 1));
    for (int i = 0; i < n; ++i) {
      const size_t o = horizontal ? static_cast<size_t>(line * w + i) : static_cast<size_t>(i * w + line);
      out[o] = sum / (2 * radius + 1);
      sum += at(std::min(i + radius + 1, n - 1)) - at(std::max(i - radius, 0));
    }
  }
  return out;
}

// The mask: the figure's coverage, softened inward at its edges (so no pixel outside
// the figure gets weight and no dark fringe appears), faded out at the bottom.
QImage MaskOf(const QImage& layer) {
  const int w = layer.width(), h = layer.height();
  std::vector<int> alpha(static_cast<size_t>(w * h));
  for (int y = 0; y < h; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
    for (int x = 0; x < w; ++x) alpha[static_cast<size_t>(y * w + x)] = qAlpha(row[x]);
  }
  const std::vector<int> soft = BoxBlur(BoxBlur(alpha, w, h, 2, true), w, h, 2, false);
  QImage mask(w, h, QImage::Format_Grayscale8);
  for (int y = 0; y < h; ++y) {
    const double fade = y < kFadeStart ? 1.0 : y >= kFadeEnd ? 0.0 : 1.0 - double(y - kFadeStart) / (kFadeEnd - kFadeStart);
    uchar* row = mask.scanLine(y);
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y * w + x);
      row[x] = static_cast<uchar>(std::min(alpha[i], soft[i]) * fade + 0.5);
    }
  }
  return mask;
}

QImage FaceSheet(int heroine, const QImage& figure) {
  const HeroineStyle style = StyleOf(heroine);
  const QRect face = style.Face;
  QImage sheet = NewCanvas(face.width() * style.Frames, face.height(), QColor(255, 255, 255));
  QPainter p(&sheet);
  for (int frame = 1; frame <= style.Frames; ++frame) {
    QImage cell = figure.copy(face);
    PaintFeatures(cell, heroine, static_cast<Expression>(frame - 1), face.topLeft());
    p.drawImage(face.width() * (frame - 1), 0, cell);
  }
  return sheet;
}

}  // namespace

void DrawPortraitPictures(Art& art) {
  for (int heroine = 1; heroine <= 3; ++heroine) {
    const QImage layer = FigureLayer(heroine);
    const QImage figure = Opaque(layer);
    const std::string n = std::to_string(heroine);
    const QImage faces = FaceSheet(heroine, figure);
    // The portrait wears the first face, taken from the sheet so the two match exactly.
    const QRect face = StyleOf(heroine).Face;
    QImage portrait = figure;
    QPainter(&portrait).drawImage(face.topLeft(), faces.copy(0, 0, face.width(), face.height()));
    art["portrait_" + n] = portrait;
    art["mask_" + n] = MaskOf(layer);
    art["faces_" + n] = faces;
  }
}

}  // namespace velmora::demo
