// The game's files changed under the running game: the asset file cut short, written over
// with another file, replaced or deleted, the sound folder removed. The game reads the
// real files of a scratch game folder here, as the desktop program does. Each action that
// needs something lost reports it in one message box; the game goes on and never crashes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/asset_table.h"
#include "support/fixtures.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::DemoAssetBytes;

constexpr Point kNewGame{320, 198};
constexpr Point kPageButton{460, 450};
constexpr Point kPageButtonOverPicture{570, 445};
constexpr Point kFirstCard{95, 220};

// An action brought at most one message, and every message says something.
void ExpectAtMostOneReport(const std::vector<std::string>& messages, const char* action) {
  EXPECT_LE(messages.size(), 1u) << action << ": " << (messages.empty() ? "" : messages.back());
  for (const std::string& m : messages) EXPECT_FALSE(m.empty()) << action;
}

// A game started in a scratch folder holding the demo asset file and the sounds.
class LiveGame {
 public:
  LiveGame() : host_(dir_.Path()) {
    testing::WriteSounds(dir_);
    dir_.Write("data/qelvart.red", DemoAssetBytes());
    host_.Start();
    host_.RunFor(500);
    host_.RunUntilIdle();
  }
  HeadlessHost& host() { return host_; }
  TForm1& form() { return host_.Form(); }
  const GameState& state() { return host_.Form().State; }
  fs::path AssetPath() const { return fs::path(dir_.Path()) / "data" / "qelvart.red"; }
  fs::path SoundFolder() const { return fs::path(dir_.Path()) / "wav"; }

