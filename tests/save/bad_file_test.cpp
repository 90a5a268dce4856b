// Save files that must be refused: cut short at every byte, any single bit flipped, made
// by a newer version or with another asset file, not a save at all, or holding a value
// outside its range. Each is refused with a sentence, and the running game is untouched.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "save/save_format.h"
#include "save/save_store.h"
#include "gfx/asset_table.h"
#include "save_fixture.h"

namespace velmora::savetest {
namespace {

class BadFile : public ::testing::Test {
 protected:
  void SetUp() override {
    PlayToFirstMap(game.player);
    ASSERT_TRUE(game.keeper.QuickSave().Ok);
    quickPath = game.keeper.Folder() + "/quick.sav";
    good = ReadFile(quickPath);
    ASSERT_EQ(good.size(), SaveFileSize());
    // The player walks on, so a load that went through would show.
    game.player.GoTo(5);
    ASSERT_NE(game.player.Where(), Screen::Map);
    walked = Describe(game.state());
    window = game.player.host().Window();
  }

  // F9 with Bytes as the quick save: refused, with the game exactly as it was (its
  // window is compared once per test, in TearDown: a load that went through starts a
  // mode change, which is looked for every time).
  std::string Refused(const std::vector<uint8_t>& bytes) {
    WriteFile(quickPath, bytes);
    const SaveKeeper::Outcome outcome = game.keeper.QuickLoad();
    EXPECT_FALSE(outcome.Ok);
    EXPECT_FALSE(outcome.Message.empty());
    EXPECT_EQ(Describe(game.state()), walked);
    EXPECT_FALSE(game.player.form().G_Timer.Enabled());  // no mode change started
    return outcome.Message;
  }
  void TearDown() override {
    game.player.host().RunFor(2000);
    EXPECT_TRUE(playthrough::SameArea(game.player.host().Window(), window, ScreenRect));
  }

  // The good save with value Index (in file order) set to Value, its sum made right.
  std::vector<uint8_t> WithValue(size_t index, int64_t value) {
    std::vector<uint8_t> bytes = good;
    Put32At(bytes, kSaveHeaderSize + 4 * index, static_cast<uint32_t>(value));
    FixSum(bytes);
    return bytes;
  }
  size_t IndexOf(const std::string& name) {
    const std::vector<SavedValue> values = SavedValues(game.state());
    for (size_t i = 0; i < values.size(); ++i)
      if (values[i].Name == name) return i;
    ADD_FAILURE() << "no saved value " << name;
    return 0;
  }

