// Auto-read's pause on the opening's pages: the formula on each page the feed tells, and
// a player who turns each page only when its pause has passed on the headless clock.
#include <gtest/gtest.h>

#include "app/live_targets.h"
#include "app/reading_pace.h"
#include "playthrough/play_test.h"

namespace velmora::playthrough {
namespace {

TEST(ReadingPace, ThePauseGrowsWithThePageAndFollowsTheSpeed) {
  Player player;
  std::vector<ReadUnit> pages;
  player.form().Feed.OnUnit([&](const ReadUnit& unit) { pages.push_back(unit); });
  player.StartNewGame();
  // Turned when each page's pause has run out on the virtual clock, as auto-read does.
  for (int turned = 0; turned < 4; ++turned) {
    ASSERT_TRUE(PageButtonTarget(player.form()));
    const uint32_t shown = player.host().Now();
    player.host().RunFor(AutoReadDelayMs(player.form().Feed.Current(), kDefaultPageSeconds));
    EXPECT_GE(player.host().Now() - shown, 1500u);
    player.PressPageKey();
  }
  ASSERT_GE(pages.size(), 4u);
  EXPECT_EQ(UnitCharacters(pages[0]), 36);  // two lines of the opening, 15 and 21 characters
  EXPECT_EQ(AutoReadDelayMs(&pages[0], 15.0), 3660u);
  EXPECT_EQ(AutoReadDelayMs(nullptr, 15.0), 1500u);  // a screen without text
  EXPECT_EQ(AutoReadDelayMs(&pages[0], 99.0), 3660u);  // nonsense gives the default
  EXPECT_EQ(SlowerPageSeconds(kSlowestPageSeconds), kSlowestPageSeconds);
  EXPECT_EQ(FasterPageSeconds(kFastestPageSeconds), kFastestPageSeconds);
  EXPECT_EQ(FasterPageSeconds(15.0), 12.5);
}

}  // namespace
}  // namespace velmora::playthrough
