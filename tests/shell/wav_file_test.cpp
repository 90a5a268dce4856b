#include "platform/qt/wav_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/demo/demo_content.h"

namespace velmora {
namespace {

// A WAV file with a format chunk of Tag, Channels, Rate and Bits (and, for the
// extensible header, SubTag), and Data declared as DataSize bytes.
std::vector<uint8_t> Wav(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const std::vector<uint8_t>& data,
                         uint32_t dataSize, uint16_t subTag = 0) {
  std::vector<uint8_t> out;
  auto put = [&](const std::string& s) {
    for (char c : s) out.push_back(static_cast<uint8_t>(c));
  };
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  auto put16 = [&](uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  };
  const uint32_t fmtSize = tag == 0xFFFE ? 40 : 16;
  put("RIFF");
  put32(4 + 8 + fmtSize + 8 + dataSize);
  put("WAVE");
  put("LIST");  // a chunk the reader steps over
  put32(2);
  put16(0);
  put("fmt ");
  put32(fmtSize);
  put16(tag);
  put16(channels);
  put32(rate);
  put32(rate * channels * bits / 8);
  put16(static_cast<uint16_t>(channels * bits / 8));
  put16(bits);
  if (tag == 0xFFFE) {
    put16(22);
    put16(bits);
    put32(0);
    put16(subTag);
    out.insert(out.end(), 14, 0);
  }
  put("data");
  put32(dataSize);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

TEST(WavFile, ReadsTheKindsTheSoundServerPlaysAsTheyAreStored) {
  const std::optional<WavSound> demo = ParseWav(DemoSound(3));
  ASSERT_TRUE(demo);
  EXPECT_EQ(demo->Format, WavSound::Encoding::Signed16);
  EXPECT_EQ(demo->Channels, 1);
  EXPECT_EQ(demo->Rate, 22050);
  EXPECT_EQ(demo->Samples.size(), DemoSound(3).size() - 44);
  EXPECT_EQ(demo->DurationMs(), static_cast<int>(demo->Samples.size() / 2 * 1000 / 22050));

  const std::vector<uint8_t> eight(8, 0x80);
  const std::optional<WavSound> stereo24 = ParseWav(Wav(1, 2, 48000, 24, std::vector<uint8_t>(12, 1), 12));
  ASSERT_TRUE(stereo24);
  EXPECT_EQ(stereo24->Format, WavSound::Encoding::Signed24);
  EXPECT_EQ(stereo24->FrameBytes(), 6);
  const std::optional<WavSound> floats = ParseWav(Wav(0xFFFE, 1, 44100, 32, eight, 8, 3));
  ASSERT_TRUE(floats);
  EXPECT_EQ(floats->Format, WavSound::Encoding::Float32);
  EXPECT_EQ(ParseWav(Wav(7, 1, 8000, 8, eight, 8))->Format, WavSound::Encoding::MuLaw);
  EXPECT_EQ(ParseWav(Wav(1, 1, 8000, 8, eight, 8))->Format, WavSound::Encoding::Unsigned8);
}

TEST(WavFile, PlaysWholeFramesOfWhatIsThereAndRefusesWhatItCannotPlay) {
  // Cut short: the data chunk claims more than the file holds; half a frame is dropped.
  const std::optional<WavSound> cut = ParseWav(Wav(1, 2, 22050, 16, std::vector<uint8_t>(10, 7), 4000));
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->Samples, std::vector<uint8_t>(8, 7));

  EXPECT_FALSE(ParseWav({}));
  EXPECT_FALSE(ParseWav(std::vector<uint8_t>{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '}));
  EXPECT_FALSE(ParseWav(Wav(2, 1, 22050, 4, std::vector<uint8_t>(8), 8)));   // ADPCM
  EXPECT_FALSE(ParseWav(Wav(1, 1, 22050, 12, std::vector<uint8_t>(8), 8)));  // 12-bit
  EXPECT_FALSE(ParseWav(Wav(1, 0, 22050, 16, std::vector<uint8_t>(8), 8)));  // no channels
  EXPECT_FALSE(ParseWav(Wav(1, 1, 0, 16, std::vector<uint8_t>(8), 8)));      // no rate
  EXPECT_FALSE(ParseWav(Wav(0xFFFE, 1, 22050, 16, std::vector<uint8_t>(8), 8, 2)));
  // No format before the data.
  std::vector<uint8_t> noFormat = {'R', 'I', 'F', 'F', 12, 0, 0, 0, 'W', 'A', 'V', 'E', 'd', 'a', 't', 'a', 0, 0, 0, 0};
  EXPECT_FALSE(ParseWav(noFormat));
  EXPECT_FALSE(ReadWav("/nonexistent/velmora/01.wav"));
}

}  // namespace
}  // namespace velmora
