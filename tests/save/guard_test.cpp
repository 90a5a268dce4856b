// F5 and F9 at every moment of a play-through that is not at rest: the opening, the
// title, text pages, the photo game and its card turn, a panning picture, every wipe and
// settle, the confirmation box, an event under way, a button held down. F5 saves only on
// the resting town screen; F9 loads only when nothing moves. Neither touches the game
// when it says no.
#include <gtest/gtest.h>

#include <map>

#include "save/rest_guard.h"
#include "save_fixture.h"

namespace velmora::savetest {
namespace {

constexpr int kSupermarket = 10;

class Guards : public ::testing::Test {
 protected:
  void SetUp() override {
    // The player saves once on the first map of a game of its own, so F9 has a save to take.
    {
      KeptGame first(root.Path());
      PlayToFirstMap(first.player);
      ASSERT_TRUE(first.keeper.QuickSave().Ok);
      quick = ReadFile(first.keeper.Folder() + "/quick.sav");
      folder = first.keeper.Folder();
    }
    // After every entry of this game, F5 and F9 are tried wherever they must be refused.
    game.player.host().AfterEntry = [this] {
      game.keeper.AfterEntry();
      Probe();
    };
  }

  void Probe() {
    TForm1& form = game.player.form();
    const std::string state = Describe(form.State);
    const bool resting = TownAtRest(form);
    const bool idle = GameIdle(form);
    ++moments[{form.State.ScreenMode, resting ? 1 : idle ? 2 : 3}];
    if (!resting) {
      const SaveKeeper::Outcome outcome = game.keeper.QuickSave();
      EXPECT_FALSE(outcome.Ok);
      EXPECT_EQ(outcome.Message, kSaveOnlyOnMapMessage);
      EXPECT_EQ(ReadFile(folder + "/quick.sav"), quick);
    }
    if (!idle) {
      const bool timer = form.G_Timer.Enabled();
      const SaveKeeper::Outcome outcome = game.keeper.QuickLoad();
      EXPECT_FALSE(outcome.Ok);
      EXPECT_EQ(outcome.Message, kLoadBusyMessage);
      EXPECT_EQ(form.G_Timer.Enabled(), timer);
    }
    EXPECT_EQ(Describe(form.State), state);
  }

  int Moments(int mode, int kind) { return moments[{mode, kind}]; }

  testing::ScratchDir root;
  std::vector<uint8_t> quick;
  std::string folder;
  KeptGame game{root.Path()};
  std::map<std::pair<int, int>, int> moments;  // (screen mode, 1 resting / 2 idle / 3 moving)
};

TEST_F(Guards, EveryMomentOfTheOpeningAnEventWithItsPhotoAndAPannedPicture) {
  PlayToFirstMap(game.player);
  // Mirel at the supermarket: text pages, a picture, the walk's end.
  game.player.GoTo(kSupermarket);
  game.player.ReadOn();
  game.player.ReadToMap();
  // Every screen was seen moving and standing still; only the town ever rested.
  for (const int mode : {3, 4, 5, 6}) EXPECT_GT(Moments(mode, 3), 0) << "mode " << mode << " moving";
  for (const int mode : {1, 3, 6}) EXPECT_GT(Moments(mode, 2), 0) << "mode " << mode << " still";
  EXPECT_GT(Moments(4, 1), 0);
  for (const int mode : {0, 1, 2, 3, 5, 6, 7, 8}) EXPECT_EQ(Moments(mode, 1), 0) << "mode " << mode;
  // The title, a page and the photo game stand still, and F9 is taken there: the test of
  // that is the round trip from the title; here the town screen must not have been left.
  EXPECT_EQ(game.player.Where(), Screen::Map);
}

TEST_F(Guards, ABoxOpenAPlacePressedAndThePageButtonHeldDown) {
  PlayToFirstMap(game.player);
  ASSERT_TRUE(game.player.PickPlace(5));  // the confirmation box is up
  ASSERT_EQ(game.player.Where(), Screen::ConfirmBox);
  game.player.CancelMove();
  ASSERT_EQ(game.player.Where(), Screen::Map);
  // A press on a place, not yet released: a pick under way.
  game.player.host().Press(170, 290);
  ASSERT_NE(game.state().TargetPlace, 0);
  Probe();
  game.player.host().Release(600, 20);  // the box comes up all the same
  game.player.CancelMove();
  game.player.SleepAtHome();
  // SleepAtHome clicked on to the map; back to bed for a morning to press on.
  game.player.GoTo(1);
  game.player.Next();
  game.player.Next();
  game.player.Next();
  ASSERT_EQ(game.player.Where(), Screen::Morning);
  game.player.host().Press(playthrough::kPageButton.X, playthrough::kPageButton.Y);
  ASSERT_NE(game.state().PressedButton, 0);
  EXPECT_FALSE(TownAtRest(game.player.form()));
  EXPECT_EQ(game.keeper.QuickSave().Message, kSaveOnlyOnMapMessage);
  game.player.host().Release(playthrough::kPageButton.X, playthrough::kPageButton.Y);
}

}  // namespace
}  // namespace velmora::savetest
