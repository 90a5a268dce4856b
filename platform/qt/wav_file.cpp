#include "platform/qt/wav_file.h"

#include <QFile>
#include <algorithm>
#include <string_view>

namespace velmora {

namespace {

uint32_t Little(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
  return v;
}

bool TagIs(const std::vector<uint8_t>& b, size_t at, std::string_view tag) {
  return at + 4 <= b.size() && std::equal(tag.begin(), tag.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
}

// The encoding named by a format tag and its bits per sample.
std::optional<WavSound::Encoding> EncodingOf(uint32_t tag, uint32_t bits) {
  using E = WavSound::Encoding;
  switch (tag) {
    case 1:  // PCM
      if (bits == 8) return E::Unsigned8;
      if (bits == 16) return E::Signed16;
      if (bits == 24) return E::Signed24;
      if (bits == 32) return E::Signed32;
      return std::nullopt;
    case 3:  // IEEE float
      return bits == 32 ? std::optional(E::Float32) : std::nullopt;
    case 6:
      return bits == 8 ? std::optional(E::ALaw) : std::nullopt;
    case 7:
      return bits == 8 ? std::optional(E::MuLaw) : std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace

int WavSound::FrameBytes() const {
  switch (Format) {
    case Encoding::Signed16:
      return 2 * Channels;
    case Encoding::Signed24:
      return 3 * Channels;
    case Encoding::Signed32:
    case Encoding::Float32:
      return 4 * Channels;
    default:
      return Channels;
  }
}

int WavSound::DurationMs() const {
  return static_cast<int>(static_cast<int64_t>(Samples.size()) * 1000 / (static_cast<int64_t>(FrameBytes()) * Rate));
}

std::optional<WavSound> ParseWav(const std::vector<uint8_t>& b) {
  if (!TagIs(b, 0, "RIFF") || !TagIs(b, 8, "WAVE")) return std::nullopt;
  std::optional<WavSound> sound;
  for (size_t at = 12; at + 8 <= b.size();) {
    const size_t size = Little(b, at + 4, 4);
    const size_t body = at + 8;
    // A data chunk cut short (a file written in part) plays what is there.
    const size_t have = std::min(size, b.size() - body);
    if (TagIs(b, at, "fmt ") && have >= 16) {
      uint32_t tag = Little(b, body, 2);
      const uint32_t bits = Little(b, body + 14, 2);
      // The extensible header names the real format in the first bytes of its GUID.
      if (tag == 0xFFFE && have >= 40) tag = Little(b, body + 24, 2);
      const std::optional<WavSound::Encoding> encoding = EncodingOf(tag, bits);
      const uint32_t channels = Little(b, body + 2, 2);
      const uint32_t rate = Little(b, body + 4, 4);
      // The sound server's own limits: 32 channels, 384 kHz.
      if (!encoding || channels < 1 || channels > 32 || rate < 1 || rate > 384000) return std::nullopt;
      sound = WavSound{*encoding, static_cast<int>(channels), static_cast<int>(rate), {}};
    } else if (TagIs(b, at, "data") && sound) {
      const size_t whole = have - have % static_cast<size_t>(sound->FrameBytes());
      sound->Samples.assign(b.begin() + static_cast<std::ptrdiff_t>(body),
                            b.begin() + static_cast<std::ptrdiff_t>(body + whole));
      return sound;
    }
    if (size > b.size()) break;
    at = body + size + size % 2;
  }
  return std::nullopt;
}

std::optional<WavSound> ReadWav(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  return ParseWav(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace velmora
