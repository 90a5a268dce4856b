// Mirel's route as the walkthrough tells it: day by day to the trial's own ending, and the
// shortcut her two choices open, to the bad ending after a missed promise.
#include <gtest/gtest.h>

#include "playthrough/play_test.h"

namespace velmora::playthrough {
namespace {

constexpr int kHome = 1;
constexpr int kMirelsHouse = 2;
constexpr int kPark = 5;
constexpr int kSupermarket = 10;
constexpr int kTownStreet = 13;

// Where the ending writes its line, as wide as the line's fourteen characters.
constexpr Rect kEndingLine{250, 380, 250 + 14 * 14, 380 + 16};

class MirelRoute : public PlayThrough {
 protected:
  // Goes to Place, where Mirel's scene Event is to start.
  void MeetMirel(int place, int event) {
    player.GoTo(place);
    ASSERT_EQ(player.Where(), Screen::Page) << "day " << player.state().DayCount;
    EXPECT_EQ(player.state().CurrentEvent, event);
    EXPECT_EQ(player.state().Partner, 1);
  }
  const GameState& s() { return player.state(); }
};

TEST_F(MirelRoute, DayByDayToTheTrialsEnding) {
  PlayTheOpening();
  EXPECT_FALSE(MapShowsLabel(player, kMirelsHouse));  // her house is not on the map yet

  // Day 1, the supermarket: the oranges, and the walk is over for today.
  MeetMirel(kSupermarket, 1);
  EXPECT_EQ(player.ReadOn(), Screen::WalkOver);
  EXPECT_EQ(s().CgSeen[1], 1);
  EXPECT_EQ(s().EventState[1], 2);
  EXPECT_EQ(s().EventState[2], 1);
  player.ReadToMap();

  // Day 2, the town street: her name and a photo that fails; the event is done all the same.
  EXPECT_EQ(s().DayCount, 2);
  MeetMirel(kTownStreet, 2);
  player.WantPhoto(4);
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  player.TakePhoto(4);
  EXPECT_TRUE(player.Saw("「……ねえ。本気で撮る気、ある？」"));
  player.ReadToMap();
  EXPECT_EQ(s().EventState[2], 2);
  EXPECT_EQ(s().EventState[3], 1);
  player.SleepAtHome();

  // Day 3, the supermarket: her shopping, a photo, and her house opens on the map.
  MeetMirel(kSupermarket, 3);
  player.WantPhoto(3);
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  player.TakePhoto(3);
  player.ReadToMap();
  EXPECT_EQ(s().EventState[3], 2);
  EXPECT_EQ(s().CurrentPlace, kMirelsHouse);  // the event left us at her gate
  EXPECT_EQ(s().HeroineWait[1], 2);
  EXPECT_TRUE(MapShowsLabel(player, kMirelsHouse));
  player.SleepAtHome();

  // Day 4: she waits; her house has nothing for us today.
  EXPECT_EQ(s().DayCount, 4);
  player.GoTo(kMirelsHouse);
  EXPECT_EQ(player.Where(), Screen::Map);
  EXPECT_EQ(s().CurrentEvent, 0);
  player.SleepAtHome();

  // Day 5, her house: tea and her photo in the garden.
  MeetMirel(kMirelsHouse, 4);
  EXPECT_EQ(player.ReadOn(), Screen::WalkOver);
  EXPECT_EQ(s().CgSeen[5], 1);
  player.ReadToMap();

  // Day 6, the park: the cherry trees (before Sanu, whose event waits there too).
  MeetMirel(kPark, 5);
  EXPECT_EQ(player.ReadOn(), Screen::WalkOver);
  EXPECT_EQ(s().EventState[7], 1);
  EXPECT_EQ(s().EventState[9], 1);
  player.ReadToMap();

  // Day 7, a Sunday: no Mirel at the supermarket.
  EXPECT_EQ(s().DayCount % 7, 0);
  player.GoTo(kSupermarket);
  EXPECT_EQ(player.Where(), Screen::Map);
  player.SleepAtHome();

  // Day 8, the supermarket: the promise for tomorrow.
  MeetMirel(kSupermarket, 7);
  EXPECT_EQ(player.ReadOn(), Screen::WalkOver);
  EXPECT_EQ(s().EventState[8], 1);
  EXPECT_EQ(s().EventState[6], 0);  // the optional visit is gone
  player.ReadToMap();

  // Day 9, her house: the riverside and the last photo, then the trial's ending.
  EXPECT_EQ(s().DayCount, 9);
  player.TakeLines();
  MeetMirel(kMirelsHouse, 8);
  ASSERT_EQ(player.ReadOn(), Screen::Ending);
  EXPECT_EQ(s().CgSeen[8], 1);
  EXPECT_TRUE(player.Saw("「……うん。この春で、いちばんの写真」"));
  const std::vector<std::string> lines = player.TakeLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "続きは本編でお楽しみ下さい。");
  EXPECT_TRUE(WrittenOver(player, kEndingLine));  // over the darkened last scene
  for (int e = 1; e <= 8; ++e) EXPECT_EQ(s().EventState[e], 2) << "event " << e;

