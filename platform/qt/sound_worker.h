#pragma once
// The sound thread's side of the sound player: owns the one effect that plays.

#include <QObject>
#include <QSoundEffect>
#include <QString>
#include <memory>

namespace velmora {

// How a request to play went.
enum class SoundOutcome { Started, NoDevice, Unreadable };

class SoundWorker : public QObject {
  Q_OBJECT

 public:
  SoundWorker() = default;
  ~SoundWorker() override;

  // Cuts off the effect playing and starts the file at Path.
  void Play(const QString& path);
  // Stops and frees the effect (before the thread ends).
  void Stop();

 signals:
  // Told once per request.
  void Finished(const QString& path, velmora::SoundOutcome outcome);

 private:
  std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace velmora
