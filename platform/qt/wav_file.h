#pragma once
// Reads a WAV file's sample format and its samples as they are stored, for the sound
// server to play without any conversion here: PCM of 8, 16, 24 or 32 bits, 32-bit float,
// A-law and mu-law, in the plain and the extensible header. Compressed kinds (ADPCM and
// the like) are refused.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace velmora {

struct WavSound {
  enum class Encoding { Unsigned8, Signed16, Signed24, Signed32, Float32, ALaw, MuLaw };
  Encoding Format = Encoding::Signed16;
  int Channels = 0;
  int Rate = 0;
  std::vector<uint8_t> Samples;  // little-endian, whole frames only

  int FrameBytes() const;
  int DurationMs() const;
};

// The sound in Bytes; none when they are not a WAV file of a kind above.
std::optional<WavSound> ParseWav(const std::vector<uint8_t>& bytes);
// The sound in the file at Path; none when it cannot be read or parsed.
std::optional<WavSound> ReadWav(const QString& path);

}  // namespace velmora
