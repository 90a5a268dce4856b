// Saving on each screen a play-through rests on, and loading into a game just started:
// the loaded game holds the same state and shows the same town screen, pixel for pixel.
#include <gtest/gtest.h>

#include "gfx/asset_table.h"
#include "save/save_format.h"
#include "save_fixture.h"

namespace velmora::savetest {
namespace {

constexpr int kHome = 1;
constexpr int kSupermarket = 10;

class RoundTrip : public ::testing::Test {
 protected:
  // F5 here, then F9 in a game just started at its title.
  void SaveAndLoadInNewGame(const std::string& where) {
    SCOPED_TRACE(where);
    const SaveKeeper::Outcome saved = game.keeper.QuickSave();
    ASSERT_TRUE(saved.Ok) << saved.Message;
    EXPECT_EQ(saved.Message, kSavedMessage);
    const GameState before = game.state();
    const Picture window = game.player.host().Window();

    KeptGame other(root.Path());
    const SaveKeeper::Outcome loaded = other.Load();
    ASSERT_TRUE(loaded.Ok) << loaded.Message;
    EXPECT_EQ(loaded.Message, kLoadedMessage);
    EXPECT_EQ(other.player.Where(), game.player.Where());
    // As continuing leaves it: the continue path clears the play position (the photo
    // game's phase, the event under way), which the town screen never reads.
    EXPECT_EQ(Describe(other.state()), Describe(Continued(before)));
    EXPECT_TRUE(playthrough::SameArea(other.player.host().Window(), window, ScreenRect));
    EXPECT_TRUE(other.player.host().Messages().empty());
    ++roundTrips;
  }

  // State as the game's own clearing of the play position leaves it.
  GameState Continued(const GameState& state) {
    TForm1& form = game.player.form();
    const GameState kept = form.State;
    form.State = state;
    form.Modes.StartGame(0);
    GameState continued = form.State;
    form.State = kept;
    return continued;
  }

  testing::ScratchDir root;
  KeptGame game{root.Path()};
  int roundTrips = 0;
};

TEST_F(RoundTrip, EveryRestingScreenOfADayWithMirelAndItsNight) {
  PlayToFirstMap(game.player);
  SaveAndLoadInNewGame("the first map");

  // The supermarket: Mirel's first scene, and the walk ends away from home.
  game.player.GoTo(kSupermarket);
  ASSERT_EQ(game.player.ReadOn(), Screen::WalkOver);
  ASSERT_EQ(game.state().EventState[1], 2);
  ASSERT_EQ(game.state().CgSeen[1], 1);
  SaveAndLoadInNewGame("the walk's end after an event");

  game.player.Next();
  ASSERT_EQ(game.player.Where(), Screen::Bedtime);
  ASSERT_NE(game.state().CurrentPlace, kHome);  // the night's walk home was paid on settling
  SaveAndLoadInNewGame("bedtime away from home");

  game.player.Next();
  ASSERT_EQ(game.player.Where(), Screen::Asleep);
  SaveAndLoadInNewGame("asleep");

  game.autosaves.clear();
  game.player.Next();
  ASSERT_EQ(game.player.Where(), Screen::Morning);
  ASSERT_EQ(game.autosaves.size(), 1u);  // the new morning was autosaved
  EXPECT_TRUE(game.autosaves[0].Ok) << game.autosaves[0].Message;
  SaveAndLoadInNewGame("the second morning");

  game.player.Next();
  SaveAndLoadInNewGame("the second day's map");
  EXPECT_EQ(roundTrips, 6);
  EXPECT_EQ(game.autosaves.size(), 1u);
}

TEST_F(RoundTrip, ADayWalkedOutFarFromHomeAndTheLateMorningWithItsBonus) {
  PlayToFirstMap(game.player);
  for (const int place : {16, 9, 14}) game.player.GoTo(place);
  ASSERT_EQ(game.player.Where(), Screen::WalkOver);
  ASSERT_EQ(game.state().TargetPlace, 0);  // the map with its labels
  SaveAndLoadInNewGame("the walk's end on the map");
  game.player.Next();
  ASSERT_EQ(game.state().Points, -10);
  SaveAndLoadInNewGame("bedtime with no points left");
  game.player.Next();
  game.player.Next();
  ASSERT_EQ(game.player.Where(), Screen::Morning);
  ASSERT_EQ(game.state().TimeSlot, 20);
  ASSERT_EQ(game.state().Points, 140);  // the late morning's bonus was paid on settling
  SaveAndLoadInNewGame("a late morning");
}

TEST_F(RoundTrip, F9WithoutAQuickSaveLoadsTheMorningsAutosaveAndWithNeitherSaysSo) {
  {
    KeptGame empty(root.Path());
    const GameState before = empty.state();
    const SaveKeeper::Outcome outcome = empty.Load();
    EXPECT_FALSE(outcome.Ok);
    EXPECT_EQ(outcome.Message, kNoSaveMessage);
    EXPECT_EQ(Describe(empty.state()), Describe(before));
    EXPECT_EQ(empty.player.Where(), Screen::Title);
  }
  PlayToFirstMap(game.player);
  game.player.SleepAtHome();
  ASSERT_EQ(game.autosaves.size(), 1u);
  ASSERT_TRUE(game.autosaves[0].Ok) << game.autosaves[0].Message;
  const GameState secondMorning = game.state();  // SleepAtHome clicks on to the map
  KeptGame other(root.Path());
  const SaveKeeper::Outcome loaded = other.Load();
  ASSERT_TRUE(loaded.Ok) << loaded.Message;
  EXPECT_EQ(loaded.Message, kLoadedAutosaveMessage);
  EXPECT_EQ(other.player.Where(), Screen::Morning);
  EXPECT_EQ(other.state().DayCount, secondMorning.DayCount);
  EXPECT_EQ(other.state().Points, secondMorning.Points);
  // Loading a morning is not a new morning: the autosave is left as it was.
  EXPECT_TRUE(other.autosaves.empty());
}

TEST_F(RoundTrip, LoadingKeepsThePicturesSeenInThisRunInTheAlbum) {
  PlayToFirstMap(game.player);
  ASSERT_TRUE(game.keeper.QuickSave().Ok);
  game.player.GoTo(kSupermarket);
  game.player.ReadOn();
  ASSERT_EQ(game.state().CgSeen[1], 1);
  ASSERT_TRUE(game.Load().Ok);
  EXPECT_EQ(game.state().CgSeen[1], 1);
  EXPECT_EQ(game.state().EventState[1], 1);  // the scene itself is to come again
  EXPECT_EQ(game.player.Where(), Screen::Map);
}

TEST(SaveFolder, FollowsXdgDataHomeAndKeepsEachAssetFileApart) {
  const char* old = std::getenv("XDG_DATA_HOME");
  const std::string kept = old ? old : "";
  setenv("XDG_DATA_HOME", "/data/home", 1);
  EXPECT_EQ(DefaultSaveRoot(), "/data/home/velmora/saves");
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", std::getenv("HOME") ? std::getenv("HOME") : "/home/player", 1);
  EXPECT_EQ(DefaultSaveRoot(), std::string(std::getenv("HOME")) + "/.local/share/velmora/saves");
  if (old) setenv("XDG_DATA_HOME", kept.c_str(), 1);
  EXPECT_NE(SaveFolderFor("/r", 1), SaveFolderFor("/r", 2));
  EXPECT_EQ(SaveFolderFor("/r", 0xABCDEF), "/r/0000000000abcdef");
}

}  // namespace
}  // namespace velmora::savetest
