#include "platform/qt/sound_worker.h"

#include <QTimer>

namespace velmora {

namespace {

// How long the connection stays open after the last effect has been played out: a
// quick next press finds it open and sounds sooner; an idle game soon has none.
constexpr int kKeepOpenMs = 1000;

}  // namespace

SoundWorker::SoundWorker() : quiet_(new QTimer(this)) {
  quiet_->setSingleShot(true);
  connect(quiet_, &QTimer::timeout, this, [this] { output_.Close(); });
}

SoundWorker::~SoundWorker() = default;

void SoundWorker::Play(const QString& path) {
  // A new effect cuts off the one still playing, as the original's single-sound call
  // did, also when the new one cannot be played.
  output_.Cut();
  const std::optional<WavSound> sound = ReadWav(path);
  if (!sound) {
    emit Finished(path, SoundOutcome::Unreadable);
    return;
  }
  if (!output_.Play(*sound)) {
    emit Finished(path, SoundOutcome::NoDevice);
    return;
  }
  quiet_->start(sound->DurationMs() + kKeepOpenMs);
  emit Finished(path, SoundOutcome::Started);
}

void SoundWorker::Stop() {
  quiet_->stop();
  output_.Close();
}

}  // namespace velmora
