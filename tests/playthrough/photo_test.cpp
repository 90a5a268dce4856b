// The store photo after the opening: a near miss, another try for 10 points, and a photo
// that gets us thrown out, so the store stays shut until the fourth morning after.
#include <gtest/gtest.h>

#include "gfx/asset_table.h"
#include "playthrough/play_test.h"

namespace velmora::playthrough {
namespace {

constexpr int kStoreByHome = 6;

class Photo : public PlayThrough {
 protected:
  // Whether the deduction field of the status panel shows a value.
  bool DeductionShown() {
    return !SameArea(player.host().Window(), AssetPicture(player, TownBackdrop), StatusRects[4]);
  }
};

TEST_F(Photo, NearMissRetryAndAClosedStore) {
  player.StartNewGame();
  player.WantPhoto(2);
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  EXPECT_EQ(s().CurrentPlace, kStoreByHome);
  EXPECT_EQ(s().Points, 180);  // the opening's walk to the store, then the deal
  player.TakePhoto(2);
  EXPECT_TRUE(player.Saw("「・・・！」"));
  EXPECT_EQ(s().GameRetries, 1);
  EXPECT_TRUE(player.Saw("惜しい！　シャッターが一瞬遅かった。"));

  // The retry choice; pointing at "もう一度撮る" previews its 10 points.
  ASSERT_EQ(player.ReadOn(), Screen::Choice);
  EXPECT_FALSE(DeductionShown());
  player.host().Move(113, 421);
  EXPECT_TRUE(DeductionShown());
  player.host().Move(113, 441);
  EXPECT_FALSE(DeductionShown());

  // Another deal, another 10 points, and this time the shop's manager sees the camera.
  player.WantPhoto(5);
  player.Choose(11);
  ASSERT_EQ(player.Where(), Screen::PhotoGame);
  EXPECT_EQ(s().Points, 170);
  EXPECT_EQ(s().GameRetries, 0);
  player.TakePhoto(5);
  EXPECT_EQ(s().PlaceOpen[kStoreByHome], 5);
  EXPECT_EQ(player.ReadOn(), Screen::Map);
  EXPECT_TRUE(player.Saw("……しばらく、この店には来づらいな。"));
  EXPECT_EQ(s().EventState[11], 1);  // no photo was taken: the store's event stays open
  EXPECT_FALSE(player.PickPlace(kStoreByHome));
  EXPECT_EQ(s().TargetPlace, 0);

  // Three mornings with the store shut; the fourth opens it again.
  for (int day = 2; day <= 4; ++day) {
    player.SleepAtHome();
    EXPECT_EQ(s().DayCount, day);
    EXPECT_EQ(s().PlaceOpen[kStoreByHome], 6 - day);
    EXPECT_FALSE(MapShowsLabel(player, kStoreByHome)) << "day " << day;
    EXPECT_FALSE(player.PickPlace(kStoreByHome)) << "day " << day;
  }
  player.SleepAtHome();
  EXPECT_EQ(s().PlaceOpen[kStoreByHome], 1);
  EXPECT_TRUE(MapShowsLabel(player, kStoreByHome));

  // Its photo waits there again; "やめておく" leaves it for another day.
  const int32_t points = s().Points;
  player.GoTo(kStoreByHome);
  EXPECT_EQ(s().CurrentEvent, 11);
  ASSERT_EQ(player.ReadOn(), Screen::Choice);
  EXPECT_TRUE(player.Saw("ここで一枚、撮ってみる？"));
  player.Choose(12);
  EXPECT_EQ(player.Where(), Screen::Map);
  EXPECT_EQ(s().Points, points - 10);  // the walk there, no deal
  EXPECT_EQ(s().EventState[11], 1);
}

}  // namespace
}  // namespace velmora::playthrough
