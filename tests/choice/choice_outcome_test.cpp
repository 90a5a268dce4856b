// Where a pick sends play: on in the block, out of the event, or to another block.

#include "choice_fixture.h"

namespace velmora::choice_test {
namespace {

enum class Went { Jump, Leave, GoOn, Replay };

struct Pick {
  int32_t set, id;
  uint8_t partner, event;
  int32_t retries;
  Went went;
  uint8_t eventAfter;
};

TEST_F(ChoiceTest, EveryPickHasExactlyOneOutcome) {
  const Pick picks[] = {
      // Set 2, option 1: go on without a heroine, and with the third one in events 11 and 13.
      {2, 11, 0, 11, 0, Went::GoOn, 11},
      {2, 11, 0, 11, 1, Went::Replay, 11},
      {2, 11, 3, 11, 0, Went::GoOn, 11},
      {2, 11, 3, 13, 1, Went::Replay, 13},
      {2, 11, 1, 1, 0, Went::Jump, 2},
      {2, 11, 2, 9, 1, Went::Jump, 10},
      {2, 11, 3, 10, 0, Went::Jump, 11},
      {2, 11, 3, 12, 0, Went::Jump, 13},
      // Set 2, option 2: leave, except with the third heroine outside events 11 and 13.
      {2, 12, 0, 11, 0, Went::Leave, 11},
      {2, 12, 1, 1, 0, Went::Leave, 1},
      {2, 12, 3, 11, 0, Went::Leave, 11},
      {2, 12, 3, 13, 0, Went::Leave, 13},
      {2, 12, 3, 10, 0, Went::Jump, 12},
      // Sets 3 and 6 always jump by the option's number, in byte arithmetic.
      {3, 11, 0, 11, 0, Went::Jump, 12},
      {3, 13, 1, 1, 0, Went::Jump, 4},
      {3, 18, 1, 1, 0, Went::Jump, 9},
      {6, 14, 2, 9, 0, Went::Jump, 13},
      {6, 16, 1, 2, 0, Went::Jump, 8},
      {3, 18, 1, 250, 0, Went::Jump, 2},
  };
  for (const Pick& p : picks) {
    OpenChoice(p.set);
    GameState& s = state();
    s.Partner = p.partner;
    s.CurrentEvent = p.event;
    s.GameRetries = p.retries;
    s.PressedButton = p.id;
    const uint16_t question = s.ScriptPos;
    form().Choice.ChoicePanel(p.id);
    const std::string where = "set " + std::to_string(p.set) + " option " + std::to_string(p.id) + " partner " +
                              std::to_string(p.partner) + " event " + std::to_string(p.event);
    EXPECT_EQ(s.PressedButton, 0) << where;
    EXPECT_EQ(s.CurrentEvent, p.eventAfter) << where;
    EXPECT_TRUE(form().G_Timer.Enabled()) << where;
    EXPECT_EQ(s.ModeArg, 1) << where;
    switch (p.went) {
      case Went::Jump:
        EXPECT_EQ(s.ScriptPos, 0) << where;
        EXPECT_EQ(s.ScreenMode, 6) << where;
        EXPECT_EQ(s.ChoiceSet, p.set) << where;  // kept for a later "<B>" 14
        EXPECT_EQ(s.TownPhase, 4) << where;      // the block's start sets it back
        EXPECT_EQ(s.Partner, p.partner) << where;
        break;
      case Went::Leave:
        EXPECT_EQ(s.ScriptPos, question) << where;
        EXPECT_EQ(s.ChoiceSet, 0) << where;
        EXPECT_EQ(s.Partner, 0) << where;
        EXPECT_EQ(s.TownPhase, 1) << where;  // the town's phase 3 goes back to the map
        EXPECT_EQ(s.ScreenMode, 4) << where;
        break;
      case Went::GoOn:
        EXPECT_EQ(s.ScriptPos, question + 4) << where;
        EXPECT_EQ(s.ChoiceSet, 0) << where;
        EXPECT_EQ(s.TownPhase, 3) << where;
        EXPECT_EQ(s.ScreenMode, 6) << where;
        EXPECT_EQ(s.Partner, p.partner) << where;
        break;
      case Went::Replay:
        EXPECT_EQ(s.ScriptPos, question) << where;
        EXPECT_EQ(s.ChoiceSet, 0) << where;
        EXPECT_EQ(s.TownPhase, 3) << where;
        EXPECT_EQ(s.ScreenMode, 3) << where;
        break;
    }
    // Let the mode change run out before the next pick.
    host().RunUntilIdle();
    host().ClearRecords();
  }
}

TEST_F(ChoiceTest, GoingOnSkipsTheLineAfterTheOptions) {
  OpenChoice(2);
  state().Partner = 0;
  state().CurrentEvent = 11;
  host().Press(100, 420);
  EXPECT_EQ(state().PressedButton, 11);
  host().Release(300, 300);  // released anywhere: the held option acts
  EXPECT_EQ(state().ScriptPos, QuestionLine() + 4);
  EXPECT_EQ(state().PressedButton, 0);
  ASSERT_TRUE(host().RunUntilIdle());
  // The page after the transition is the line after "-".
  EXPECT_EQ(form().ScriptLines[QuestionLine() + 3], "-");
  EXPECT_EQ(state().ScriptPos, QuestionLine() + 5);
  EXPECT_TRUE(host().Messages().empty());
}

TEST_F(ChoiceTest, PointerHoverAndPickInTheTownScreen) {
  OpenChoice(2);
  const Rect option1{65, 415, 265, 431};
  host().Move(100, 420);
  EXPECT_GT(CountColour(screen(), option1, kWhite), 10);
  host().Move(300, 300);
  EXPECT_EQ(CountColour(screen(), option1, kWhite), 0);
  // A press beside the options presses nothing, and its release changes nothing.
  host().Click(300, 420);
  EXPECT_EQ(state().TownPhase, 4);
  EXPECT_EQ(state().CurrentEvent, 1);
  EXPECT_FALSE(form().G_Timer.Enabled());
  // Option 1 with the first heroine: her next block.
  host().Click(100, 420);
  EXPECT_EQ(state().CurrentEvent, 2);
  EXPECT_EQ(state().ScriptPos, 0);
  EXPECT_EQ(state().ScreenMode, 6);
  EXPECT_TRUE(host().Messages().empty());
}

TEST_F(ChoiceTest, GoingOnPastTheLastAddressableLineIsRefusedBeforeAnythingChanges) {
  OpenChoice(2);
  state().Partner = 0;
  state().GameRetries = 0;
  state().ScriptPos = 65533;  // four lines on would wrap the 16-bit play position
  state().PressedButton = 11;
  EXPECT_THROW(form().Choice.ChoicePanel(11), GameError);
  EXPECT_EQ(state().ScriptPos, 65533);
  EXPECT_EQ(state().ChoiceSet, 2);
  EXPECT_EQ(state().TownPhase, 4);
  EXPECT_FALSE(form().G_Timer.Enabled());
}

}  // namespace
}  // namespace velmora::choice_test
