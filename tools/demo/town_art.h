#pragma once
// What the town map and its sprite sheet share: each place's sign colour and label
// lines, the building drawn at its map rectangle, and the status panel frame.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QStringList>

#include "gfx/geometry.h"

namespace velmora::demo {

struct PlaceLook {
  QColor Sign;        // colour of the place's label plaque
  QStringList Lines;  // the label's text, one or two short lines
};

// The look of place 1..16.
PlaceLook LookOf(int place);
// A Rect of the game's tables as a Qt rectangle.
QRect ToQRect(const Rect& r);
// A place's label at its MapRect's size: a plaque with the name on the key colour. The
// plaque fills the MapRect, or for the two irregular districts (12 and 13) the outline
// their map hotspots trace.
QImage LabelImage(int place);
// The building (or park, or district) of a place drawn at its MapRect.
void PlaceBuilding(QPainter& painter, int place);
// The frame right of the map: captions and dark fields for the status values, the
// preview box and a little decoration.
void StatusPanelFrame(QPainter& painter);

}  // namespace velmora::demo
