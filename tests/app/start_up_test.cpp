#include <gtest/gtest.h>

#include "support/fixtures.h"

namespace velmora {
namespace {

using testing::ScratchDir;
using testing::TestGame;

TEST(StartUp, MissingAssetFileShowsMessageOnceAndLeavesTheScreenBlack) {
  ScratchDir empty;
  HeadlessHost host(empty.Path());
  TForm1& form = host.Start();
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.Messages()[0], "ファイルが足りません\n");
  EXPECT_EQ(form.AssetsMissing(), 1);
  EXPECT_FALSE(form.ImageBa.Visible);
  EXPECT_FALSE(form.G_Timer.Enabled());
  host.RunFor(5000);
  EXPECT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.WindowPixel(320, 240), kBlack);
  EXPECT_FALSE(form.Start_Btn1.Enabled());
  // Only the exit, the sound items and the about box respond.
  host.ClickMenu(form.About_Btn1);
  EXPECT_EQ(host.Messages().size(), 2u);
  host.ClickMenu(form.OFF1);
  EXPECT_EQ(form.BGM_Btn1.Caption(), "音 OFF");
  host.ClickMenu(form.Exit_Btn1);
  EXPECT_TRUE(host.Closed());
}

TEST(StartUp, OpeningAfter500msAndTitleSettlesAfterItsWipe) {
  TestGame game;
  HeadlessHost& host = game.host();
  TForm1& form = game.form();
  EXPECT_EQ(form.Caption, "Velmora　　Kasenrei 体験版");
  EXPECT_TRUE(form.G_Timer.Enabled());
  host.RunFor(499);
  EXPECT_EQ(game.state().ScreenMode, 0);
  host.RunFor(1);
  EXPECT_EQ(game.state().ScreenMode, 1);  // the opening picture is up, the title comes next
  EXPECT_FALSE(form.Start_Btn1.Enabled());
  EXPECT_TRUE(host.RunUntilIdle());
  EXPECT_TRUE(form.Start_Btn1.Enabled());
  EXPECT_TRUE(host.Messages().empty());
}

}  // namespace
}  // namespace velmora
