#pragma once
// The shape of a sound, to compare an effect's file with what the sink heard: where it is
// audible, and its loudness in short windows.

#include <cstddef>
#include <string>
#include <vector>

namespace velmora::testing {

struct MonoSound {
  int Rate = 0;
  std::vector<float> Samples;  // -1..1
};

// Reads a 16-bit PCM WAV file (mono or stereo, mixed to mono); false with a reason if not.
bool ReadPcmWav(const std::string& path, MonoSound& out, std::string& why);

// Audible means at least 1 % of full scale (-40 dBFS); the sink is digitally silent
// otherwise, so anything above it was played.
constexpr float kAudible = 0.01f;

struct AudibleSpan {
  static constexpr size_t kNone = static_cast<size_t>(-1);
  size_t First = kNone;
  size_t Last = kNone;
  bool Empty() const { return First == kNone; }
};
// The first and last audible samples from From on.
AudibleSpan FindAudible(const std::vector<float>& samples, size_t from = 0);

// The root-mean-square level of Count windows of WindowMs each, from sample Start on.
std::vector<double> LoudnessEnvelope(const std::vector<float>& samples, size_t start, int rate, size_t count,
                                     double windowMs);

}  // namespace velmora::testing
