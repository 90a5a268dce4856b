// The four sound effects, synthesised: 1 a click, 2 a card dealt or turned, 3 a
// success jingle, 4 a failure. 16-bit mono PCM at 22050 Hz, each well under a second.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "app/game_error.h"
#include "tools/demo/demo_content.h"

namespace velmora {

namespace {

constexpr int kRate = 22050;

using Samples = std::vector<double>;  // -1..1

Samples Silence(double seconds) { return Samples(static_cast<size_t>(seconds * kRate), 0.0); }

// A soft bell-like note: a sine with a little of its octave, quick attack, gentle decay.
void AddNote(Samples& out, double start, double length, double freq, double level) {
  const size_t from = static_cast<size_t>(start * kRate);
  const size_t n = static_cast<size_t>(length * kRate);
  if (out.size() < from + n) out.resize(from + n, 0.0);
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double attack = std::min(1.0, t / 0.008);
    const double decay = std::exp(-3.2 * t / length);
    const double release = std::min(1.0, (length - t) / 0.02);
    const double wave = std::sin(2 * M_PI * freq * t) + 0.3 * std::sin(4 * M_PI * freq * t);
    out[from + i] += level * attack * decay * release * wave / 1.3;
  }
}

Samples Click() {
  Samples s = Silence(0.035);
  uint32_t noise = 12345;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    noise = noise * 1664525u + 1013904223u;
    const double hiss = (static_cast<double>(noise >> 8) / 8388608.0 - 1.0) * std::exp(-t / 0.002);
    s[i] = 0.6 * std::sin(2 * M_PI * 1900 * t) * std::exp(-t / 0.008) + 0.3 * hiss;
  }
  return s;
}

Samples CardSwish() {
  Samples s = Silence(0.16);
  uint32_t noise = 777;
  double low = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    noise = noise * 1664525u + 1013904223u;
    const double white = static_cast<double>(noise >> 8) / 8388608.0 - 1.0;
    low += (white - low) * (0.08 + 0.5 * t / 0.16);  // the swish brightens as it goes
    const double swell = std::sin(M_PI * std::min(1.0, t / 0.13));
    s[i] = 0.7 * low * swell;
    if (t > 0.125)  // the card landing
      s[i] += 0.35 * std::sin(2 * M_PI * 140 * (t - 0.125)) * std::exp(-(t - 0.125) / 0.012);
  }
  return s;
}

Samples Jingle() {
  Samples s;
  const double notes[4] = {523.25, 659.25, 783.99, 1046.5};  // C E G C
  for (int i = 0; i < 3; ++i) AddNote(s, 0.09 * i, 0.16, notes[i], 0.45);
  AddNote(s, 0.27, 0.38, notes[3], 0.5);
  AddNote(s, 0.27, 0.38, notes[1] * 2, 0.2);
  return s;
}

Samples Failure() {
  Samples s = Silence(0.46);
  const double freqs[2] = {392.0, 311.1};  // G, then a flat E
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const int note = t < 0.2 ? 0 : 1;
    const double nt = note == 0 ? t : t - 0.2;
    const double len = note == 0 ? 0.2 : 0.26;
    const double f = freqs[note] * (1 + 0.01 * std::sin(2 * M_PI * 6 * nt));
    const double phase = std::fmod(f * nt, 1.0);
    const double triangle = 4 * std::abs(phase - 0.5) - 1;
    const double env = std::min(1.0, nt / 0.01) * std::min(1.0, (len - nt) / 0.03) * std::exp(-1.5 * nt / len);
    s[i] = 0.5 * triangle * std::max(0.0, env);
  }
  return s;
}

std::vector<uint8_t> Wav(const Samples& samples) {
  std::vector<uint8_t> wav;
  auto put = [&](const char* tag) {
    for (int i = 0; i < 4; ++i) wav.push_back(static_cast<uint8_t>(tag[i]));
  };
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) wav.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  auto put16 = [&](uint16_t v) {
    wav.push_back(static_cast<uint8_t>(v));
    wav.push_back(static_cast<uint8_t>(v >> 8));
  };
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  put("RIFF");
  put32(36 + dataBytes);
  put("WAVE");
  put("fmt ");
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(kRate);
  put32(kRate * 2);
  put16(2);
  put16(16);
  put("data");
  put32(dataBytes);
  for (double v : samples) put16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32000))));
  return wav;
}

}  // namespace

std::vector<uint8_t> DemoSound(int id) {
  switch (id) {
    case 1:
      return Wav(Click());
    case 2:
      return Wav(CardSwish());
    case 3:
      return Wav(Jingle());
    case 4:
      return Wav(Failure());
    default:
      ThrowRangeError("効果音", id);
  }
}

}  // namespace velmora