  // Any click on the ending returns to the title, with a new game's state; another game
  // starts from the opening again.
  player.Next();
  EXPECT_EQ(player.Where(), Screen::Title);
  EXPECT_EQ(s().Points, 200);
  EXPECT_EQ(s().EventState[1], 1);
  player.StartNewGame();
  const std::vector<std::string> opening = player.TakeLines();
  ASSERT_FALSE(opening.empty());
  EXPECT_EQ(opening.front(), "今でも時々、この写真を見返す。");
  EXPECT_EQ(player.ReadOn(), Screen::PhotoGame);
  EXPECT_EQ(s().CurrentEvent, 11);
}

TEST_F(MirelRoute, HerChoicesShortenTheRouteAndAMissedPromiseEndsBad) {
  PlayTheOpening();
  MeetMirel(kSupermarket, 1);
  player.ReadToMap();

  // Day 2: her photo succeeds, and set 6 asks where the afternoon goes.
  MeetMirel(kTownStreet, 2);
  player.WantPhoto(1);
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  player.TakePhoto(1);
  player.TakeLines();
  ASSERT_EQ(player.ReadOn(), Screen::Choice);
  EXPECT_EQ(s().ChoiceSet, 6);
  EXPECT_EQ(s().EventState[2], 2);
  // The panel writes the prompt and the captions of both rows, each over its option.
  std::vector<std::string> panel = player.TakeLines();
  ASSERT_GE(panel.size(), 3u);
  panel.erase(panel.begin(), panel.end() - 3);
  EXPECT_EQ(panel[0], "「このあと、どうしよっか」");
  EXPECT_NE(panel[1].find("買い物へ"), std::string::npos);
  EXPECT_NE(panel[1].find("送る"), std::string::npos);
  EXPECT_NE(panel[2].find("昔"), std::string::npos);
  for (const Rect& option : {Rect{63, 414, 144, 430}, Rect{173, 414, 254, 430}, Rect{283, 414, 364, 430},
                             Rect{393, 414, 474, 430}, Rect{447, 437, 480, 454}})
    EXPECT_TRUE(Inked(player, option, kCaptionGrey)) << "no caption over x " << option.Left << ", y " << option.Top;
  EXPECT_FALSE(Inked(player, Rect{35, 434, 447, 456}, kCaptionGrey));  // options 15 and 16 are not open

  // 11 "買い物へ": her shopping at once, its photo, and set 3 at her gate.
  player.Choose(11);
  EXPECT_EQ(s().CurrentEvent, 3);
  player.WantPhoto(1);
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  player.TakePhoto(1);
  ASSERT_EQ(player.ReadOn(), Screen::Choice);
  EXPECT_EQ(s().ChoiceSet, 3);
  EXPECT_EQ(s().CurrentPlace, kMirelsHouse);
  EXPECT_TRUE(Inked(player, Rect{447, 437, 480, 454}, kCaptionGrey));
  EXPECT_FALSE(Inked(player, Rect{393, 414, 474, 430}, kCaptionGrey));  // set 3 has no fourth option

  // 11 "上がる": tea at her house the same day; that ends the day.
  player.Choose(11);
  EXPECT_EQ(s().CurrentEvent, 4);
  EXPECT_EQ(player.ReadOn(), Screen::WalkOver);
  EXPECT_EQ(s().EventState[4], 2);
  EXPECT_EQ(s().EventState[5], 1);
  player.ReadToMap();

  // Day 3 the park, day 4 the promise at the supermarket.
  MeetMirel(kPark, 5);
  player.ReadToMap();
  MeetMirel(kSupermarket, 7);
  player.ReadToMap();
  EXPECT_EQ(s().DayCount, 5);

  // Day 5 passes without her; on day 6 event 8 is gone and the bad ending waits at her house.
  player.GoTo(kHome);
  player.ReadToMap();
  EXPECT_EQ(s().EventState[8], 2);
  EXPECT_EQ(s().EventState[14], 1);
  player.TakeLines();
  player.GoTo(kMirelsHouse);
  EXPECT_EQ(s().CurrentEvent, 14);
  EXPECT_EQ(s().Partner, 0);
  ASSERT_EQ(player.ReadOn(), Screen::Ending);
  const std::vector<std::string> lines = player.TakeLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "BAD　END・・・再挑戦してね。");
  EXPECT_TRUE(WrittenOver(player, kEndingLine));
  player.Next();
  EXPECT_EQ(player.Where(), Screen::Title);
}

TEST_F(MirelRoute, TheCornerOfHerChoiceRemembersTheDayTheyMet) {
  PlayTheOpening();
  MeetMirel(kSupermarket, 1);
  player.ReadToMap();
  MeetMirel(kTownStreet, 2);
  player.WantPhoto(1);
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  player.TakePhoto(1);
  ASSERT_EQ(player.ReadOn(), Screen::Choice);

  // Option 18, "昔", in the lower right corner where the page button stood: event 1's scene
  // again under event 10's number, the oranges and the cherry tree.
  player.TakeLines();
  player.Choose(18);
  EXPECT_EQ(s().CurrentEvent, 10);
  EXPECT_EQ(s().Partner, 1);
  EXPECT_EQ(player.ReadOn(), Screen::WalkOver);
  EXPECT_TRUE(player.Saw("「拾ってくれて、ありがとう。……またね」"));
  // The memory finishes event 10, so Orika's street scene is gone for this game.
  EXPECT_EQ(s().EventState[10], 2);
  player.ReadToMap();
  EXPECT_EQ(s().DayCount, 3);  // a day Orika would not come anyway
  player.SleepAtHome();
  player.GoTo(kTownStreet);
  EXPECT_EQ(player.Where(), Screen::Map);
  EXPECT_EQ(s().CurrentEvent, 0);
}

}  // namespace
}  // namespace velmora::playthrough
