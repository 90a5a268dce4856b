// Auto-read's pause: (characters + 25) / 250 of the page time, on the opening's first page.
#include <gtest/gtest.h>

#include "app/reading_pace.h"
#include "playthrough/play_test.h"

namespace velmora::playthrough {
namespace {

TEST(ReadingPace, ThePauseGrowsWithThePageAndFollowsTheSpeed) {
  Player player;
  player.StartNewGame();
  const ReadUnit* page = player.form().Feed.Current();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(UnitCharacters(*page), 36);  // two lines, 15 and 21 characters
  EXPECT_EQ(AutoReadDelayMs(page, 15.0), 3660u);
  EXPECT_EQ(AutoReadDelayMs(page, 2.5), 610u);
  EXPECT_EQ(AutoReadDelayMs(nullptr, 15.0), 1500u);  // a screen without text
  EXPECT_EQ(AutoReadDelayMs(page, 99.0), 3660u);     // nonsense gives the default
  EXPECT_EQ(SlowerPageSeconds(kSlowestPageSeconds), kSlowestPageSeconds);
  EXPECT_EQ(FasterPageSeconds(kFastestPageSeconds), kFastestPageSeconds);
  EXPECT_EQ(FasterPageSeconds(15.0), 12.5);
}

}  // namespace
}  // namespace velmora::playthrough
