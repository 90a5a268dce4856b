#include "sink_recording.h"

#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "child_process.h"

namespace velmora::testing {

SinkRecording::SinkRecording(const std::string& server, const std::string& sink, const std::string& logPath) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return;
  ChildOptions options;
  // A short latency so that pieces arrive a few milliseconds after they sounded.
  options.Argv = {"parec", "--server=" + server, "--device=" + sink + ".monitor", "--raw", "--format=s16le",
                  "--channels=1", "--rate=" + std::to_string(kRate), "--latency-msec=5"};
  options.StdoutFd = pipeFds[1];
  options.LogPath = logPath;
  pid_ = StartChild(options);
  close(pipeFds[1]);
  reader_ = std::thread([this, fd = pipeFds[0]] { Read(fd); });
}

SinkRecording::~SinkRecording() {
  StopChild(pid_, SIGTERM);
  if (reader_.joinable()) reader_.join();
}

void SinkRecording::Read(int fd) {
  std::vector<int16_t> buffer(4096);
  char odd = 0;
  bool haveOdd = false;
  for (;;) {
    char* bytes = reinterpret_cast<char*>(buffer.data());
    size_t have = 0;
    if (haveOdd) bytes[have++] = odd;
    const ssize_t got = read(fd, bytes + have, buffer.size() * 2 - have);
    const SteadyTime arrival = std::chrono::steady_clock::now();
    if (got <= 0) break;
    have += static_cast<size_t>(got);
    haveOdd = have % 2 == 1;
    if (haveOdd) odd = bytes[have - 1];
    std::lock_guard lock(mutex_);
    samples_.insert(samples_.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(have / 2));
    pieces_.push_back({samples_.size(), arrival});
  }
  close(fd);
}

bool SinkRecording::WaitUntilRunning() {
  for (int i = 0; i < 500; ++i) {
    if (Count() > kRate / 20) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

size_t SinkRecording::Count() const {
  std::lock_guard lock(mutex_);
  return samples_.size();
}

void SinkRecording::WaitUntilPast(SteadyTime since, int ms) const {
  const SteadyTime until = since + std::chrono::milliseconds(ms);
  // The recorder may have stopped (its server gone): then waiting ends at a deadline.
  const SteadyTime deadline = until + std::chrono::seconds(5);
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (!pieces_.empty() && pieces_.back().Arrival >= until) return;
    }
    if (std::chrono::steady_clock::now() > deadline) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

std::vector<float> SinkRecording::Samples() const {
  std::lock_guard lock(mutex_);
  std::vector<float> out(samples_.size());
  std::transform(samples_.begin(), samples_.end(), out.begin(), [](int16_t s) { return s / 32768.0f; });
  return out;
}

SteadyTime SinkRecording::SoundedAt(size_t sample) const {
  std::lock_guard lock(mutex_);
  auto piece = std::upper_bound(pieces_.begin(), pieces_.end(), sample,
                                [](size_t n, const Piece& p) { return n < p.End; });
  SteadyTime best = SteadyTime::max();
  // The next second of pieces is plenty to find one read on time.
  for (int i = 0; piece != pieces_.end() && i < 400; ++piece, ++i) {
    const auto ahead = std::chrono::microseconds((piece->End - sample) * 1000000 / kRate);
    best = std::min(best, piece->Arrival - ahead);
  }
  return best;
}

}  // namespace velmora::testing
