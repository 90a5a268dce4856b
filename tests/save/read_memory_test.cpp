// The memory of pages read: it survives a restart, a damaged file is set aside and the
// memory starts empty, and a write that fails keeps the file and tries again later.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "save/read_memory.h"
#include "support/fixtures.h"

namespace velmora {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

TEST(ReadMemory, SurvivesARestart) {
  testing::ScratchDir dir;
  const std::string file = ReadMemoryPathFor(dir.Path() + "/velmora/saves/0123456789abcdef");
  EXPECT_EQ(file, dir.Path() + "/velmora/read/0123456789abcdef.dat");
  {
    ReadMemory memory(file);
    EXPECT_EQ(memory.Load(), "");  // no file yet: an empty memory, nothing to tell
    EXPECT_FALSE(memory.Mark("page:120"));
    EXPECT_TRUE(memory.Mark("page:120"));
    std::string problem;
    ASSERT_TRUE(memory.Write(problem)) << problem;
    EXPECT_FALSE(memory.Unwritten());
  }
  ReadMemory again(file);
  EXPECT_EQ(again.Load(), "");
  EXPECT_TRUE(again.Seen("page:120"));
  EXPECT_EQ(again.Size(), 1u);
}

TEST(ReadMemory, ADamagedFileIsSetAsideAndReadingStartsAfresh) {
  const std::string whole = EncodeReadMemory({"page:120", "choice:63"});
  std::string flipped = whole;
  flipped[whole.find("120")] = '9';
  std::string recounted = whole;
  recounted[whole.find("end 2") + 4] = '3';
  const struct {
    const char* Name;
    std::string Bytes;
  } damaged[] = {
      {"cut short", whole.substr(0, whole.size() - 5)},
      {"a digit changed", flipped},
      {"the wrong count", recounted},
      {"another file", "\x89PNG\r\n"},
      {"empty", ""},
  };
  for (const auto& file : damaged) {
    testing::ScratchDir dir;
    dir.Write("f/read.dat", file.Bytes);
    ReadMemory memory(dir.Path() + "/f/read.dat");
    const std::string told = memory.Load();
    EXPECT_NE(told.find("set aside"), std::string::npos) << file.Name << ": " << told;
    EXPECT_EQ(memory.Size(), 0u) << file.Name;
    EXPECT_EQ(Slurp(memory.Path() + ".damaged"), file.Bytes) << file.Name;
    memory.Mark("page:1");
    std::string problem;
    EXPECT_TRUE(memory.Write(problem)) << file.Name << ": " << problem;
    ReadMemory after(dir.Path() + "/f/read.dat");
    EXPECT_EQ(after.Load(), "") << file.Name;
    EXPECT_TRUE(after.Seen("page:1")) << file.Name;
  }
}

// Renames fail (a full or read-only disk at the last step).
class RefusingRename : public PosixFileOps {
 public:
  int Rename(const std::string&, const std::string&) override { return ENOSPC; }
};

TEST(ReadMemory, AFailedWriteKeepsTheFileAndTriesAgain) {
  testing::ScratchDir dir;
  const std::string before = EncodeReadMemory({"page:1"});
  dir.Write("f/read.dat", before);
  RefusingRename refusing;
  ReadMemory memory(dir.Path() + "/f/read.dat", refusing);
  ASSERT_EQ(memory.Load(), "");
  memory.Mark("page:2");
  std::string problem;
  EXPECT_FALSE(memory.Write(problem));
  EXPECT_TRUE(memory.Unwritten());
  EXPECT_EQ(Slurp(memory.Path()), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path() + "/f"), {}), 1);  // no temporary left
}

}  // namespace
}  // namespace velmora
