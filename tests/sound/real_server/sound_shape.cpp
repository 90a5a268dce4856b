#include "sound_shape.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace velmora::testing {

namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
  return v;
}

}  // namespace

bool ReadPcmWav(const std::string& path, MonoSound& out, std::string& why) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
    why = path + " is not a WAV file";
    return false;
  }
  int channels = 0;
  for (size_t at = 12; at + 8 <= b.size();) {
    const std::string tag(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at) + 4);
    const size_t size = Le(b, at + 4, 4);
    const size_t body = at + 8;
    if (body + size > b.size()) break;
    if (tag == "fmt " && size >= 16) {
      if (Le(b, body, 2) != 1 || Le(b, body + 14, 2) != 16) {
        why = path + " is not 16-bit PCM";
        return false;
      }
      channels = static_cast<int>(Le(b, body + 2, 2));
      out.Rate = static_cast<int>(Le(b, body + 4, 4));
    } else if (tag == "data" && channels > 0) {
      const size_t frames = size / (2 * static_cast<size_t>(channels));
      out.Samples.assign(frames, 0.0f);
      for (size_t f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
          out.Samples[f] += static_cast<int16_t>(Le(b, body + (f * static_cast<size_t>(channels) + static_cast<size_t>(c)) * 2, 2)) /
                            32768.0f / static_cast<float>(channels);
      return true;
    }
    at = body + size + size % 2;
  }
  why = path + " has no sound data";
  return false;
}

AudibleSpan FindAudible(const std::vector<float>& samples, size_t from) {
  AudibleSpan span;
  for (size_t i = from; i < samples.size(); ++i) {
    if (std::fabs(samples[i]) < kAudible) continue;
    if (span.Empty()) span.First = i;
    span.Last = i;
  }
  return span;
}

std::vector<double> LoudnessEnvelope(const std::vector<float>& samples, size_t start, int rate, size_t count,
                                     double windowMs) {
  std::vector<double> out;
  const double width = rate * windowMs / 1000.0;
  for (size_t w = 0; w < count; ++w) {
    const size_t from = start + static_cast<size_t>(std::lround(w * width));
    const size_t to = start + static_cast<size_t>(std::lround((w + 1) * width));
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += i < samples.size() ? double(samples[i]) * samples[i] : 0.0;
    out.push_back(std::sqrt(sum / std::max<size_t>(1, to - from)));
  }
  return out;
}

}  // namespace velmora::testing
