#pragma once
// What the player chose for the window's look (zoom and fullscreen), remembered between
// runs in the standard per-user configuration place (~/.config/velmora/velmora.conf).
// Nothing of the game is kept here. A missing, damaged or nonsensical file gives the
// defaults; writing goes through a temporary file, so a failed write leaves the old one.

#include <QString>
#include <functional>

class QSettings;

namespace velmora {

struct DisplayChoice {
  int Zoom = 0;  // device pixels per game pixel; 0 follows the device pixel ratio
  bool Fullscreen = false;
  bool operator==(const DisplayChoice&) const = default;
};

class DisplaySettings {
 public:
  // The file in the per-user configuration folder.
  static QString DefaultPath();
  explicit DisplaySettings(QString path = DefaultPath());

  DisplayChoice Load() const;
  // Returns an empty string when written, else what went wrong in plain words.
  QString Save(const DisplayChoice& choice) const;
  const QString& Path() const { return path_; }

 private:
  QString path_;
};

// Writes the settings file at Path afresh with Change made to what it held (a damaged old
// file is dropped) and puts it in place in one step. An empty string when written, else
// what went wrong in plain words.
QString RewriteSettings(const QString& path, const std::function<void(QSettings&)>& change);

}  // namespace velmora
