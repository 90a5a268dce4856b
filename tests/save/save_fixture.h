#pragma once
// What the save tests share: a player at the demo's title with a save keeper attached
// after every entry, as the desktop shell attaches one, and saves kept in a scratch folder.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "playthrough/player.h"
#include "save/file_ops.h"
#include "save/save_keeper.h"
#include "support/fixtures.h"

namespace velmora::savetest {

using playthrough::Player;
using playthrough::Screen;

// A player whose game has a keeper; saves go under Root.
struct KeptGame {
  explicit KeptGame(const std::string& root, FileOps& ops = RealFileOps());
  Player player;
  SaveKeeper keeper;
  std::vector<SaveKeeper::Outcome> autosaves;  // every autosave made, in order

  // F9 as the shell does it: one entry of its own, then the game comes to rest.
  SaveKeeper::Outcome Load();
  const GameState& state() { return player.state(); }
};

// A new game through the opening (the photo comes out 4) to the first day's map.
void PlayToFirstMap(Player& player);

// Every value of the state, for comparing two states with a readable difference.
std::string Describe(const GameState& state);

std::vector<uint8_t> ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
// The file names in Folder.
std::vector<std::string> FilesIn(const std::string& folder);

// A save file's bytes with the sum made right again after a change.
void FixSum(std::vector<uint8_t>& bytes);
void Put32At(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);

// The real file calls with one of them made to fail, as a full or broken disk would.
class FaultyFileOps : public PosixFileOps {
 public:
  int CreateFolderError = 0, CreateError = 0, WriteError = 0, FlushError = 0, RenameError = 0;
  int CreateFolders(const std::string& folder) override {
    return CreateFolderError ? CreateFolderError : PosixFileOps::CreateFolders(folder);
  }
  int CreateNew(const std::string& path, int& fd) override {
    return CreateError ? CreateError : PosixFileOps::CreateNew(path, fd);
  }
  int WriteAll(int fd, const uint8_t* data, size_t size) override {
    if (WriteError) {  // half the bytes reach the file, then the disk is full
      PosixFileOps::WriteAll(fd, data, size / 2);
      return WriteError;
    }
    return PosixFileOps::WriteAll(fd, data, size);
  }
  int Flush(int fd) override { return FlushError ? FlushError : PosixFileOps::Flush(fd); }
  int Rename(const std::string& from, const std::string& to) override {
    return RenameError ? RenameError : PosixFileOps::Rename(from, to);
  }
};

}  // namespace velmora::savetest
