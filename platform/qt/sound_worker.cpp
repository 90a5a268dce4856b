#include "platform/qt/sound_worker.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QUrl>

namespace velmora {

SoundWorker::~SoundWorker() = default;

void SoundWorker::Play(const QString& path) {
  // A new effect cuts off the one still playing, as the original's single-sound call did.
  Stop();
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) {
    emit Finished(path, SoundOutcome::NoDevice);
    return;
  }
  if (!QFileInfo(path).isFile()) {
    emit Finished(path, SoundOutcome::Unreadable);
    return;
  }
  effect_ = std::make_unique<QSoundEffect>(device);
  QSoundEffect* effect = effect_.get();
  // The file is read asynchronously; the outcome is known when it has loaded or failed.
  connect(effect, &QSoundEffect::statusChanged, this, [this, effect, path] {
    if (effect_.get() != effect) return;
    if (effect->status() == QSoundEffect::Error) {
      emit Finished(path, SoundOutcome::Unreadable);
      // A broken file or device: drop it and stay silent.
      effect_.release()->deleteLater();
    } else if (effect->status() == QSoundEffect::Ready) {
      emit Finished(path, SoundOutcome::Started);
    }
  });
  effect->setSource(QUrl::fromLocalFile(path));
  effect->play();
}

void SoundWorker::Stop() {
  if (!effect_) return;
  effect_->stop();
  effect_.release()->deleteLater();
}

}  // namespace velmora
