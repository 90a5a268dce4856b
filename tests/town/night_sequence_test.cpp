#include <gtest/gtest.h>

#include "gfx/asset_table.h"
#include "gfx/sjis.h"
#include "town/town_fixture.h"

namespace velmora {
namespace {

using testing::SceneColor;
using testing::ShowsText;
using testing::TownBackdropPicture;
using testing::TownGame;

constexpr Point kProbe{260, 240};  // inside the map area, on no label

// The clock, weekday and points fields of the window show these texts.
void ExpectPanel(TownGame& game, const char* clock, const char* weekday, const std::string& points) {
  const Picture& window = game.host().Window();
  const Picture& backdrop = TownBackdropPicture();
  EXPECT_TRUE(ShowsText(window, backdrop, StatusRects[1], {537, 42}, clock, 20)) << clock;
  EXPECT_TRUE(ShowsText(window, backdrop, StatusRects[2], {567, 107}, Sjis(weekday))) << weekday;
  const int32_t v = std::stoi(points);
  EXPECT_TRUE(ShowsText(window, backdrop, StatusRects[3], {StatusPanel::RightAlignX(v, 582), 305}, points)) << points;
}

TEST(NightSequence, AwayFromHomeWithFewPointsTheNextDayStartsLate) {
  TownGame game;
  GameState& s = game.state();
  const Picture& window = game.host().Window();
  game.SetUpDay(5);
  s.DayCount = 2;
  s.TimeSlot = 43;
  s.Points = 5;
  s.CurrentPlace = 3;
  s.TargetPlace = 0;
  game.EnterTown();
  EXPECT_EQ(game.LastLine(), "もうこんな時間か。今日の散歩は終了だ。");
  ExpectPanel(game, "05 : 00", "火", "5");
  // The walk home at night is previewed; the map shows the open places' labels.
  EXPECT_TRUE(ShowsText(window, TownBackdropPicture(), StatusRects[4], {582, 337}, "-10"));
  EXPECT_EQ(window.PixelColor(190, 290), testing::kLabelColor);  // the park's label

  game.Click(300, 200);  // not the page button: nothing happens
  EXPECT_EQ(s.TownPhase, 5);
  EXPECT_FALSE(game.form().G_Timer.Enabled());

  game.ClickPageButton();
  EXPECT_EQ(s.TimeSlot, 44);
  EXPECT_EQ(s.TownPhase, 6);
  game.host().RunUntilIdle();
  // The remark is chosen before bedtime takes its 10 points.
  EXPECT_EQ(game.LastLine(), "もう寝よう。");
  EXPECT_EQ(s.Points, -5);
  ExpectPanel(game, "00 : 00", "火", "-5");
  EXPECT_FALSE(testing::HasText(window, StatusRects[4]));
  EXPECT_EQ(window.PixelColor(kProbe.X, kProbe.Y), SceneColor(14));

  game.ClickPageButton();
  game.host().RunUntilIdle();
  EXPECT_EQ(s.DayCount, 3);
  EXPECT_EQ(s.TimeSlot, 45);
  EXPECT_EQ(s.TownPhase, 7);
  EXPECT_EQ(game.LastLine(), "ZZZZZ・・・・・");
  ExpectPanel(game, "02 : 00", "水", "-5");
  EXPECT_EQ(window.PixelColor(kProbe.X, kProbe.Y), testing::kPlainColor);

  game.ClickPageButton();
  game.host().RunUntilIdle();
  EXPECT_EQ(s.TownPhase, 0);
  EXPECT_EQ(s.TimeSlot, 20);  // slept in
  EXPECT_EQ(s.CurrentPlace, 1);
  EXPECT_EQ(game.LastLine(), "もう、お昼だ。寝過ぎた～っ！！");
  EXPECT_EQ(s.Points, 145);  // 95 after the night, and the late morning's bonus
  ExpectPanel(game, "01 : 10", "水", "145");
  EXPECT_EQ(window.PixelColor(kProbe.X, kProbe.Y), SceneColor(1));

  const size_t lines = game.host().Lines.size();
  game.ClickPageButton();
  game.host().RunUntilIdle();
  EXPECT_EQ(s.TownPhase, 1);
  EXPECT_EQ(s.TimeSlot, 20);  // the morning's page takes no time
  EXPECT_EQ(s.Points, 145);
  EXPECT_EQ(game.host().Lines.size(), lines);  // the map has no remark
  EXPECT_EQ(window.PixelColor(12, 22), testing::kPlainColor);  // the prompt's strip
}

TEST(NightSequence, AtHomeWithPointsLeftTheNextDayStartsAtTen) {
  TownGame game;
  GameState& s = game.state();
  game.SetUpDay(5);
  s.DayCount = 6;
  s.TimeSlot = 30;
  s.Points = 150;
  s.CurrentPlace = 1;
  s.TargetPlace = 1;
  game.EnterTown();
  EXPECT_EQ(game.LastLine(), "今日は終了だ。");
  EXPECT_FALSE(testing::HasText(game.host().Window(), StatusRects[4]));
  EXPECT_EQ(game.host().Window().PixelColor(kProbe.X, kProbe.Y), SceneColor(1));
  const char* remarks[] = {"もう寝よう。", "ZZZZZ・・・・・", "今日はどこへ行こうかな。"};
  for (const char* remark : remarks) {
    game.ClickPageButton();
    game.host().RunUntilIdle();
    EXPECT_EQ(game.LastLine(), remark);
  }
  EXPECT_EQ(s.DayCount, 7);
  EXPECT_EQ(s.TimeSlot, 1);
  EXPECT_EQ(s.Points, 200);  // capped, and no bonus
  ExpectPanel(game, "10 : 00", "日", "200");
}

}  // namespace
}  // namespace velmora
