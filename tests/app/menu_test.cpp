#include <gtest/gtest.h>

#include <filesystem>

#include "gfx/asset_table.h"
#include "support/fixtures.h"

namespace velmora {
namespace {

using testing::TestGame;

std::vector<std::string> Captions(const MenuItem& item) {
  std::vector<std::string> out;
  for (const MenuItem* child : item.Items()) out.push_back(child->Caption());
  return out;
}

TEST(Menu, HoldsEveryItemWithItsCaptionTagAndStartUpState) {
  TestGame game;
  TForm1& f = game.form();
  EXPECT_EQ(Captions(f.MainMenu1),
            (std::vector<std::string>{"GAME", "セーブ", "ロード", "設定", "バージョン情報", "TEXT読込"}));
  EXPECT_EQ(Captions(f.Game_Btn1), (std::vector<std::string>{"最初から", "続きから", "戻る", "終了"}));
  EXPECT_EQ(Captions(f.Save_Btn1), (std::vector<std::string>{"セーブ　1", "セーブ　2", "セーブ　3"}));
  EXPECT_EQ(Captions(f.Load_Btn1), (std::vector<std::string>{"ロード　1", "ロード　2", "ロード　3"}));
  EXPECT_EQ(Captions(f.N1), (std::vector<std::string>{"音 ON"}));
  EXPECT_EQ(Captions(f.BGM_Btn1), (std::vector<std::string>{"ON", "OFF"}));
  EXPECT_EQ(f.Load_3.Tag(), 3);
  EXPECT_EQ(f.OFF1.Tag(), 2);

  EXPECT_FALSE(f.Start_Btn1.Enabled());
  EXPECT_FALSE(f.ReStart_Btn1.Enabled());
  EXPECT_FALSE(f.ReStart_Btn1.Visible());
  EXPECT_FALSE(f.ReSet_Btn1.Enabled());
  EXPECT_TRUE(f.ReSet_Btn1.Visible());
  EXPECT_TRUE(f.Exit_Btn1.Enabled());
  EXPECT_FALSE(f.Save_Btn1.Enabled());
  EXPECT_FALSE(f.Save_Btn1.Visible());
  EXPECT_FALSE(f.Load_Btn1.Enabled());
  EXPECT_FALSE(f.Load_Btn1.Visible());
  EXPECT_FALSE(f.TEXT1.Visible());
  EXPECT_TRUE(f.ON1.Checked());
  EXPECT_FALSE(f.OFF1.Checked());
}

TEST(Menu, SoundSwitchesOnlyFromTheUncheckedItem) {
  TestGame game;
  game.RunToTitle();
  TForm1& f = game.form();
  game.host().ClickMenu(f.ON1);  // already on: nothing
  EXPECT_TRUE(f.ON1.Checked());
  game.host().ClickMenu(f.OFF1);
  EXPECT_FALSE(f.ON1.Checked());
  EXPECT_TRUE(f.OFF1.Checked());
  EXPECT_EQ(f.BGM_Btn1.Caption(), "音 OFF");
  game.host().ClickMenu(f.OFF1);  // already off: nothing
  EXPECT_EQ(f.BGM_Btn1.Caption(), "音 OFF");
  f.Sound.PlaySoundEffect(1);
  EXPECT_TRUE(game.host().Sounds().empty());
  game.host().ClickMenu(f.ON1);
  EXPECT_EQ(f.BGM_Btn1.Caption(), "音 ON");
  f.Sound.PlaySoundEffect(3);
  ASSERT_EQ(game.host().Sounds().size(), 1u);
  EXPECT_NE(game.host().Sounds()[0].Path.find("wav/03.wav"), std::string::npos);
  f.Sound.PlaySoundEffect(5);  // no such effect
  EXPECT_EQ(game.host().Sounds().size(), 1u);
}

TEST(Menu, TheFirstSoundFileStandsForTheWholeFolder) {
  TestGame game;
  std::filesystem::remove(game.dir().Path() + "/wav/01.wav");
  for (int id = 1; id <= 4; ++id) game.form().Sound.PlaySoundEffect(id);
  EXPECT_TRUE(game.host().Sounds().empty());
}

TEST(Menu, GuardsFollowTheTimersThatMustBeIdle) {
  TestGame game;
  game.RunToTitle();
  TForm1& f = game.form();
  HeadlessHost& host = game.host();

  f.Play_Timer.SetEnabled(true);  // the photo game animating
  host.ClickMenu(f.About_Btn1);
  EXPECT_TRUE(host.Messages().empty());
  f.ReSet_Btn1Click();
  EXPECT_FALSE(f.G_Timer.Enabled());
  f.Play_Timer.SetEnabled(false);

  f.CG_Timer.SetEnabled(true);  // a CG panning
  host.ClickMenu(f.About_Btn1);
  EXPECT_TRUE(host.Messages().empty());
  f.CG_Timer.SetEnabled(false);

  host.ClickMenu(f.About_Btn1);
  ASSERT_EQ(host.Messages().size(), 1u);
  const std::string& about = host.Messages()[0];
  // Four lines, the third empty; the second indented by 22 blanks, the fourth by 6.
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t nl; (nl = about.find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(about.substr(start, nl - start));
  lines.push_back(about.substr(start));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].find_first_not_of(' '), 22u);
  EXPECT_TRUE(lines[2].empty());
  EXPECT_EQ(lines[3].find_first_not_of(' '), 6u);

  f.Play_Timer.SetEnabled(true);
  host.ClickMenu(f.Exit_Btn1);  // exit only waits for a mode change
  EXPECT_TRUE(host.Closed());
  EXPECT_FALSE(f.Play_Timer.Enabled());  // closing stops every timer
}

TEST(Menu, StartIsDisabledAndInertUntilTheTitleSettles) {
  TestGame game;
  TForm1& f = game.form();
  game.host().RunFor(600);
  f.Start_Btn1Click();  // even called directly, the mode timer guard holds
  EXPECT_EQ(game.state().ScreenMode, 1);
  EXPECT_EQ(game.state().Points, 0);
  game.host().RunUntilIdle();
  game.host().ClickMenu(f.Start_Btn1);
  EXPECT_EQ(game.state().ScreenMode, 6);
  EXPECT_EQ(game.state().Points, 200);
  EXPECT_FALSE(f.Start_Btn1.Enabled());
}

TEST(Menu, LoadClearsTheAlbumAndContinuesOnlyFromTheTown) {
  TestGame game;
  game.RunToTitle();
  TForm1& f = game.form();
  game.state().CgSeen[2] = 1;
  f.Load_3Click();
  EXPECT_EQ(game.state().CgSeen[2], 0);
  EXPECT_TRUE(f.ReStart_Btn1.Enabled());
  EXPECT_FALSE(f.G_Timer.Enabled());
  // Title button 2 now shows in its normal look, on the screen and in BackBuffer.
  Picture sheet = f.Assets.ReadPicture(kTitleButtonSheet);
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(300, 230), sheet.PixelColor(20, 43));
  EXPECT_EQ(f.BackBuffer.PixelColor(300, 230), sheet.PixelColor(20, 43));

  game.state().ScreenMode = 4;
  f.Load_3Click();
  EXPECT_TRUE(f.G_Timer.Enabled());
  EXPECT_EQ(game.state().ModeArg, 1);
}

}  // namespace
}  // namespace velmora
