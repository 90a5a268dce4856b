// The deal and the turn of a card: what reaches the screen, when, and with which sound.

#include <set>
#include <vector>

#include "photo_fixture.h"

namespace velmora::photo_test {
namespace {

int SoundCount(HeadlessHost& host, const std::string& file) {
  int n = 0;
  for (const auto& s : host.Sounds()) n += s.Path.ends_with(file);
  return n;
}

TEST_F(PhotoGameTest, DealChargesTenPointsShowsFourBacksAndShufflesFiveValues) {
  Enter(200, 7, 0, 12);
  const GameState& s = state();
  EXPECT_EQ(s.Points, 190);
  EXPECT_EQ(s.GamePhase, 1);
  EXPECT_EQ(s.GamePick, 0);
  EXPECT_EQ(s.GameRetries, 0);
  EXPECT_EQ(form().Play_Timer.Tag, 0);
  EXPECT_FALSE(form().Play_Timer.Enabled());
  EXPECT_EQ(host().Sounds().size(), 1u);
  EXPECT_EQ(SoundCount(host(), "wav/02.wav"), 1);

  // Four different values in the slots; the fifth is dealt but never shown.
  std::set<int32_t> values;
  for (int i = 1; i <= 5; ++i) values.insert(s.GameCards[i]);
  EXPECT_EQ(values, (std::set<int32_t>{1, 2, 3, 4, 5}));

  // The scene is in BackBuffer at (10, 10); the backs are on screen only, and the
  // stripe of the back's top-left colour lets the scene through.
  for (int column = 0; column < 4; ++column) {
    const int left = 50 + 110 * column;
    EXPECT_EQ(form().BackBuffer.PixelColor(left + 30, 200), SceneColor(left + 20, 190));
    EXPECT_EQ(screen().PixelColor(left + 30, 200), kBack) << column;
    EXPECT_EQ(screen().PixelColor(left + 89, 284), kBack) << column;
    EXPECT_EQ(screen().PixelColor(left + 10, 200), SceneColor(left, 190)) << column;
    EXPECT_EQ(screen().PixelColor(left + 90, 200), SceneColor(left + 80, 190)) << column;
  }
  ExpectMessage(0);
  EXPECT_TRUE(host().Messages().empty());
}

TEST_F(PhotoGameTest, EachDealShufflesAnewFromTheClock) {
  Enter(200, 7, 0, 12);
  std::set<std::vector<int32_t>> orders;
  for (int deal = 0; deal < 6; ++deal) {
    host().RunFor(37);
    form().Photo.DealCards();
    const auto& c = state().GameCards;
    orders.insert({c[1], c[2], c[3], c[4], c[5]});
  }
  EXPECT_GE(orders.size(), 2u);
  EXPECT_EQ(state().Points, 190 - 60);
}

TEST_F(PhotoGameTest, MissThenCardThenFourTicksTurnTheCard) {
  Enter(200, 6, 0, 11);
  Rig(3, 1);
  // A press between two cards picks nothing, and its release does not start the turn.
  host().Press(150, 222);
  EXPECT_EQ(state().GamePick, 0);
  host().Release(150, 222);
  EXPECT_FALSE(form().Play_Timer.Enabled());
  EXPECT_EQ(state().GamePhase, 1);

  host().Press(315, 222);
  EXPECT_EQ(state().GamePick, 3);
  EXPECT_EQ(state().PressedButton, 0);
  host().Release(315, 222);
  EXPECT_TRUE(form().Play_Timer.Enabled());
  // The pick cannot change while the card turns.
  host().Press(95, 222);
  host().Release(95, 222);
  EXPECT_EQ(state().GamePick, 3);

  const Picture& back = form().BackBuffer;
  const size_t soundsBefore = host().Sounds().size();
  host().RunFor(49);
  EXPECT_EQ(form().Play_Timer.Tag, 0);

  host().RunFor(1);  // tick 1: the back seen edge-on, and the turning sound
  EXPECT_EQ(form().Play_Timer.Tag, 1);
  EXPECT_EQ(screen().PixelColor(275, 222), back.PixelColor(275, 222));  // outside the edge-on card
  EXPECT_EQ(screen().PixelColor(315, 222), kEdgeBack);
  EXPECT_EQ(screen().PixelColor(300, 222), back.PixelColor(300, 222));  // its transparent stripe
  EXPECT_EQ(screen().PixelColor(339, 284), kEdgeBack);
  EXPECT_EQ(screen().PixelColor(340, 222), back.PixelColor(340, 222));
  ASSERT_EQ(host().Sounds().size(), soundsBefore + 1);
  EXPECT_TRUE(host().Sounds().back().Path.ends_with("wav/02.wav"));

  host().RunFor(50);  // tick 2: the slot is empty
  for (int x = 270; x < 360; x += 7)
    for (int y = 160; y < 285; y += 11) ASSERT_EQ(screen().PixelColor(x, y), back.PixelColor(x, y)) << x << "," << y;
  EXPECT_EQ(screen().PixelColor(95, 222), kBack);  // the other cards stay

  host().RunFor(50);  // tick 3: the face seen edge-on
  EXPECT_EQ(screen().PixelColor(315, 222), EdgeFaceColor(1));
  EXPECT_EQ(screen().PixelColor(300, 222), back.PixelColor(300, 222));
  EXPECT_EQ(form().Play_Timer.Tag, 3);
  EXPECT_EQ(state().GamePhase, 1);

  host().RunFor(50);  // tick 4: the full face, the result and the next button
  EXPECT_FALSE(form().Play_Timer.Enabled());
  EXPECT_EQ(screen().PixelColor(300, 222), FaceColor(1));
  EXPECT_EQ(screen().PixelColor(280, 222), back.PixelColor(280, 222));
  EXPECT_EQ(state().GamePick, 1);
  EXPECT_EQ(state().GamePhase, 2);
  ASSERT_EQ(host().Sounds().size(), soundsBefore + 2);
  EXPECT_TRUE(host().Sounds().back().Path.ends_with("wav/03.wav"));
  ExpectMessage(1);
  EXPECT_EQ(screen().PixelColor(460, 452), kPageButton);
  EXPECT_EQ(state().CgShown, 0);

  // Nothing further happens while the timer is off.
  host().RunFor(500);
  EXPECT_EQ(form().Play_Timer.Tag, 4);
  EXPECT_EQ(state().ScreenMode, 3);
}

TEST_F(PhotoGameTest, FailuresPlayTheOtherSoundAndShowTheirMessages) {
  for (int value = 2; value <= 5; ++value) {
    Enter(200, 6, 0, 11);
    host().ClearRecords();
    Turn(4, value);
    EXPECT_EQ(state().GamePick, value);
    EXPECT_EQ(screen().PixelColor(440, 222), FaceColor(value));
    ASSERT_EQ(host().Sounds().size(), 2u);
    EXPECT_TRUE(host().Sounds()[0].Path.ends_with("wav/02.wav"));
    EXPECT_TRUE(host().Sounds()[1].Path.ends_with("wav/04.wav"));
    ExpectMessage(value);
  }
}

TEST_F(PhotoGameTest, ResultWaitsForTheNextButton) {
  Enter(200, 6, 0, 11);
  Turn(2, 3);
  const uint16_t pos = state().ScriptPos;
  // A press beside the button presses nothing; its release does nothing.
  host().Click(300, 450);
  EXPECT_EQ(state().ScreenMode, 3);
  EXPECT_EQ(state().ScriptPos, pos);
  EXPECT_FALSE(form().G_Timer.Enabled());
  EXPECT_EQ(state().GamePhase, 2);
  // The button shows its pressed look while held.
  host().Press(460, 450);
  EXPECT_EQ(state().PressedButton, 5);
  host().Release(460, 450);
  EXPECT_EQ(state().ScreenMode, 6);
  EXPECT_TRUE(form().G_Timer.Enabled());
}

}  // namespace
}  // namespace velmora::photo_test
