// Sanu at the park and Orika's chain on the town street: pictures that pan, a rest frame
// shown without its pan, framed snapshots, and Orika's two set-2 choices over two days.
#include <gtest/gtest.h>

#include "gfx/asset_table.h"
#include "playthrough/play_test.h"

namespace velmora::playthrough {
namespace {

constexpr int kPark = 5;
constexpr int kTownStreet = 13;

using Heroines = PlayThrough;

TEST_F(Heroines, SanuOnTheBridge) {
  PlayTheOpening();
  const int32_t points = s().Points;
  player.GoTo(kPark);
  ASSERT_EQ(player.Where(), Screen::Page);
  EXPECT_EQ(s().CurrentEvent, 9);
  EXPECT_EQ(s().Partner, 2);

  // Read to the bridge: the picture pans up from the river to the sky.
  while (player.Where() == Screen::Page && s().CurrentCg != 2) player.Next();
  ASSERT_EQ(s().CurrentCg, 2);
  EXPECT_EQ(s().CgSeen[2], 1);
  EXPECT_GE(player.PanTicksSeen(), 200);  // 440 rows, two a tick
  EXPECT_EQ(s().CgShown, 1);
  // At rest the window shows rows 60..539 of the picture, under the text.
  EXPECT_TRUE(ShowsAssetPart(player, AssetTable.CgTable[2].Offset, Rect{0, 60, 640, 430}, {0, 0}));

  // The portrait over the riverside, the bridge again at rest without panning, then her
  // framed snapshot, and the map.
  const int ticks = player.PanTicksSeen();
  EXPECT_EQ(player.ReadOn(), Screen::Map);
  EXPECT_EQ(player.PanTicksSeen(), ticks);  // "<CG_text>" never pans
  EXPECT_TRUE(player.Saw("「……絵ができたら、見てくださいね」"));
  EXPECT_EQ(s().CgSeen[6], 1);
  EXPECT_EQ(s().EventState[9], 2);
  EXPECT_EQ(s().Partner, 0);
  EXPECT_EQ(s().HeroineWait[2], 1);
  // The move, and the walk to the riverside (another scene than the park's own).
  EXPECT_EQ(s().Points, points - 30 - 10);
}

TEST_F(Heroines, OrikasChainOverTwoDays) {
  PlayTheOpening();
  // Day 1: she is crouching on the street corner, then takes us to the café.
  player.GoTo(kTownStreet);
  EXPECT_EQ(s().CurrentEvent, 10);
  EXPECT_EQ(s().Partner, 3);
  ASSERT_EQ(player.ReadOn(), Screen::Choice);
  EXPECT_EQ(s().CurrentEvent, 12);  // "*ending" moved her on past event 11
  EXPECT_EQ(s().ChoiceSet, 2);
  player.TakeLines();
  // Hovering the first option writes it again in white, over the grey one.
  const Rect firstOption{63, 414, 164, 430};
  EXPECT_FALSE(Inked(player, firstOption, kWhite));
  player.host().Move(113, 421);
  EXPECT_TRUE(Inked(player, firstOption, kWhite));
  const std::vector<std::string> hovered = player.TakeLines();
  ASSERT_FALSE(hovered.empty());
  EXPECT_EQ(hovered.back(), "オリカを撮る");

  // 1 "オリカを撮る": the riverside, where set 2 asks again; "撮る" goes on to the photo.
  player.Choose(11);
  EXPECT_EQ(s().CurrentEvent, 13);
  ASSERT_EQ(player.ReadOn(), Screen::Choice);
  player.WantPhoto(1);
  player.Choose(11);
  // Play goes on four lines after the question, past the line after the options, which
  // is never shown: straight to the cards.
  ASSERT_EQ(player.Where(), Screen::PhotoGame);
  EXPECT_FALSE(player.Saw("（深呼吸して、カメラを構えた）"));
  player.TakePhoto(1);
  EXPECT_EQ(player.ReadOn(), Screen::Map);
  EXPECT_EQ(s().CgSeen[7], 1);
  EXPECT_EQ(s().EventState[13], 2);
  EXPECT_EQ(s().EventState[10], 1);  // her street scene stays open
  player.SleepAtHome();

  // Day 2: she is there again; this time the roof at night.
  EXPECT_EQ(s().DayCount, 2);
  player.GoTo(kTownStreet);
  EXPECT_EQ(s().Partner, 3);
  ASSERT_EQ(player.ReadOn(), Screen::Choice);
  player.Choose(12);
  EXPECT_EQ(s().CurrentEvent, 14);
  // The roof at night pans down over the stars; a click on it skips to its rest frame,
  // rows 430..909, under the first page.
  player.SkipPans(true);
  const int ticks = player.PanTicksSeen();
  while (player.Where() == Screen::Page && s().CurrentCg != 3) player.Next();
  EXPECT_EQ(player.PanTicksSeen() - ticks, 1);
  EXPECT_EQ(s().CgSeen[3], 1);
  EXPECT_TRUE(ShowsAssetPart(player, AssetTable.CgTable[3].Offset, Rect{0, 430, 640, 800}, {0, 0}));
  EXPECT_EQ(player.ReadOn(), Screen::WalkOver);
  EXPECT_TRUE(player.Saw("「展示に出さなかったやつ。……大事にしてよね」"));
  // The roof's outcome is that of the record its number names, given to Orika.
  EXPECT_EQ(s().EventState[14], 2);
  EXPECT_EQ(s().HeroineWait[3], 1);
  player.ReadToMap();

  // Day 3 is a multiple of three: she is not there.
  EXPECT_EQ(s().DayCount, 3);
  player.GoTo(kTownStreet);
  EXPECT_EQ(player.Where(), Screen::Map);
}

}  // namespace
}  // namespace velmora::playthrough
