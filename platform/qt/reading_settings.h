#pragma once
// The auto-read page time the player chose with Minus and Plus, remembered in the same
// settings file as the window's look (DisplaySettings::DefaultPath()), under
// reading/page_seconds. The other keys of the file are kept as they are.

#include <QString>

#include "platform/qt/display_settings.h"

namespace velmora {

class ReadingSettings {
 public:
  explicit ReadingSettings(QString path = DisplaySettings::DefaultPath()) : path_(std::move(path)) {}
  // The page time in seconds; the default when none was kept or the value is nonsense.
  double LoadPageSeconds() const;
  // Returns an empty string when written, else what went wrong in plain words.
  QString SavePageSeconds(double seconds) const;

 private:
  QString path_;
};

}  // namespace velmora