  testing::ScratchDir root;
  KeptGame game{root.Path()};
  std::string quickPath;
  std::vector<uint8_t> good;
  std::string walked;
  Picture window;
};

bool Says(const std::string& message, const std::string& part) { return message.find(part) != std::string::npos; }

TEST_F(BadFile, CutShortAtEveryByte) {
  for (size_t size = 0; size < good.size(); ++size) {
    SCOPED_TRACE(size);
    EXPECT_TRUE(Says(Refused({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)}), "途中で切れています"));
  }
  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  EXPECT_TRUE(Says(Refused(longer), "壊れています"));
}

TEST_F(BadFile, AnySingleBitFlipped) {
  for (size_t bit = 0; bit < good.size() * 8; ++bit) {
    SCOPED_TRACE(bit);
    std::vector<uint8_t> bytes = good;
    bytes[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
    Refused(bytes);
  }
}

TEST_F(BadFile, NewerOrUnknownFormatAnotherAssetFileOrNoSaveAtAll) {
  std::vector<uint8_t> newer = good;
  Put32At(newer, 8, kSaveVersion + 1);
  FixSum(newer);
  EXPECT_TRUE(Says(Refused(newer), "新しい版"));
  std::vector<uint8_t> older = good;
  Put32At(older, 8, 0);
  FixSum(older);
  EXPECT_TRUE(Says(Refused(older), "形式"));

  std::vector<uint8_t> otherAsset = good;
  otherAsset[12] ^= 0x01;
  FixSum(otherAsset);
  EXPECT_EQ(Refused(otherAsset), kOtherAssetMessage);

  const std::string png = "\x89PNG\r\n\x1a\n and the rest of a picture";
  EXPECT_TRUE(Says(Refused({png.begin(), png.end()}), "セーブファイルではありません"));
  EXPECT_TRUE(Says(Refused(std::vector<uint8_t>(1 << 17, 'V')), "セーブファイルではありません"));

  std::vector<uint8_t> moreValues = good;
  Put32At(moreValues, 20, static_cast<uint32_t>(SavedValueCount() + 1));
  FixSum(moreValues);
  EXPECT_TRUE(Says(Refused(moreValues), "値の数"));

  // A folder where the quick save should be.
  std::filesystem::remove(quickPath);
  std::filesystem::create_directory(quickPath);
  const SaveKeeper::Outcome outcome = game.keeper.QuickLoad();
  EXPECT_FALSE(outcome.Ok);
  EXPECT_TRUE(Says(outcome.Message, "読めませんでした")) << outcome.Message;
}

TEST_F(BadFile, EveryValueJustOutsideItsRange) {
  const std::vector<SavedValue> values = SavedValues(game.state());
  int refused = 0;
  for (size_t i = 0; i < values.size(); ++i) {
    const SavedValue& v = values[i];
    SCOPED_TRACE(v.Name);
    if (v.Max < std::numeric_limits<int32_t>::max()) {
      EXPECT_TRUE(Says(Refused(WithValue(i, v.Max + 1)), v.Name));
      ++refused;
    }
    if (v.Min > std::numeric_limits<int32_t>::min()) {
      EXPECT_TRUE(Says(Refused(WithValue(i, v.Min - 1)), v.Name));
      ++refused;
    }
  }
  EXPECT_GT(refused, 60);
}

TEST_F(BadFile, TheCasesAPlayerMightMeet) {
  EXPECT_TRUE(Says(Refused(WithValue(IndexOf("TimeSlot"), 256)), "TimeSlot = 256"));  // a byte above its width
  EXPECT_TRUE(Says(Refused(WithValue(IndexOf("EventState[7]"), 3)), "EventState[7]"));
  EXPECT_TRUE(Says(Refused(WithValue(IndexOf("EventState[7]"), -1)), "EventState[7]"));
  EXPECT_TRUE(Says(Refused(WithValue(IndexOf("CurrentPlace"), 17)), "CurrentPlace"));
  EXPECT_TRUE(Says(Refused(WithValue(IndexOf("CurrentPlace"), 0)), "CurrentPlace"));
  EXPECT_TRUE(Says(Refused(WithValue(IndexOf("Partner"), 4)), "Partner"));
  EXPECT_TRUE(Says(Refused(WithValue(IndexOf("CurrentEvent"), 15)), "CurrentEvent"));
  for (const int phase : {2, 3, 4, 8, 255})
    EXPECT_TRUE(Says(Refused(WithValue(IndexOf("TownPhase"), phase)), "TownPhase")) << phase;
  EXPECT_TRUE(Says(Refused(WithValue(IndexOf("ScreenMode"), 6)), "ScreenMode"));
  EXPECT_TRUE(Says(Refused(WithValue(IndexOf("TargetPlace"), 3)), "TargetPlace"));  // a pick on the map
  // On the walk's end a scene may show, but only one of the seventeen.
  std::vector<uint8_t> walkOver = WithValue(IndexOf("TownPhase"), 5);
  Put32At(walkOver, kSaveHeaderSize + 4 * IndexOf("TargetPlace"), 18);
  FixSum(walkOver);
  EXPECT_TRUE(Says(Refused(walkOver), "TargetPlace"));
  Put32At(walkOver, kSaveHeaderSize + 4 * IndexOf("TargetPlace"), 17);
  FixSum(walkOver);
  std::string problem;
  EXPECT_TRUE(DecodeSave(walkOver, problem)) << problem;
}

TEST(GoodFile, StillLoadsAfterAll) {
  testing::ScratchDir root;
  KeptGame game{root.Path()};
  PlayToFirstMap(game.player);
  ASSERT_TRUE(game.keeper.QuickSave().Ok);
  game.player.GoTo(5);
  const SaveKeeper::Outcome outcome = game.Load();
  EXPECT_TRUE(outcome.Ok) << outcome.Message;
  EXPECT_EQ(game.player.Where(), Screen::Map);
}

}  // namespace
}  // namespace velmora::savetest
