// Damaged and hostile asset files played from start-up through the title into a new game:
// the game reports what is wrong in a message box and keeps running; it never crashes.
#include <gtest/gtest.h>

#include "gfx/asset_layout.h"
#include "gfx/asset_table.h"
#include "support/fixtures.h"

namespace velmora {
namespace {

using testing::DemoAssetShared;

// Start-up, the title, a new game and a few pages, as a player would click them.
std::vector<std::string> PlayToTheOpening(HeadlessHost& host) {
  host.Start();
  host.RunFor(500);
  host.RunUntilIdle(5000);
  host.Click(320, 198);
  host.RunUntilIdle(5000);
  for (int page = 0; page < 3; ++page) {
    host.Click(460, 450);
    host.Click(570, 445);
    host.RunUntilIdle(5000);
  }
  return host.Messages();
}

std::vector<std::string> PlayCutAt(int64_t size) {
  testing::ScratchDir dir;
  HeadlessHost host(dir.Path());
  host.SetMemoryFile("data/qelvart.red", DemoAssetShared(), {}, size);
  return PlayToTheOpening(host);
}

TEST(DamagedAssetFile, CutAtEverySlotBoundaryIsReportedAndTheGameGoesOn) {
  for (const AssetSlot& slot : AssetSlots()) {
    for (int64_t cut : {int64_t{slot.Offset}, int64_t{slot.Offset} + slot.Length / 2}) {
      const std::vector<std::string> messages = PlayCutAt(cut);
      // Every cut loses a picture the opening or the title needs, or the script.
      if (cut <= kAlbumBackdrop) EXPECT_FALSE(messages.empty()) << slot.Name << " cut at " << cut;
      for (const std::string& m : messages) EXPECT_FALSE(m.empty()) << slot.Name;
    }
  }
  // Cut right before the script: every picture is there, the script is empty.
  EXPECT_FALSE(PlayCutAt(ScriptOffset).empty());
}

TEST(DamagedAssetFile, AnEmptyFileGivesOneReportPerFailedScreenNotAFlood) {
  testing::ScratchDir dir;
  HeadlessHost host(dir.Path());
  host.SetMemoryFile("data/qelvart.red", DemoAssetShared(), {}, 0);
  host.Start();
  host.RunFor(60000);
  // The opening and the title fail once each; the mode timer does not retry for ever.
  ASSERT_EQ(host.Messages().size(), 2u);
  EXPECT_NE(host.Messages()[0].find("ビットマップ"), std::string::npos) << host.Messages()[0];
  EXPECT_FALSE(host.Form().G_Timer.Enabled());
  EXPECT_TRUE(host.Form().Start_Btn1.Enabled());
  // Each later action that needs a picture reports once.
  host.ClickMenu(host.Form().Start_Btn1);
  host.RunFor(60000);
  EXPECT_EQ(host.Messages().size(), 3u);
  EXPECT_TRUE(host.Form().ReSet_Btn1.Enabled());
}

TEST(DamagedAssetFile, AbsurdPictureHeadersAreRefusedWhereTheyAreRead) {
  // The title backdrop claims to be 0x7FFFFFFF wide; the opening logo 20000 tall.
  std::vector<FileStream::Layer> layers = {{kTitleBackdrop + 18, {0xFF, 0xFF, 0xFF, 0x7F}},
                                           {kOpeningLogo + 22, {0x20, 0x4E, 0x00, 0x00}}};
  testing::ScratchDir dir;
  HeadlessHost host(dir.Path());
  host.SetMemoryFile("data/qelvart.red", DemoAssetShared(), std::move(layers),
                     static_cast<int64_t>(DemoAssetShared()->size()));
  host.Start();
  host.RunFor(500);
  host.RunUntilIdle(5000);
  ASSERT_EQ(host.Messages().size(), 2u);
  for (const std::string& m : host.Messages()) EXPECT_NE(m.find("大きすぎます"), std::string::npos) << m;
  // The title never came up, but a new game still starts from the menu.
  host.ClickMenu(host.Form().Start_Btn1);
  host.RunUntilIdle(5000);
  EXPECT_EQ(host.Form().State.ScreenMode, 6);
  EXPECT_EQ(host.Messages().size(), 2u);
  host.ClickMenu(host.Form().Exit_Btn1);
  EXPECT_TRUE(host.Closed());
}

TEST(HostileScript, HugeLinesManyLinesAndNulsPlayWithoutFault) {
  const std::string longLine(1 << 20, 'a');
  std::string manyLines = "*OP\n<B>\n1\n";
  for (int i = 0; i < 70000; ++i) manyLines += "line\n";
  const std::string scripts[] = {
      "*OP\n<B>\n1\n" + longLine + "\n*next_ba\n",
      manyLines,  // runs off its first page into thousands more, never past the end unchecked
      std::string("*OP\r\n<B>\r1\n\r\nText\0*next_ba\n", 27),
      "*OP\n<CG>\n9\n",                   // no such picture
      "*OP\n<B>\n99999999999\n",          // not a 32-bit number
      "*OP\n\x83\n\x81",                  // lead bytes cut off by the line's end
      "",
  };
  for (const std::string& script : scripts) {
    testing::TestGame game(testing::TestGame::ScriptBytes{script});
    game.RunToTitle();
    game.host().Click(320, 198);
    game.host().RunUntilIdle();
    for (int page = 0; page < 5; ++page) {
      game.host().Click(460, 450);
      game.host().Click(570, 445);
      game.host().RunUntilIdle();
    }
    EXPECT_FALSE(game.host().Closed());
    // Whatever happened, the menu still answers.
    game.host().ClickMenu(game.form().About_Btn1);
    EXPECT_FALSE(game.host().Messages().empty());
  }
}

}  // namespace
}  // namespace velmora
