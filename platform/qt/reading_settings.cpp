#include "platform/qt/reading_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <cstdio>

#include "app/reading_pace.h"

namespace velmora {

namespace {

const QString kPageSecondsKey = QStringLiteral("reading/page_seconds");

}  // namespace

double ReadingSettings::LoadPageSeconds() const {
  if (!QFileInfo(path_).isFile()) return kDefaultPageSeconds;
  const QSettings settings(path_, QSettings::IniFormat);
  bool ok = false;
  const double seconds = settings.value(kPageSecondsKey).toDouble(&ok);
  return ok ? CheckedPageSeconds(seconds) : kDefaultPageSeconds;
}

QString ReadingSettings::SavePageSeconds(double seconds) const {
  if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
    return QStringLiteral("the folder of %1 could not be made").arg(QDir::toNativeSeparators(path_));
  // As the display settings are written: afresh beside the old file, then put in its place.
  const QString fresh = path_ + QStringLiteral(".new");
  QFile::remove(fresh);
  {
    QSettings settings(fresh, QSettings::IniFormat);
    if (QFileInfo(path_).isFile()) {
      const QSettings old(path_, QSettings::IniFormat);
      for (const QString& key : old.allKeys()) settings.setValue(key, old.value(key));
    }
    settings.setValue(kPageSecondsKey, seconds);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
      QFile::remove(fresh);
      return QStringLiteral("%1 could not be written").arg(QDir::toNativeSeparators(path_));
    }
  }
  if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(path_).constData()) != 0) {
    QFile::remove(fresh);
    return QStringLiteral("%1 could not be replaced").arg(QDir::toNativeSeparators(path_));
  }
  return {};
}

}  // namespace velmora
