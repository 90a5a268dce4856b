#pragma once
// The stream the sound effects play through, on the desktop's PulseAudio server
// (PipeWire desktops serve the same protocol). Each effect is handed to the server whole,
// in its own sample format, into a stream that starts at once and never waits for a
// fill level: a sound shorter than any buffer still starts, every sound is heard to its
// last sample, and the server plays it at its own pace whatever this process is doing.
// The connection is driven only from the calls below, so between effects nothing here
// runs at all; the caller closes it after a quiet while, and a server that went away is
// noticed at the next effect and the connection made anew.

#include <cstdint>

#include "platform/qt/wav_file.h"

struct pa_mainloop;
struct pa_context;
struct pa_stream;

namespace velmora {

class SoundOutput {
 public:
  SoundOutput() = default;
  ~SoundOutput();
  SoundOutput(const SoundOutput&) = delete;
  SoundOutput& operator=(const SoundOutput&) = delete;

  // Cuts off whatever is still playing, at once (the server has been told on return).
  void Cut();
  // Plays Sound (after Cut): false, with everything closed, when no server answers.
  bool Play(const WavSound& sound);
  // Closes the connection (the server has played everything handed to it by then).
  void Close();

 private:
  bool Connect();
  bool OpenStream(const WavSound& sound);
  void CloseStream();
  // Sends what is queued and waits for the server's answers; closes a failed connection.
  void Send();
  // Runs the connection's events until Done holds or TimeoutMs pass; false on timeout.
  template <typename Done>
  bool Pump(Done done, int timeoutMs);

  pa_mainloop* mainloop_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  // The format the stream was opened with.
  WavSound::Encoding format_ = WavSound::Encoding::Signed16;
  int channels_ = 0;
  int rate_ = 0;
};

}  // namespace velmora
