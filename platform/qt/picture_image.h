#pragma once
// Copies our pictures onto the window surface, a QImage that holds exactly what the
// client area shows, one pixel per game pixel.

#include <QImage>

#include "gfx/picture.h"

namespace velmora {

// Draws Picture whole and opaque onto Image (Format_RGB32) with its top-left corner at
// (x, y), clipped to the image. Returns the part of the image that changed.
Rect DrawPictureOnImage(QImage& image, int x, int y, const Picture& picture);

// Makes Image (Format_RGB32) show Picture with its top-left corner at (0, 0) and black
// wherever the picture does not reach (all black for none), writing only the pixels that
// differ. Returns the smallest rectangle holding every changed pixel, so the window
// repaints only that: a pointer move over a page that does not change costs no paint.
Rect UpdateImageFromPicture(QImage& image, const Picture* picture);

}  // namespace velmora
