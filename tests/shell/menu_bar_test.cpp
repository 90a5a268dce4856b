#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>

#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::ShellGame;

// One line per action: nesting dots, caption, then V/v (visible), E/e (enabled; Qt
// reports every hidden action disabled, so '-' there), C/c (checked, and only then
// checkable).
void Describe(const QList<QAction*>& actions, const std::string& dots, std::vector<std::string>& out) {
  for (QAction* action : actions) {
    std::string state;
    state += action->isVisible() ? 'V' : 'v';
    state += !action->isVisible() ? '-' : action->isEnabled() ? 'E' : 'e';
    state += action->isChecked() ? 'C' : 'c';
    if (action->isCheckable() != action->isChecked()) state += '!';
    out.push_back(dots + action->text().toStdString() + " " + state);
    if (action->menu()) Describe(action->menu()->actions(), dots + ".", out);
  }
}

std::vector<std::string> MenuBarLines(GameWindow& window) {
  std::vector<std::string> lines;
  Describe(window.menuBar()->actions(), "", lines);
  return lines;
}

TEST(MenuBar, ItemsCaptionsAndStatesAfterStartUpWithTheAssetFile) {
  ShellGame game;
  // The whole menu of the table, captions exact (no '&' added), in its start-up states.
  const std::vector<std::string> expected = {
      "GAME VEc",         ".最初から Vec",     ".続きから v-c",     ".戻る Vec",
      ".終了 VEc",        "セーブ v-c",        ".セーブ　1 VEc",    ".セーブ　2 VEc",
      ".セーブ　3 VEc",   "ロード v-c",        ".ロード　1 VEc",    ".ロード　2 VEc",
      ".ロード　3 VEc",   "設定 VEc",          ".音 ON VEc",        "..ON VEC",
      "..OFF VEc",        "バージョン情報 VEc", "TEXT読込 v-c",
  };
  EXPECT_EQ(MenuBarLines(game.window()), expected);
  EXPECT_FALSE(game.window().menuBar()->isNativeMenuBar());
  EXPECT_TRUE(game.record().Messages.empty());
  EXPECT_EQ(game.window().windowTitle().toStdString(), "Velmora　　Kasenrei 体験版");
}

TEST(MenuBar, WithoutTheAssetFileTheSameStatesAndOneMessage) {
  ShellGame game(/*withAssets=*/false);
  const std::vector<std::string> lines = MenuBarLines(game.window());
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines[1], ".最初から Vec");
  EXPECT_EQ(lines[3], ".戻る Vec");
  EXPECT_EQ(lines[4], ".終了 VEc");
  EXPECT_EQ(lines[5], "セーブ v-c");
  EXPECT_EQ(lines[9], "ロード v-c");
  EXPECT_EQ(lines[18], "TEXT読込 v-c");
  ASSERT_EQ(game.record().Messages.size(), 1u);
  EXPECT_EQ(game.record().Messages[0].toStdString(), "ファイルが足りません\n");
}

TEST(MenuBar, SoundItemsFollowTheGameThroughTheirActions) {
  // Without the asset file no timer runs, so the sound items answer at once.
  ShellGame game(/*withAssets=*/false);
  TForm1& form = game.form();
  MenuBarMirror& menus = game.window().Menus();
  QAction* on = menus.ActionOf(form.ON1);
  QAction* off = menus.ActionOf(form.OFF1);
  QAction* sound = menus.ActionOf(form.BGM_Btn1);
  ASSERT_TRUE(on && off && sound);

  off->trigger();
  EXPECT_TRUE(off->isChecked());
  EXPECT_FALSE(on->isChecked());
  EXPECT_FALSE(on->isCheckable());
  EXPECT_EQ(sound->text().toStdString(), "音 OFF");
  EXPECT_FALSE(form.ON1.Checked());

  // Picking the checked item again changes nothing, although Qt would uncheck it.
  off->trigger();
  EXPECT_TRUE(off->isChecked());
  EXPECT_TRUE(form.OFF1.Checked());
  EXPECT_EQ(sound->text().toStdString(), "音 OFF");

  on->trigger();
  EXPECT_TRUE(on->isChecked());
  EXPECT_FALSE(off->isChecked());
  EXPECT_EQ(sound->text().toStdString(), "音 ON");
}

TEST(MenuBar, GuardedItemsDoNothingDuringAModeChange) {
  // With the asset file the mode timer runs from the start: "OFF" must not act yet.
  ShellGame game;
  QAction* off = game.window().Menus().ActionOf(game.form().OFF1);
  off->trigger();
  EXPECT_FALSE(off->isChecked());
  EXPECT_TRUE(game.form().ON1.Checked());
  game.window().Menus().ActionOf(game.form().About_Btn1)->trigger();
  EXPECT_TRUE(game.record().Messages.empty());
}

}  // namespace
}  // namespace velmora
