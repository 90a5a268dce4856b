// The four synthesised sound effects: short 16-bit mono PCM files that actually sound.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "app/game_error.h"
#include "tools/demo/demo_content.h"

namespace velmora {
namespace {

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

TEST(DemoSound, FourShortPcmEffectsThatAreNotSilent) {
  std::vector<double> seconds;
  for (int id = 1; id <= 4; ++id) {
    SCOPED_TRACE(id);
    const std::vector<uint8_t> wav = DemoSound(id);
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
    EXPECT_EQ(Le32(wav, 4), wav.size() - 8);
    EXPECT_EQ(std::memcmp(wav.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(Le16(wav, 20), 1);   // PCM
    EXPECT_EQ(Le16(wav, 22), 1);   // mono
    EXPECT_EQ(Le16(wav, 34), 16);  // bits
    const uint32_t rate = Le32(wav, 24);
    EXPECT_EQ(Le32(wav, 28), rate * 2);
    EXPECT_EQ(std::memcmp(wav.data() + 36, "data", 4), 0);
    const uint32_t bytes = Le32(wav, 40);
    ASSERT_EQ(bytes + 44, wav.size());
    seconds.push_back(static_cast<double>(bytes) / 2 / rate);
    EXPECT_GT(seconds.back(), 0.02);
    EXPECT_LT(seconds.back(), 1.0);
    int peak = 0;
    for (size_t i = 44; i + 1 < wav.size(); i += 2) peak = std::max(peak, std::abs(static_cast<int16_t>(Le16(wav, i))));
    EXPECT_GT(peak, 8000);
  }
  // The click is the shortest; the jingle is longer than the card sound.
  EXPECT_LT(seconds[0], seconds[1]);
  EXPECT_GT(seconds[2], seconds[1]);
  EXPECT_THROW(DemoSound(0), GameError);
  EXPECT_THROW(DemoSound(5), GameError);
}

}  // namespace
}  // namespace velmora
