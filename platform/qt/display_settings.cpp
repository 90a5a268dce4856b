#include "platform/qt/display_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>

#include "platform/qt/command_line.h"

namespace velmora {

namespace {

const QString kZoomKey = QStringLiteral("display/zoom");
const QString kFullscreenKey = QStringLiteral("display/fullscreen");

}  // namespace

QString DisplaySettings::DefaultPath() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
      .filePath(QStringLiteral("velmora/velmora.conf"));
}

DisplaySettings::DisplaySettings(QString path) : path_(std::move(path)) {}

DisplayChoice DisplaySettings::Load() const {
  DisplayChoice choice;
  if (!QFileInfo(path_).isFile()) return choice;
  const QSettings settings(path_, QSettings::IniFormat);
  if (settings.status() != QSettings::NoError) return choice;
  bool ok = false;
  const int zoom = settings.value(kZoomKey, 0).toInt(&ok);
  if (ok && zoom >= 0 && zoom <= kMostScale) choice.Zoom = zoom;
  const QString fullscreen = settings.value(kFullscreenKey).toString();
  choice.Fullscreen = fullscreen == u"true";
  return choice;
}

QString DisplaySettings::Save(const DisplayChoice& choice) const {
  return RewriteSettings(path_, [&choice](QSettings& settings) {
    settings.setValue(kZoomKey, choice.Zoom);
    settings.setValue(kFullscreenKey, choice.Fullscreen);
  });
}

QString RewriteSettings(const QString& path, const std::function<void(QSettings&)>& change) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath()))
    return QStringLiteral("the folder of %1 could not be made").arg(QDir::toNativeSeparators(path));
  // Written afresh beside the old file and put in its place in one step: a failed write
  // leaves the old file as it was, and a damaged old file is not read again. What other
  // rooms keep in a sound old file is carried over.
  const QString fresh = path + QStringLiteral(".new");
  QFile::remove(fresh);
  {
    QSettings settings(fresh, QSettings::IniFormat);
    if (QFileInfo(path).isFile()) {
      const QSettings old(path, QSettings::IniFormat);
      if (old.status() == QSettings::NoError)
        for (const QString& key : old.allKeys()) settings.setValue(key, old.value(key));
    }
    change(settings);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
      QFile::remove(fresh);
      return QStringLiteral("%1 could not be written").arg(QDir::toNativeSeparators(path));
    }
  }
  if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(path).constData()) != 0) {
    QFile::remove(fresh);
    return QStringLiteral("%1 could not be replaced").arg(QDir::toNativeSeparators(path));
  }
  return {};
}

}  // namespace velmora
