#include "platform/qt/screenshot.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QSaveFile>
#include <QStandardPaths>

namespace velmora {

namespace {

constexpr int kMostTries = 1000;  // names taken in one second before giving up

QString NameFor(const QDateTime& when, int attempt) {
  QString name = QStringLiteral("velmora-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
  if (attempt > 1) name += QStringLiteral("-%1").arg(attempt);
  return name + QStringLiteral(".png");
}

}  // namespace

QString DefaultScreenshotFolder() {
  QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (pictures.isEmpty()) pictures = QDir::homePath();
  return QDir(pictures).filePath(QStringLiteral("Velmora"));
}

ScreenshotResult SaveScreenshot(const QImage& picture, const QString& folder, const QDateTime& when) {
  ScreenshotResult result;
  if (picture.isNull()) {
    result.Problem = QStringLiteral("there is no picture to save");
    return result;
  }
  if (!QDir().mkpath(folder)) {
    result.Problem = QStringLiteral("the folder %1 could not be made").arg(QDir::toNativeSeparators(folder));
    return result;
  }
  for (int attempt = 1; attempt <= kMostTries; ++attempt) {
    const QString path = QDir(folder).filePath(NameFor(when, attempt));
    // Claim the name first, so a shot taken in the same second never replaces this one.
    QFile claim(path);
    if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
      if (QFile::exists(path)) continue;
      result.Problem = QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path),
                                                                       claim.errorString());
      return result;
    }
    claim.close();
    // Then write it whole through a temporary file, or leave nothing behind.
    QSaveFile file(path);
    QImageWriter writer(&file, "png");
    if (!file.open(QIODevice::WriteOnly) || !writer.write(picture) || !file.commit()) {
      const QString why = writer.error() != QImageWriter::UnknownError ? writer.errorString() : file.errorString();
      file.cancelWriting();
      QFile::remove(path);
      result.Problem = QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), why);
      return result;
    }
    result.Saved = true;
    result.Path = path;
    return result;
  }
  result.Problem = QStringLiteral("too many screenshots in %1 for one second").arg(QDir::toNativeSeparators(folder));
  return result;
}

}  // namespace velmora
