#include "save_fixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "save/checksum.h"
#include "save/save_format.h"

namespace velmora::savetest {

KeptGame::KeptGame(const std::string& root, FileOps& ops) : keeper(player.form(), root, ops) {
  player.host().AfterEntry = [this] {
    if (auto outcome = keeper.AfterEntry()) autosaves.push_back(*outcome);
  };
}

SaveKeeper::Outcome KeptGame::Load() {
  const SaveKeeper::Outcome outcome = keeper.QuickLoad();
  if (auto autosave = keeper.AfterEntry()) autosaves.push_back(*autosave);
  player.host().RunUntilIdle();
  return outcome;
}

void PlayToFirstMap(Player& player) {
  player.StartNewGame();
  player.WantPhoto(4);
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  player.TakePhoto(4);
  player.ReadToMap();
  ASSERT_EQ(player.Where(), Screen::Map);
}

std::string Describe(const GameState& state) {
  std::string out;
  for (const SavedValue& v : SavedValues(state)) out += v.Name + "=" + std::to_string(v.Value) + " ";
  return out;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  // A new file rather than an old one cut short: ext4 puts a truncated file on the disk
  // when it is closed, which made thousands of bad saves take seconds of waiting.
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void Put32At(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

void FixSum(std::vector<uint8_t>& bytes) {
  Put32At(bytes, bytes.size() - 4, Crc32(bytes.data(), bytes.size() - 4));
}

}  // namespace velmora::savetest
