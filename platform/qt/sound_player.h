#pragma once
// Plays the game's WAV effects asynchronously on a thread of their own, so an audio
// system that is slow, missing or broken never holds up the window: without a working
// device the game simply stays silent.

#include <QObject>
#include <QString>
#include <QThread>
#include <functional>

#include "platform/qt/sound_worker.h"

namespace velmora {

class SoundPlayer {
 public:
  SoundPlayer();
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Starts the file at Path; returns at once. A new effect cuts off the one playing.
  void Play(const QString& path);

  // Told in the window's thread how each request went (for tests and diagnostics).
  std::function<void(const QString&, SoundOutcome)> OnOutcome;

 private:
  QThread* thread_;  // left to the process's end if the audio system never returns
  SoundWorker* worker_;
  QObject receiver_;
};

}  // namespace velmora
