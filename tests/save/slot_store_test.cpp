// Slot files: a save with its picture and labels read back whole; a picture or a save
// damaged in every way a file can be; nothing written over or removed unless asked to.
#include <gtest/gtest.h>

#include <functional>

#include "save/checksum.h"
#include "save/save_format.h"
#include "save/slot_store.h"
#include "save_fixture.h"

namespace velmora::savetest {
namespace {

constexpr uint64_t kOurs = 0x1234;
const std::vector<uint8_t> kPng = {0x89, 'P', 'N', 'G', 1, 2, 3, 4, 5, 6, 7, 8};

GameState DayThree() {
  GameState s;
  s.ScreenMode = 4;
  s.ModeArg = 1;
  s.DayCount = 3;
  s.TimeSlot = 14;
  s.CurrentPlace = 5;
  s.Partner = 1;
  s.EventState[2] = 2;  // Mirel has been introduced: the panel writes her name
  return s;
}

class Slots : public ::testing::Test {
 protected:
  testing::ScratchDir dir;
  SlotStore store{dir.Path(), kOurs};
  std::vector<uint8_t> save = EncodeSave(DayThree(), kOurs);
  std::string problem;
  std::string PathOf(int n) { return store.PathOf({SlotId::Kind::Numbered, n}); }
};

TEST_F(Slots, KeepTheSaveItsPictureTheTimeAndThePanelsLabels) {
  ASSERT_TRUE(store.Write(7, save, kPng, 1765000000123, false, problem)) << problem;
  const SlotEntry entry = store.Read({SlotId::Kind::Numbered, 7});
  EXPECT_EQ(entry.State, SlotEntry::Status::Ready);
  EXPECT_EQ(entry.Save, save);
  EXPECT_EQ(entry.Thumbnail, kPng);
  EXPECT_EQ(entry.SavedAtMs, 1765000000123);
  const SlotLabels& l = entry.Labels;
  EXPECT_EQ(l.Date + " " + l.Weekday + " " + l.Clock + " " + l.Partner, "3日目 水 12 : 10 Mirel");
  EXPECT_EQ(store.Read({SlotId::Kind::Numbered, 8}).State, SlotEntry::Status::Empty);
  // Not yet introduced, she is "***" on the panel and here; with no partner, nothing.
  GameState s = DayThree();
  s.EventState[2] = 1;
  EXPECT_EQ(LabelsOf(s).Partner, "***");
  s.Partner = 0;
  EXPECT_EQ(LabelsOf(s).Partner, "");
}

TEST_F(Slots, TellADamagedPictureFromADamagedOrForeignSave) {
  const std::vector<uint8_t> good = EncodeSlot(save, kPng, 5);
  const size_t saveAt = kSlotHeaderSize, pngAt = kSlotHeaderSize + save.size();
  struct Case {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> harm;
    SlotEntry::Status expected;
  };
  const std::vector<Case> cases = {
      {"picture cut short", [&](auto& b) { b.resize(pngAt + 3); }, SlotEntry::Status::Ready},
      {"picture garbled", [&](auto& b) { b[pngAt + 1] ^= 0xFF; }, SlotEntry::Status::Ready},
      {"save cut short", [&](auto& b) { b.resize(saveAt + 40); }, SlotEntry::Status::Damaged},
      {"a bit of the save", [&](auto& b) { b[saveAt + 30] ^= 4; }, SlotEntry::Status::Damaged},
      {"a bit of the header", [&](auto& b) { b[21] ^= 1; }, SlotEntry::Status::Damaged},
      {"newer version", [&](auto& b) { Put32At(b, 8, 2), Put32At(b, 28, Crc32(b.data(), 28)); },
       SlotEntry::Status::Damaged},
      {"not a slot", [&](auto& b) { b.assign(save.begin(), save.end()); }, SlotEntry::Status::Damaged},
      {"empty file", [&](auto& b) { b.clear(); }, SlotEntry::Status::Damaged},
      {"another asset file",
       [&](auto& b) {
         const std::vector<uint8_t> other = EncodeSave(DayThree(), kOurs + 1);
         std::copy(other.begin(), other.end(), b.begin() + saveAt);
       },
       SlotEntry::Status::Foreign},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    c.harm(bytes);
    WriteFile(PathOf(1), bytes);
    const SlotEntry entry = store.Read({SlotId::Kind::Numbered, 1});
    EXPECT_EQ(entry.State, c.expected) << c.name;
    if (c.expected == SlotEntry::Status::Ready) {
      EXPECT_EQ(entry.Save, save) << c.name;  // the save still loads
      EXPECT_NE(entry.Thumbnail, kPng) << c.name;
    } else {
      EXPECT_FALSE(entry.Problem.empty()) << c.name;
      EXPECT_TRUE(entry.Save.empty()) << c.name;  // nothing to load
    }
  }
}

TEST_F(Slots, AreReplacedOnlyWhenAskedAndRemovedWhole) {
  ASSERT_TRUE(store.Write(2, save, kPng, 1, false, problem));
  const std::vector<uint8_t> first = ReadFile(PathOf(2));
  EXPECT_FALSE(store.Write(2, save, {}, 2, false, problem));
  EXPECT_FALSE(problem.empty());
  EXPECT_EQ(ReadFile(PathOf(2)), first);
  ASSERT_TRUE(store.Write(2, save, {}, 2, true, problem)) << problem;
  EXPECT_EQ(store.Read({SlotId::Kind::Numbered, 2}).SavedAtMs, 2);
  ASSERT_TRUE(store.Remove(2, problem)) << problem;
  EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{});
}

}  // namespace
}  // namespace velmora::savetest
