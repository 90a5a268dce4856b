// A day walked until the points run out far from home, and the night that follows: the
// walk's end, bedtime, sleep and a late morning, each with its remark and its picture.
#include <gtest/gtest.h>

#include "gfx/asset_table.h"
#include "playthrough/play_test.h"

namespace velmora::playthrough {
namespace {

constexpr int kHome = 1;
constexpr Rect kMapAboveWindow{10, 10, 510, 380};  // the map area the message window leaves free

class Night : public PlayThrough {
 protected:
  // Whether the map area above the message window shows scene picture Scene.
  bool ShowsScene(int scene) {
    return ShowsAssetPart(player, AssetTable.ScenePictures[scene], Rect{0, 0, 500, 370}, {10, 10});
  }
  // The last story line drawn since the last look.
  std::string LastLine() {
    const std::vector<std::string> lines = player.TakeLines();
    return lines.empty() ? "" : lines.back();
  }
};

TEST_F(Night, AFullDayEndsFarFromHomeAndTheNextStartsLate) {
  player.StartNewGame();
  player.WantPhoto(4);
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  player.TakePhoto(4);
  player.ReadToMap();
  EXPECT_EQ(s().Points, 180);
  EXPECT_EQ(s().TimeSlot, 3);

  // The family restaurant, a convenience store and a street far north: no one is there.
  for (const int place : {16, 9, 14}) {
    player.GoTo(place);
    EXPECT_EQ(s().CurrentEvent, 0) << "place " << place;
  }
  EXPECT_EQ(s().Points, 0);  // 120, 30 and 30
  EXPECT_EQ(s().TimeSlot, 21);

  // Too few points to walk home: the walk is over where we stand, on the map.
  ASSERT_EQ(player.Where(), Screen::WalkOver);
  EXPECT_EQ(LastLine(), "今日の散歩は終了だ。");
  EXPECT_TRUE(MapShowsLabel(player, 5));
  EXPECT_FALSE(SameArea(player.host().Window(), AssetPicture(player, TownBackdrop), StatusRects[4]));  // -10

  player.Next();
  ASSERT_EQ(player.Where(), Screen::Bedtime);
  EXPECT_EQ(s().TimeSlot, 44);
  EXPECT_EQ(LastLine(), "今日は疲れたなぁ。もう寝よう。");
  EXPECT_EQ(s().Points, -10);  // the walk home at night, after the remark was chosen
  EXPECT_TRUE(ShowsScene(14));

  player.Next();
  ASSERT_EQ(player.Where(), Screen::Asleep);
  EXPECT_EQ(s().DayCount, 2);
  EXPECT_EQ(s().TimeSlot, 45);
  EXPECT_EQ(LastLine(), "ZZZZZ・・・・・");
  EXPECT_TRUE(ShowsAssetPart(player, PlainBackdrop, kMapAboveWindow, {10, 10}));

  player.Next();
  ASSERT_EQ(player.Where(), Screen::Morning);
  EXPECT_EQ(s().CurrentPlace, kHome);
  EXPECT_EQ(s().TimeSlot, 20);  // 13:10: the night ended with no points left
  EXPECT_EQ(LastLine(), "もう、お昼だ。寝過ぎた～っ！！");
  EXPECT_EQ(s().Points, 140);  // 100 for the night, 50 for the lost morning
  EXPECT_TRUE(ShowsScene(1));

  player.Next();
  ASSERT_EQ(player.Where(), Screen::Map);

  // A day that ends at home: no walk home at night, and a morning at ten.
  player.GoTo(kHome);
  ASSERT_EQ(player.Where(), Screen::WalkOver);
  EXPECT_EQ(LastLine(), "今日は終了だ。");
  EXPECT_EQ(s().Points, 135);  // staying where one is costs 5
  player.Next();
  EXPECT_EQ(LastLine(), "もう寝よう。");
  EXPECT_EQ(s().Points, 135);
  player.Next();
  player.Next();
  ASSERT_EQ(player.Where(), Screen::Morning);
  EXPECT_EQ(s().DayCount, 3);
  EXPECT_EQ(s().TimeSlot, 1);
  EXPECT_EQ(s().Points, 200);  // capped
  EXPECT_EQ(LastLine(), "今日はどこへ行こうかな。");
}

}  // namespace
}  // namespace velmora::playthrough