  // Writes Bytes over the asset file in place (the open file sees them).
  void OverwriteAsset(const std::vector<uint8_t>& bytes) const {
    std::ofstream out(AssetPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  // One action, then the clock runs on for a minute so that every timer it started has
  // its chance to fail again. Returns the messages it brought.
  template <typename Action>
  std::vector<std::string> Act(Action&& action) {
    const size_t before = host_.Messages().size();
    action();
    host_.RunUntilIdle(20000);
    host_.RunFor(60000);
    EXPECT_FALSE(host_.Closed());
    return {host_.Messages().begin() + static_cast<std::ptrdiff_t>(before), host_.Messages().end()};
  }
  // The pointer moves to P and presses there, then releases: the press and the release
  // with all that follows it are two actions, each reporting at most once. Returns the
  // messages of both.
  std::vector<std::string> ClickAt(Point p) {
    host_.Move(p.X, p.Y);
    std::vector<std::string> reports = Act([&] { host_.Press(p.X, p.Y); });
    ExpectAtMostOneReport(reports, "press");
    const std::vector<std::string> released = Act([&] { host_.Release(p.X, p.Y); });
    ExpectAtMostOneReport(released, "release");
    reports.insert(reports.end(), released.begin(), released.end());
    return reports;
  }
  std::vector<std::string> Menu(MenuItem& item) {
    std::vector<std::string> reports = Act([&] { host_.ClickMenu(item); });
    ExpectAtMostOneReport(reports, "menu command");
    return reports;
  }
  // The page button where it stands: over a full-screen picture or in the town frame.
  std::vector<std::string> NextPage() {
    return ClickAt(state().CgShown != 0 ? kPageButtonOverPicture : kPageButton);
  }
  // Reads on from a new game until the first photo game has dealt its cards.
  void ReadToThePhotoGame() {
    ASSERT_TRUE(ClickAt(kNewGame).empty());
    for (int page = 0; page < 200 && state().ScreenMode != 3; ++page) ASSERT_TRUE(NextPage().empty());
    ASSERT_EQ(state().ScreenMode, 3);
    ASSERT_EQ(state().GamePhase, 1);
  }
  // A press and release on the first card, which turns it.
  std::vector<std::string> TakeFirstCard() { return ClickAt(kFirstCard); }

 private:
  testing::ScratchDir dir_;
  HeadlessHost host_;
};

TEST(AssetFileChangedWhileRunning, CutShortOnTheTitleEachActionReportsOnceAndTheGameGoesOn) {
  LiveGame game;
  ASSERT_EQ(game.state().ScreenMode, 1);
  fs::resize_file(game.AssetPath(), 4096);

  // The pressed button's look and the new game's screen are both read from the file.
  const std::vector<std::string> reports = game.ClickAt(kNewGame);
  ASSERT_FALSE(reports.empty());
  for (const std::string& m : reports) EXPECT_NE(m.find("途中で切れています"), std::string::npos) << m;
  EXPECT_FALSE(game.form().G_Timer.Enabled());
  // The way back to the title is open; tried, it fails once more, once.
  ASSERT_TRUE(game.form().ReSet_Btn1.Enabled());
  game.Menu(game.form().ReSet_Btn1);
  for (int click = 0; click < 5; ++click) game.NextPage();

  // The file comes back whole: the same run reads it again and starts a new game.
  game.OverwriteAsset(DemoAssetBytes());
  if (game.form().ReSet_Btn1.Enabled()) EXPECT_TRUE(game.Menu(game.form().ReSet_Btn1).empty());
  EXPECT_TRUE(game.ClickAt(kNewGame).empty());
  EXPECT_EQ(game.state().ScreenMode, 6);
  EXPECT_TRUE(game.NextPage().empty());
}

TEST(AssetFileChangedWhileRunning, CutShortWhileReadingEachPageReportsOnce) {
  LiveGame game;
  ASSERT_TRUE(game.ClickAt(kNewGame).empty());
  ASSERT_EQ(game.state().ScreenMode, 6);
  // Only the script and the first pictures are left.
  fs::resize_file(game.AssetPath(), kTitleBackdrop);
  int reported = 0;
  for (int page = 0; page < 40; ++page) reported += static_cast<int>(game.NextPage().size());
  EXPECT_GT(reported, 0);
  // The menu still leads back to the title, which is reported once more.
  if (game.form().ReSet_Btn1.Enabled()) game.Menu(game.form().ReSet_Btn1);
}

TEST(AssetFileChangedWhileRunning, CutShortInThePhotoGameATurnedCardReportsOnce) {
  LiveGame game;
  game.ReadToThePhotoGame();
  fs::resize_file(game.AssetPath(), 4096);
  // The turn draws from the card sheet on its timer, step after step.
  const std::vector<std::string> reports = game.TakeFirstCard();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_FALSE(game.form().Play_Timer.Enabled());
  // Clicking the card again tries the turn again, and reports once again.
  EXPECT_EQ(game.TakeFirstCard().size(), 1u);
  // The file back whole: the card turns and the photo's result shows.
  game.OverwriteAsset(DemoAssetBytes());
  EXPECT_TRUE(game.TakeFirstCard().empty());
  EXPECT_EQ(game.state().GamePhase, 2);
}

TEST(AssetFileChangedWhileRunning, WrittenOverByAnotherFileEachActionReportsOnce) {
  LiveGame game;
  ASSERT_TRUE(game.ClickAt(kNewGame).empty());
  // Another file of the same size, nothing like an asset file.
  game.OverwriteAsset(std::vector<uint8_t>(DemoAssetBytes().size(), 0x5A));
  int reported = 0;
  for (int page = 0; page < 20; ++page) reported += static_cast<int>(game.NextPage().size());
  EXPECT_GT(reported, 0);
  if (game.form().ReSet_Btn1.Enabled()) game.Menu(game.form().ReSet_Btn1);
  game.ClickAt(kNewGame);
}

TEST(AssetFileChangedWhileRunning, ReplacedOrDeletedTheGameReadsTheFileItOpened) {
  // A file put in the old one's place, and a deleted file, leave the open file as it was:
  // the story reads on without a report.
  for (const bool deleted : {false, true}) {
    LiveGame game;
    ASSERT_TRUE(game.ClickAt(kNewGame).empty());
    if (deleted) {
      fs::remove(game.AssetPath());
    } else {
      const fs::path other = game.AssetPath().string() + ".new";
      std::ofstream(other, std::ios::binary) << "not an asset file";
      fs::rename(other, game.AssetPath());
    }
    for (int page = 0; page < 30; ++page) EXPECT_TRUE(game.NextPage().empty()) << "deleted " << deleted;
    EXPECT_TRUE(game.Menu(game.form().ReSet_Btn1).empty());
    EXPECT_TRUE(game.ClickAt(kNewGame).empty());
  }
}

TEST(SoundFolderChangedWhileRunning, RemovedTheGameGoesOnSilentlyWithoutReports) {
  LiveGame game;
  game.ReadToThePhotoGame();
  ASSERT_FALSE(game.host().Sounds().empty());  // the deal's sound
  fs::remove_all(game.SoundFolder());
  const size_t sounds = game.host().Sounds().size();
  EXPECT_TRUE(game.TakeFirstCard().empty());
  EXPECT_EQ(game.state().GamePhase, 2);
  EXPECT_EQ(game.host().Sounds().size(), sounds);
  for (int page = 0; page < 10; ++page) EXPECT_TRUE(game.NextPage().empty());
}

}  // namespace
}  // namespace velmora
