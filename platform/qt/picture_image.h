#pragma once
// Copies our pictures onto the window surface, a QImage that holds exactly what the
// client area shows, one pixel per game pixel.

#include <QImage>

#include "gfx/picture.h"

namespace velmora {

// Draws Picture whole and opaque onto Image (Format_RGB32) with its top-left corner at
// (x, y), clipped to the image. Returns the part of the image that changed.
Rect DrawPictureOnImage(QImage& image, int x, int y, const Picture& picture);

}  // namespace velmora
