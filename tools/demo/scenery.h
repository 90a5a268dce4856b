#pragma once
// Pieces of scenery the backgrounds, scenes and event pictures are built from: skies,
// clouds, trees in bloom, houses, windows, benches, lamps, stars.

#include <cstdint>

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace velmora::demo {

enum class SkyKind { Day, Evening, Night };

// A sky gradient filling Area, with a few clouds by day and stars at night.
void Sky(QPainter& painter, const QRectF& area, SkyKind kind, uint32_t seed);
// A soft cloud of overlapping puffs, (x, y) its centre.
void Cloud(QPainter& painter, double x, double y, double scale, QColor color);
// Stars and a few twinkles over Area.
void Stars(QPainter& painter, const QRectF& area, int count, uint32_t seed);
// A glowing crescent moon of radius R.
void Moon(QPainter& painter, double x, double y, double r);

// A cherry tree in bloom standing at (x, groundY); Scale 1 is about 200 pixels tall.
void SakuraTree(QPainter& painter, double x, double groundY, double scale, uint32_t seed);
// A round green tree standing at (x, groundY).
void GreenTree(QPainter& painter, double x, double groundY, double scale, QColor leaves);
// A low rounded shrub whose base is centred at (x, groundY).
void Shrub(QPainter& painter, double x, double groundY, double width, QColor leaves);

// A gabled house: Body is the wall, the roof sits on top of it.
void House(QPainter& painter, const QRectF& body, QColor wall, QColor roof);
// A framed window pane with a highlight; Lit windows glow warm.
void Pane(QPainter& painter, const QRectF& box, QColor glass, bool lit = false);
// A park bench seen from the front, its feet on groundY.
void Bench(QPainter& painter, double x, double groundY, double width);
// A street lamp, its foot at (x, groundY).
void StreetLamp(QPainter& painter, double x, double groundY, double height, bool lit);
// A picket fence along y = Top from Left to Right.
void Fence(QPainter& painter, double left, double right, double top, double height, QColor color);

}  // namespace velmora::demo
