#pragma once
// What the sink's monitor hears, recorded by parec as 16-bit mono at the sink's rate, with
// the moment each piece arrived, so every sample can be given the time it sounded.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velmora::testing {

using SteadyTime = std::chrono::steady_clock::time_point;

class SinkRecording {
 public:
  static constexpr int kRate = 48000;

  // Records the monitor of Sink on the server Server ("unix:...").
  SinkRecording(const std::string& server, const std::string& sink, const std::string& logPath);
  ~SinkRecording();
  SinkRecording(const SinkRecording&) = delete;
  SinkRecording& operator=(const SinkRecording&) = delete;

  // Waits until the recorder delivers sound (the monitor runs even in silence).
  bool WaitUntilRunning();
  // The number of samples recorded so far: none of them can come from a call made now.
  size_t Count() const;
  // Waits until the recording reaches past Ms milliseconds after Since.
  void WaitUntilPast(SteadyTime since, int ms) const;
  std::vector<float> Samples() const;
  // The moment sample N sounded: every piece that arrived after it bounds that moment
  // (its arrival less the samples between), and the tightest bound is taken, so a piece
  // read late does not matter. The sink hands its monitor a few milliseconds at a time,
  // ahead of their nominal time, so the figure is good to about that much.
  SteadyTime SoundedAt(size_t sample) const;

 private:
  struct Piece {
    size_t End;  // samples recorded up to and with this piece
    SteadyTime Arrival;
  };
  void Read(int fd);

  pid_t pid_ = -1;
  std::thread reader_;
  mutable std::mutex mutex_;
  std::vector<int16_t> samples_;
  std::vector<Piece> pieces_;
};

}  // namespace velmora::testing
