// The page feed along one route: the opening's pages, the photo's remark, a choice with
// the option taken, the morning remark and the bad ending, each told once, whole, with
// identities that come out the same in a second game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/page_feed.h"
#include "playthrough/play_test.h"

namespace velmora::playthrough {
namespace {

constexpr int kMirelsHouse = 2;
constexpr int kHome = 1;
constexpr int kPark = 5;
constexpr int kSupermarket = 10;
constexpr int kTownStreet = 13;

class FeedRoute : public PlayThrough {
 protected:
  void SetUp() override {
    player.form().Feed.OnUnit([this](const ReadUnit& unit) { told.push_back(unit); });
    player.form().Feed.OnChoiceTaken([this](const ReadUnit& unit) { taken.push_back(unit); });
  }
  const ReadUnit* Find(const std::string& id) const {
    for (const ReadUnit& unit : told)
      if (unit.Id == id) return &unit;
    return nullptr;
  }
  std::vector<ReadUnit> told;
  std::vector<ReadUnit> taken;
};

TEST_F(FeedRoute, PagesChoiceRemarksAndTheEndingAreToldOnceWhole) {
  PageFeed& feed = player.form().Feed;
  PlayTheOpening();
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(told.front().Kind, UnitKind::Page);
  ASSERT_FALSE(told.front().Lines.empty());
  EXPECT_EQ(told.front().Lines[0], "今でも時々、この写真を見返す。");
  EXPECT_EQ(feed.Current(), nullptr);  // the map shows no text

  player.GoTo(kSupermarket);
  player.ReadToMap();
  const ReadUnit& morning = told.back();
  EXPECT_EQ(morning.Kind, UnitKind::Remark);
  EXPECT_EQ(morning.Lines, std::vector<std::string>{"今日はどこへ行こうかな。"});
  player.GoTo(kTownStreet);
  player.WantPhoto(1);
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  player.TakePhoto(1);
  const ReadUnit* photo = Find("photo:1");
  ASSERT_NE(photo, nullptr);
  EXPECT_EQ(photo->Kind, UnitKind::Remark);
  ASSERT_EQ(player.ReadOn(), Screen::Choice);
  // Hovering over the options redraws the panel; the unit is told once all the same.
  player.host().Move(100, 420);
  player.host().Move(200, 420);
  const ReadUnit* panel = feed.Current();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Kind, UnitKind::Choice);
  ASSERT_EQ(panel->Lines.size(), 3u);
  EXPECT_EQ(panel->Lines[0], "「このあと、どうしよっか」");
  EXPECT_EQ(told.back().Id, panel->Id);
  EXPECT_NE(told[told.size() - 2].Id, panel->Id);
  const std::string choiceId = panel->Id;
  taken.clear();
  player.Choose(11);
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].Id, choiceId);
  EXPECT_EQ(taken[0].Taken, 0);

  // On to the bad ending (her promise missed), as the route test plays it.
  player.WantPhoto(1);
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  player.TakePhoto(1);
  ASSERT_EQ(player.ReadOn(), Screen::Choice);
  player.Choose(11);
  player.ReadOn();
  player.ReadToMap();
  for (int place : {kPark, kSupermarket, kHome}) {
    player.GoTo(place);
    player.ReadToMap();
  }
  player.GoTo(kMirelsHouse);
  ASSERT_EQ(player.ReadOn(), Screen::Ending);
  ASSERT_NE(feed.Current(), nullptr);
  EXPECT_EQ(feed.Current()->Kind, UnitKind::Ending);
  EXPECT_EQ(feed.Current()->Id, "ending:14");
  EXPECT_EQ(feed.Current()->Lines, std::vector<std::string>{"BAD　END・・・再挑戦してね。"});

  // Every unit told once, in the order drawn; the history keeps them with the option taken.
  for (size_t i = 1; i < told.size(); ++i) EXPECT_NE(told[i].Id, told[i - 1].Id) << "unit " << i;
  ASSERT_EQ(feed.History().size(), std::min(told.size(), PageFeed::kHistoryLength));
  EXPECT_EQ(feed.History().back().Id, told.back().Id);
  bool choiceKept = false;
  for (const ReadUnit& unit : feed.History()) choiceKept |= unit.Id == choiceId && unit.Taken == 0;
  EXPECT_TRUE(choiceKept);

  // A second game draws the same pages under the same names.
  player.Next();
  EXPECT_EQ(feed.Current(), nullptr);
  const size_t before = told.size();
  player.StartNewGame();
  ASSERT_GT(told.size(), before);
  EXPECT_EQ(told[before].Id, told.front().Id);
}

TEST(PageFeed, KeepsTheLastTwoHundredUnits) {
  PageFeed feed;
  for (int i = 0; i < 205; ++i) {
    feed.Begin(UnitKind::Page, "page:" + std::to_string(i));
    feed.Line("line");
    feed.Settle();
  }
  ASSERT_EQ(feed.History().size(), 200u);
  EXPECT_EQ(feed.History().front().Id, "page:5");
  EXPECT_EQ(feed.Current()->Id, "page:204");
}

}  // namespace
}  // namespace velmora::playthrough
