#pragma once
// Screenshots: the window's 640x480 picture, pixel for pixel (never the zoomed view), as
// a PNG in the player's pictures folder, under a date-and-time name that never replaces
// an earlier shot.

#include <QDateTime>
#include <QImage>
#include <QString>

namespace velmora {

struct ScreenshotResult {
  bool Saved = false;
  QString Path;     // the file written, when saved
  QString Problem;  // in plain words, when not
};

// The folder screenshots go to: the pictures folder's Velmora folder.
QString DefaultScreenshotFolder();

// Writes Picture into Folder (made when missing) as velmora-YYYYMMDD-HHMMSS.png, with -2,
// -3 ... added when a file of that name is already there. A file is either written whole
// or not at all.
ScreenshotResult SaveScreenshot(const QImage& picture, const QString& folder, const QDateTime& when);

}  // namespace velmora
