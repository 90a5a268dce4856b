// Turning pages by key (Enter, Space, the wheel): the same press and release on the page
// button a click gives, so a route read by key ends exactly where the mouse leads, and
// the keys do nothing where no page button is live.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/live_targets.h"
#include "gfx/asset_table.h"
#include "playthrough/play_test.h"

namespace velmora::playthrough {
namespace {

constexpr int kHome = 1;
constexpr int kMirelsHouse = 2;
constexpr int kPark = 5;
constexpr int kSupermarket = 10;
constexpr int kTownStreet = 13;

// Mirel's short route to the bad ending: text pages, photos, her choices, evenings, nights
// and mornings, the ending screen and back to the title.
std::vector<std::string> PlayToTheBadEnding(Player& p) {
  p.SkipPans(true);
  p.StartNewGame();
  EXPECT_EQ(p.ReadOn(), Screen::PhotoGame);
  const GameState& s = p.state();
  p.TakePhoto(s.GameCards[1] == 5 ? s.GameCards[2] : s.GameCards[1]);
  if (p.ReadOn() == Screen::Choice) p.Choose(12);
  p.ReadToMap();
  p.GoTo(kSupermarket);
  p.ReadToMap();
  p.GoTo(kTownStreet);
  p.WantPhoto(1);
  EXPECT_EQ(p.ReadOn(), Screen::PhotoGame);
  p.TakePhoto(1);
  EXPECT_EQ(p.ReadOn(), Screen::Choice);
  p.Choose(11);
  p.WantPhoto(1);
  EXPECT_EQ(p.ReadOn(), Screen::PhotoGame);
  p.TakePhoto(1);
  EXPECT_EQ(p.ReadOn(), Screen::Choice);
  p.Choose(11);
  p.ReadToMap();
  for (const int place : {kPark, kSupermarket, kHome}) {
    p.GoTo(place);
    p.ReadToMap();
  }
  p.GoTo(kMirelsHouse);
  EXPECT_EQ(p.ReadOn(), Screen::Ending);
  p.Next();
  EXPECT_EQ(p.Where(), Screen::Title);
  return p.TakeLines();
}

// The lines without a choice panel drawn again over itself: a pointer that hovers over an
// option redraws the panel, which keys alone never do.
std::vector<std::string> WithoutRedraws(const std::vector<std::string>& lines) {
  std::vector<std::string> kept;
  for (const std::string& line : lines)
    if (std::find(kept.size() > 4 ? kept.end() - 4 : kept.begin(), kept.end(), line) == kept.end()) kept.push_back(line);
  return kept;
}

TEST(KeyAdvance, ARouteReadByKeyOrPlayedByKeysAloneEndsExactlyAsByMouse) {
  Player byMouse;
  const std::vector<std::string> mouseLines = PlayToTheBadEnding(byMouse);
  ASSERT_FALSE(mouseLines.empty());
  EXPECT_EQ(mouseLines.back(), "BAD　END・・・再挑戦してね。");
  for (const bool keysAlone : {false, true}) {
    SCOPED_TRACE(keysAlone ? "keys alone" : "pages by key");
    Player byKey;
    byKey.TurnPagesByKey(true);
    byKey.UseKeysAlone(keysAlone);
    const std::vector<std::string> keyLines = PlayToTheBadEnding(byKey);
    if (keysAlone)
      EXPECT_EQ(WithoutRedraws(keyLines), WithoutRedraws(mouseLines));
    else
      EXPECT_EQ(keyLines, mouseLines);
    EXPECT_TRUE(SameArea(byKey.host().Window(), byMouse.host().Window(), ScreenRect));
    const GameState& a = byMouse.state();
    const GameState& b = byKey.state();
    EXPECT_EQ(b.ScreenMode, 1);
    EXPECT_EQ(b.DayCount, a.DayCount);
    EXPECT_EQ(b.Points, a.Points);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(b.CgSeen[i], a.CgSeen[i]) << "picture " << i;
    EXPECT_TRUE(byKey.host().Messages().empty());
  }
}

TEST(KeyAdvance, NothingWhereNoPageButtonIsLive) {
  Player p;
  const auto live = [&p] { return PageButtonTarget(p.form()).has_value(); };
  EXPECT_FALSE(live()) << "title";
  p.OpenAlbum();  // not there yet: the title stays

  // During the wipe to the opening's first page.
  p.host().Move(kNewGameButton.X, kNewGameButton.Y);
  p.host().Click(kNewGameButton.X, kNewGameButton.Y);
  ASSERT_TRUE(p.form().G_Timer.Enabled());
  EXPECT_FALSE(live()) << "mode change";
  EXPECT_FALSE(p.PressPageKey());
  EXPECT_EQ(p.ReadOn(), Screen::PhotoGame);

  // Cards face down, then one turning.
  EXPECT_FALSE(live()) << "cards to pick";
  p.host().Click(95, 200);
  ASSERT_TRUE(p.form().Play_Timer.Enabled());
  EXPECT_FALSE(live()) << "card turning";
  const GameState before = p.state();
  p.host().Release(464, 451);
  EXPECT_EQ(p.state().GamePick, before.GamePick);
  p.host().RunFor(1000);
  EXPECT_TRUE(live()) << "the photo's result";

  p.TurnPagesByKey(true);
  p.Next();
  if (p.ReadOn() == Screen::Choice) {
    EXPECT_FALSE(live()) << "choice";
    p.Choose(12);
  }
  p.ReadToMap();
  EXPECT_FALSE(live()) << "map";
  ASSERT_TRUE(p.PickPlace(kSupermarket));
  EXPECT_FALSE(live()) << "move confirmation";
  p.CancelMove();

  // Sanu on the bridge: her picture pans in, and a page key cuts it short.
  p.SkipPans(true);
  p.GoTo(kPark);
  EXPECT_EQ(p.ReadOn(), Screen::Map);
  EXPECT_GT(p.PanTicksSeen(), 0);
  EXPECT_EQ(p.state().CgSeen[2], 1);

  p.BackToTitleByMenu();
  p.OpenAlbum();
  ASSERT_EQ(p.Where(), Screen::Album);
  EXPECT_FALSE(live()) << "album";
  EXPECT_TRUE(p.host().Messages().empty());
}

}  // namespace
}  // namespace velmora::playthrough
