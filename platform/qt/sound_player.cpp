#include "platform/qt/sound_player.h"

#include <QMetaObject>

namespace velmora {

namespace {

// How long closing waits for an audio system that does not answer; after that the
// thread is left to the process's end rather than hang the window's close.
constexpr unsigned long kShutdownWaitMs = 2000;

}  // namespace

SoundPlayer::SoundPlayer() : thread_(new QThread), worker_(new SoundWorker) {
  thread_->setObjectName("velmora-sound");
  worker_->moveToThread(thread_);
  QObject::connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
  QObject::connect(worker_, &SoundWorker::Finished, &receiver_,
                   [this](const QString& path, SoundOutcome outcome) {
                     if (OnOutcome) OnOutcome(path, outcome);
                   });
  thread_->start();
}

SoundPlayer::~SoundPlayer() {
  QObject::disconnect(worker_, nullptr, &receiver_, nullptr);
  SoundWorker* worker = worker_;
  QMetaObject::invokeMethod(worker, [worker] { worker->Stop(); });
  thread_->quit();
  // A running QThread must not be destroyed: if the audio system is stuck inside a
  // call, the thread is left to the process's end instead of hanging the close.
  if (thread_->wait(kShutdownWaitMs)) delete thread_;
}

void SoundPlayer::Play(const QString& path) {
  SoundWorker* worker = worker_;
  QMetaObject::invokeMethod(worker, [worker, path] { worker->Play(path); });
}

}  // namespace velmora
