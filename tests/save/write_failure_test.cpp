// A save that cannot be written (a folder that may not be written, a file where the folder
// should be, a disk that fails on writing, flushing or renaming) says why, keeps the
// previous save whole, leaves no stray file, and the game goes on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "save_fixture.h"

namespace velmora::savetest {
namespace {

class WriteFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    PlayToFirstMap(game.player);
    ASSERT_TRUE(game.keeper.QuickSave().Ok);
    folder = game.keeper.Folder();
    old = ReadFile(folder + "/quick.sav");
    ASSERT_FALSE(old.empty());
    game.player.GoTo(5);  // somewhere else, so a save now would differ from the old one
    game.player.ReadToMap();
  }

  // F5 fails with a message containing Reason; the old save and the game are as they were.
  void FailsKeepingTheOldSave(const std::string& reason) {
    const std::string state = Describe(game.state());
    const SaveKeeper::Outcome outcome = game.keeper.QuickSave();
    EXPECT_FALSE(outcome.Ok);
    EXPECT_NE(outcome.Message.find(reason), std::string::npos) << outcome.Message;
    EXPECT_NE(outcome.Message.find("前のセーブはそのままです"), std::string::npos) << outcome.Message;
    EXPECT_EQ(ReadFile(folder + "/quick.sav"), old);
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"quick.sav"});
    EXPECT_EQ(Describe(game.state()), state);
    EXPECT_EQ(game.player.Where(), Screen::Map);
  }

  testing::ScratchDir root;
  FaultyFileOps ops;
  KeptGame game{root.Path(), ops};
  std::string folder;
  std::vector<uint8_t> old;
};

TEST_F(WriteFailure, AFlushThatFailsAWriteThatRunsOutOfDiskARenameRefused) {
  ops.FlushError = EIO;
  FailsKeepingTheOldSave("ディスクの読み書きに失敗しました");
  ops.FlushError = 0;
  ops.WriteError = ENOSPC;
  FailsKeepingTheOldSave("ディスクがいっぱいです");
  ops.WriteError = 0;
  ops.RenameError = EACCES;
  FailsKeepingTheOldSave("書き込みが許可されていません");
  ops.RenameError = 0;
  // And once the disk is well again, the save goes through.
  EXPECT_TRUE(game.keeper.QuickSave().Ok);
  EXPECT_NE(ReadFile(folder + "/quick.sav"), old);
}

TEST_F(WriteFailure, AFolderThatMayNotBeWritten) {
  if (::geteuid() == 0) {
    // The superuser writes into any folder; the refusal is made by the file calls instead.
    ops.CreateError = EROFS;
    FailsKeepingTheOldSave("読み取り専用");
    ops.CreateError = EACCES;
  } else {
    ::chmod(folder.c_str(), 0500);
  }
  FailsKeepingTheOldSave("書き込みが許可されていません");
  ::chmod(folder.c_str(), 0700);
}

TEST_F(WriteFailure, AFileWhereTheFolderShouldBe) {
  testing::ScratchDir other;
  const std::string blocked = other.Path() + "/velmora";
  WriteFile(blocked, {'x'});
  KeptGame second(blocked + "/saves");
  PlayToFirstMap(second.player);
  const SaveKeeper::Outcome outcome = second.keeper.QuickSave();
  EXPECT_FALSE(outcome.Ok);
  EXPECT_NE(outcome.Message.find("フォルダがあるべき場所にファイルがあります"), std::string::npos) << outcome.Message;
  EXPECT_EQ(ReadFile(blocked), std::vector<uint8_t>{'x'});
  // The game goes on: the next day is walked as ever.
  second.player.GoTo(5);
  EXPECT_TRUE(second.player.host().Messages().empty());
  // The same when the save folder itself is a file.
  std::filesystem::remove(folder + "/quick.sav");
  std::filesystem::remove(folder);
  WriteFile(folder, {'y'});
  const SaveKeeper::Outcome again = game.keeper.QuickSave();
  EXPECT_FALSE(again.Ok);
  EXPECT_NE(again.Message.find("フォルダがあるべき場所にファイルがあります"), std::string::npos) << again.Message;
}

TEST_F(WriteFailure, AnAutosaveThatFailsIsReportedAndTheNightGoesOn) {
  ops.FlushError = ENOSPC;
  game.player.SleepAtHome();
  ASSERT_EQ(game.autosaves.size(), 1u);
  EXPECT_FALSE(game.autosaves[0].Ok);
  EXPECT_NE(game.autosaves[0].Message.find("ディスクがいっぱいです"), std::string::npos);
  EXPECT_EQ(game.player.Where(), Screen::Map);
  EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"quick.sav"});
}

}  // namespace
}  // namespace velmora::savetest
