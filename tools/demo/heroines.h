#pragma once
// The three heroines as figures drawn in portrait coordinates (400x470, the portrait's
// own origin), with a set of expressions. The face features always stay inside the
// heroine's face frame (PortraitSets' face x/y and size), so a frame cut from the same
// drawing lines up with the portrait pixel for pixel.

#include <QColor>
#include <QPainter>
#include <QRect>

namespace velmora::demo {

// The faces in face-sheet order: frame 1 is Smile, frame 8 Wink.
enum class Expression { Smile, Happy, Surprised, Sad, Pout, Shy, Troubled, Wink };

// How a heroine wears her hair; it decides the outline behind her head.
enum class HairStyle { Long, Bob, Ponytail };

struct HeroineStyle {
  QRect Face;         // the face frame in portrait coordinates
  int Frames;         // frames on the face sheet
  HairStyle Hair;
  QColor HairColor;
  QColor EyeColor;
  QColor Cloth;       // main garment
  QColor Trim;        // collar, ribbon, drawstrings
  bool Glasses;
  double BodyShift;   // how far the body sits right of the face's centre
};

// The look of heroine 1..3.
HeroineStyle StyleOf(int heroine);
// The whole figure with the given expression, on a transparent background.
void DrawHeroine(QPainter& painter, int heroine, Expression expression);
// The figure without its eyes, brows, mouth and cheeks.
void DrawHeroineWithoutFeatures(QPainter& painter, int heroine);
// Eyes, brows, mouth and cheeks for the expression, inside Style.Face.
void DrawFaceFeatures(QPainter& painter, const HeroineStyle& style, Expression expression);

}  // namespace velmora::demo
