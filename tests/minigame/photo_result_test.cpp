// What the next button does with each result: the event, the waits, the places, the
// points left, and where play goes on.

#include "photo_fixture.h"

namespace velmora::photo_test {
namespace {

TEST_F(PhotoGameTest, SuccessAfterTheOpeningFinishesEventElevenAndPlaysPan11) {
  Enter(200, 6, 0, 11);
  const uint8_t slot = state().TimeSlot;
  Turn(1, 1);
  Next();
  const GameState& s = state();
  EXPECT_EQ(s.EventState[11], 2);
  EXPECT_EQ(s.EventState[12], 1);
  EXPECT_EQ(s.TimeSlot, slot + 1);
  EXPECT_EQ(s.HeroineWait[0], 1);
  EXPECT_EQ(s.GameRetries, 0);
  EXPECT_EQ(s.ScriptPos, LineAfter("*pan_1_1"));
  EXPECT_EQ(s.ScreenMode, 6);
  EXPECT_EQ(s.ModeArg, 1);
  EXPECT_TRUE(form().G_Timer.Enabled());
  // Mode 6 does not restart the block: its first page is the result's.
  ASSERT_TRUE(host().RunUntilIdle());
  EXPECT_EQ(state().ScriptPos, LineAfter("*pan_1_1") + 1);
  EXPECT_TRUE(host().Messages().empty());
}

TEST_F(PhotoGameTest, FailureWithTenPointsLeftGoesBackToTown) {
  Enter(20, 6, 0, 11);
  ASSERT_EQ(state().Points, 10);
  Turn(1, 2);
  Next();
  const GameState& s = state();
  EXPECT_EQ(s.GameRetries, 0);
  EXPECT_EQ(s.HeroineWait[0], 1);
  EXPECT_EQ(s.ScriptPos, 0);  // no result scene
  EXPECT_EQ(s.EventState[11], 1);
  // The town's phase 3 sends a player this poor to the walk home.
  EXPECT_EQ(s.TownPhase, 5);
  EXPECT_EQ(s.ScreenMode, 4);
  EXPECT_TRUE(form().G_Timer.Enabled());
}

TEST_F(PhotoGameTest, FailureWithPointsLeftAllowsARetryThatCostsTenMore) {
  Enter(40, 6, 0, 11);
  Turn(1, 2);
  Next();
  EXPECT_EQ(state().GameRetries, 1);
  EXPECT_EQ(state().ScriptPos, LineAfter("*pan_2"));
  EXPECT_EQ(state().ScreenMode, 6);
  EXPECT_EQ(state().Points, 30);

  // The block's page, then its choice; the first option deals again.
  ASSERT_TRUE(host().RunUntilIdle());
  host().Click(460, 450);
  ASSERT_EQ(state().ScreenMode, 4);
  ASSERT_EQ(state().TownPhase, 4);
  ASSERT_EQ(state().ChoiceSet, 2);
  host().Click(100, 420);
  EXPECT_EQ(state().ScreenMode, 3);
  ASSERT_TRUE(host().RunUntilIdle());
  EXPECT_EQ(state().Points, 20);
  EXPECT_EQ(state().GameRetries, 0);
  EXPECT_EQ(state().GamePhase, 1);
  EXPECT_TRUE(host().Messages().empty());
}

TEST_F(PhotoGameTest, FailureWithAHeroineUsesTheSharedLabelAndMakesHerWait) {
  Enter(200, 10, 1, 1);
  Turn(1, 3);
  Next();
  EXPECT_EQ(state().HeroineWait[1], 1);
  EXPECT_EQ(state().GameRetries, 1);
  EXPECT_EQ(state().Partner, 1);
  EXPECT_EQ(state().ScriptPos, LineAfter("*pan_10_3"));
}

TEST_F(PhotoGameTest, ResultFiveClosesThePlace) {
  Enter(200, 7, 0, 12);
  Turn(2, 5);
  Next();
  EXPECT_EQ(state().PlaceOpen[7], 5);
  EXPECT_EQ(state().PlaceOpen[6], 1);
  EXPECT_EQ(state().GameRetries, 0);
  EXPECT_EQ(state().EventState[12], 0);
  EXPECT_EQ(state().ScriptPos, LineAfter("*pan_5"));
  EXPECT_EQ(state().ScreenMode, 6);
}

TEST_F(PhotoGameTest, ResultFourWithTheThirdHeroineSendsHerAwayForThreeDays) {
  Enter(200, 13, 3, 10);
  Turn(3, 4);
  Next();
  EXPECT_EQ(state().HeroineWait[3], 3);
  EXPECT_EQ(state().Partner, 0);
  EXPECT_EQ(state().GameRetries, 0);
  // The label was built while she was still the partner.
  EXPECT_EQ(state().ScriptPos, LineAfter("*pan_10_4"));
  EXPECT_EQ(state().ScreenMode, 6);
}

TEST_F(PhotoGameTest, APartnerOutsideTheHeroinesIsRefused) {
  Enter(200, 6, 0, 11);
  Turn(1, 4);
  state().Partner = 7;
  Next();
  ASSERT_EQ(host().Messages().size(), 1u);
  EXPECT_NE(host().Messages()[0].find("範囲外"), std::string::npos) << host().Messages()[0];
  EXPECT_EQ(state().ScreenMode, 3);
  EXPECT_EQ(state().ScriptPos, 0);
  EXPECT_FALSE(form().G_Timer.Enabled());
}

}  // namespace
}  // namespace velmora::photo_test
