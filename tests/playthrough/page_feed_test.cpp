// The page feed along one route: pages, the photo's remark, a choice with the option
// taken, the morning remark and the bad ending, each told once, whole, under names that
// come out the same in a second game.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/page_feed.h"
#include "playthrough/play_test.h"

namespace velmora::playthrough {
namespace {

TEST_F(PlayThrough, TheFeedTellsEachUnitOnceWhole) {
  std::vector<ReadUnit> told, taken;
  PageFeed& feed = player.form().Feed;
  feed.OnUnit([&](const ReadUnit& unit) { told.push_back(unit); });
  feed.OnChoiceTaken([&](const ReadUnit& unit) { taken.push_back(unit); });
  PlayTheOpening();
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(told.front().Kind, UnitKind::Page);
  EXPECT_EQ(told.front().Lines.at(0), "今でも時々、この写真を見返す。");
  EXPECT_EQ(feed.Current(), nullptr);  // the map shows no text
  player.GoTo(10);  // the supermarket, Mirel's first scene, then the night and the morning
  player.ReadToMap();
  EXPECT_EQ(told.back().Kind, UnitKind::Remark);
  EXPECT_EQ(told.back().Lines, std::vector<std::string>{"今日はどこへ行こうかな。"});

  player.GoTo(13);  // the town street: her photo, then set 6
  player.WantPhoto(1);
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  player.TakePhoto(1);
  EXPECT_TRUE(std::any_of(told.begin(), told.end(),
                          [](const ReadUnit& u) { return u.Id == "photo:1" && u.Kind == UnitKind::Remark; }));
  ASSERT_EQ(player.ReadOn(), Screen::Choice);
  player.host().Move(100, 420);  // hovering redraws the panel: still told once
  player.host().Move(200, 420);
  const ReadUnit panel = told.back();
  EXPECT_EQ(panel.Kind, UnitKind::Choice);
  EXPECT_EQ(panel.Lines.at(0), "「このあと、どうしよっか」");
  EXPECT_NE(told[told.size() - 2].Id, panel.Id);
  taken.clear();
  player.Choose(11);
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].Id, panel.Id);
  EXPECT_EQ(taken[0].Taken, 0);

  // On to the bad ending, her promise missed, as the route test plays it.
  player.WantPhoto(1);
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  player.TakePhoto(1);
  ASSERT_EQ(player.ReadOn(), Screen::Choice);
  player.Choose(11);
  player.ReadOn();
  player.ReadToMap();
  for (int place : {5, 10, 1}) {
    player.GoTo(place);
    player.ReadToMap();
  }
  player.GoTo(2);
  ASSERT_EQ(player.ReadOn(), Screen::Ending);
  ASSERT_NE(feed.Current(), nullptr);
  EXPECT_EQ(feed.Current()->Id, "ending:14");
  EXPECT_EQ(feed.Current()->Lines, std::vector<std::string>{"BAD　END・・・再挑戦してね。"});
  for (size_t i = 1; i < told.size(); ++i) EXPECT_NE(told[i].Id, told[i - 1].Id) << "unit " << i;
  bool kept = false;
  for (const ReadUnit& unit : feed.History()) kept |= unit.Id == panel.Id && unit.Taken == 0;
  EXPECT_TRUE(kept);

  player.Next();  // the title; a second game names its first page the same
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
    feed.Settle();
  }
  EXPECT_EQ(feed.History().size(), 200u);
  EXPECT_EQ(feed.History().front().Id, "page:5");
}

}  // namespace
}  // namespace velmora::playthrough
