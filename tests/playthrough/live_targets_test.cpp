// What can be pressed now, screen by screen: each live target is named as a person would
// say it and sits where the game's own hit test answers for it (a target whose point the
// hit test does not take is not listed, so a wrong point shows as a missing name).
#include <gtest/gtest.h>

#include <algorithm>

#include "app/live_targets.h"
#include "gfx/sjis.h"
#include "playthrough/play_test.h"

namespace velmora::playthrough {
namespace {

using Names = std::vector<std::string>;

Names NamesOf(const TForm1& form) {
  Names names;
  for (const LiveTarget& t : LiveTargets(form)) names.push_back(t.Name);
  return names;
}

std::string BackOf(const TForm1& form) {
  for (const LiveTarget& t : LiveTargets(form))
    if (t.IsBack) return t.Name;
  return "";
}

TEST(LiveTargets, EachScreenOffersWhatAClickThereWouldDo) {
  Player p;
  TForm1& f = p.form();
  EXPECT_EQ(NamesOf(f), (Names{"最初から", "終了"})) << "no album before picture 4 is seen";
  f.State.CgSeen[2] = 1;
  f.State.CgSeen[4] = 1;
  EXPECT_EQ(NamesOf(f), (Names{"最初から", "アルバム", "終了"}));
  EXPECT_EQ(BackOf(f), "");
  EXPECT_EQ(ScreenPrompt(LiveTargets(f)), "タイトル画面");

  p.OpenAlbum();
  EXPECT_EQ(NamesOf(f), (Names{"タイトルに戻る", "絵2", "絵4"})) << "locked slots are not offered";
  EXPECT_EQ(BackOf(f), "タイトルに戻る");
  const uint64_t album = ScreenKey(f);
  p.ClickAlbumSlot(2);
  EXPECT_EQ(NamesOf(f), (Names{"タイトルに戻る", "絵2", "絵を見る"}));
  EXPECT_NE(ScreenKey(f), album);
  p.host().Click(247, 275);  // the view button: the picture pans in
  for (int ms = 0; ms < 5000 && !f.CG_Timer.Enabled(); ms += 10) p.host().RunFor(10);
  ASSERT_TRUE(f.CG_Timer.Enabled());
  EXPECT_EQ(NamesOf(f), (Names{"スキップ"}));
  p.host().Click(320, 240);
  EXPECT_EQ(p.ReadOn(), Screen::AlbumPicture);
  p.BackToTitleByMenu();

  p.host().Move(kNewGameButton.X, kNewGameButton.Y);
  p.host().Click(kNewGameButton.X, kNewGameButton.Y);
  EXPECT_EQ(NamesOf(f), Names{}) << "a mode change drops every press";
  while (f.G_Timer.Enabled() || f.CG_Timer.Enabled()) p.host().RunFor(10);
  ASSERT_EQ(p.Where(), Screen::Page);
  EXPECT_EQ(NamesOf(f), (Names{"次へ"}));
  EXPECT_EQ(ScreenPrompt(LiveTargets(f)), "") << "a page is read, not prompted";
  const uint64_t page = ScreenKey(f);
  p.Next();
  EXPECT_NE(ScreenKey(f), page) << "the next page is a new screen";

  ASSERT_EQ(p.ReadOn(), Screen::PhotoGame);
  EXPECT_EQ(NamesOf(f), (Names{"カード1", "カード2", "カード3", "カード4"}));
  p.host().Click(95, 200);
  EXPECT_EQ(NamesOf(f), Names{}) << "a card turning";
  p.host().RunFor(1000);
  EXPECT_EQ(NamesOf(f), (Names{"次へ"}));
  p.Next();
  if (p.ReadOn() == Screen::Choice) p.Choose(12);
  p.ReadToMap();

  Names places = NamesOf(f);
  std::sort(places.begin(), places.end());
  EXPECT_EQ(places, (Names{"コンビニ", "コンビニ", "コンビニ", "コンビニ", "スーパー", "スーパー", "ファミレス", "公園",
                           "自宅", "街", "街", "街"}))
      << "the open places; Mirel's, Sanu's and Orika's houses and one street are closed";
  EXPECT_EQ(ScreenPrompt(LiveTargets(f)), "移動先を選んでください。");
  ASSERT_TRUE(p.PickPlace(10));
  EXPECT_EQ(NamesOf(f), (Names{"移動する", "やめる"}));
  EXPECT_EQ(BackOf(f), "やめる");
}

// A choice names its options by their text: set 2 by its option lines, sets 3 and 6 by
// the caption standing over each option's area; an option without one by its number.
TEST(LiveTargets, ChoiceOptionsAreNamedByWhatTheySay) {
  testing::TestGame game;
  game.RunToTitle();
  TForm1& f = game.form();
  const auto lineOf = [&f](const std::string& text) {
    const std::vector<std::string>& lines = f.ScriptLines.Lines();
    return static_cast<uint16_t>(std::find(lines.begin(), lines.end(), Sjis(text)) - lines.begin());
  };
  GameState& s = f.State;
  s.ScreenMode = 4;
  s.TownPhase = 4;
  struct Case {
    int32_t Set;
    const char* Prompt;
    int32_t Gauge;
    Names Expected;
  };
  const Case cases[] = {
      {2, "「あたしを撮る？　それとも、屋上に行く？」", 0, {"オリカを撮る", "屋上に行く"}},
      {6, "「このあと、どうしよっか」", 0, {"買い物へ", "お茶に", "公園へ", "送る", "昔"}},
      {6, "「このあと、どうしよっか」", 70, {"買い物へ", "お茶に", "公園へ", "送る", "選択肢5", "選択肢6", "昔"}},
  };
  for (const Case& c : cases) {
    s.ChoiceSet = c.Set;
    s.ScriptPos = lineOf(c.Prompt);
    s.HeroineGauge[0] = c.Gauge;
    ASSERT_LT(s.ScriptPos, f.ScriptLines.Count()) << c.Prompt;
    EXPECT_EQ(NamesOf(f), c.Expected) << "set " << c.Set << ", gauge " << c.Gauge;
  }
}

}  // namespace
}  // namespace velmora::playthrough
