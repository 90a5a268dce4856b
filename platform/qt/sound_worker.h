#pragma once
// The sound thread's side of the sound player: plays each effect through the one output
// stream, cutting off the effect before it, and closes the connection to the sound
// server when all has been quiet for a moment.

#include <QObject>
#include <QString>

#include "platform/qt/sound_output.h"

class QTimer;

namespace velmora {

// How a request to play went.
enum class SoundOutcome { Started, NoDevice, Unreadable };

class SoundWorker : public QObject {
  Q_OBJECT

 public:
  SoundWorker();
  ~SoundWorker() override;

  // Cuts off the effect playing and starts the file at Path.
  void Play(const QString& path);
  // Closes the connection (before the thread ends).
  void Stop();

 signals:
  // Told once per request.
  void Finished(const QString& path, velmora::SoundOutcome outcome);

 private:
  SoundOutput output_;
  QTimer* quiet_;  // a child, so it moves to the sound thread with the worker
};

}  // namespace velmora
