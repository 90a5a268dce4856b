// The save and load screens in the window on the offscreen platform: a slot saved on the
// town map and found again with its picture and labels, replacing and removing only after
// a yes, damaged files, and the way the keys move among slots and pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>

#include "platform/qt/save_keys.h"
#include "platform/qt/slot_screen.h"
#include "save/checksum.h"
#include "save/save_format.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;

void Key(QWidget& to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods);
  QApplication::sendEvent(&to, &press);
}

// Day 3, 12:10, in the park with Mirel, who has been introduced.
GameState DayThree() {
  GameState s;
  s.ScreenMode = 4;
  s.ModeArg = 1;
  s.DayCount = 3;
  s.TimeSlot = 14;
  s.TownPhase = 1;
  s.CurrentPlace = 5;
  s.Partner = 1;
  s.Points = 137;
  s.EventState[2] = 2;
  return s;
}

class SlotScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.window().show();
    ASSERT_TRUE(RunEventsUntil([&] { return form().State.ScreenMode == 1 && Resting(); }, 10000));
    fingerprint = FingerprintOf(*form().AssetStream);
    folder = SaveFolderFor(saves.Path(), fingerprint);
    std::filesystem::create_directories(folder);
  }
  TForm1& form() { return game.form(); }
  bool Resting() { return !form().G_Timer.Enabled(); }
  std::string Said() { return game.window().Overlay().Text().toStdString(); }
  int64_t SlotOneTime() { return SlotStore(folder, fingerprint).Read({SlotId::Kind::Numbered, 1}).SavedAtMs; }
  void Put(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // The autosave of day 3 loaded from the load screen: the town map at rest.
  void LoadDayThree() {
    Put("auto.sav", EncodeSave(DayThree(), fingerprint));
    Key(game.window(), Qt::Key_L, Qt::ControlModifier);
    ASSERT_TRUE(panel.IsOpen());
    EXPECT_EQ(panel.SelectedEntry().Id.Of, SlotId::Kind::Auto);  // the newest save
    Key(panel, Qt::Key_Return);
    ASSERT_TRUE(RunEventsUntil([&] { return form().State.ScreenMode == 4 && Resting(); }, 10000));
    ASSERT_EQ(form().State.DayCount, 3);
  }

  testing::ShellGame game;
  testing::ScratchDir saves;
  SaveKeys keys{game.window(), saves.Path()};
  SlotScreen panel{game.window(), keys.Keeper()};
  uint64_t fingerprint = 0;
  std::string folder;
};

TEST_F(SlotScreenTest, SavesOnTheMapAndShowsThePictureAndLabelsOnTheLoadScreen) {
  Key(game.window(), Qt::Key_S, Qt::ControlModifier);  // the title: F5's answer
  EXPECT_FALSE(panel.IsOpen());
  EXPECT_EQ(Said(), kSaveOnlyOnMapMessage);
  LoadDayThree();

  const QImage screen = game.window().Screen().Surface().copy();
  Key(game.window(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_TRUE(panel.IsOpen());
  EXPECT_EQ(panel.SelectedEntry().Id, (SlotId{SlotId::Kind::Numbered, 1}));  // the first empty slot
  Key(panel, Qt::Key_Return);
  EXPECT_FALSE(panel.IsOpen());
  EXPECT_EQ(Said(), std::string(kSavedMessage) + " (No. 1)");

  Key(game.window(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_TRUE(panel.IsOpen());
  const SlotEntry& entry = panel.SelectedEntry();  // the newest: the slot just saved
  ASSERT_EQ(entry.Id, (SlotId{SlotId::Kind::Numbered, 1}));
  EXPECT_EQ(entry.State, SlotEntry::Status::Ready);
  EXPECT_EQ(entry.Labels.Date + " " + entry.Labels.Weekday + " " + entry.Labels.Clock + " " + entry.Labels.Partner,
            "3日目 水 12 : 10 Mirel");
  EXPECT_NEAR(static_cast<double>(entry.SavedAtMs), static_cast<double>(NowMs()), 60000.0);
  const QImage picture = panel.PictureOf(panel.Page(), panel.Selected());
  ASSERT_EQ(picture.size(), QSize(160, 120));
  EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB888), SlotScreen::Thumbnail(screen));
  EXPECT_NE(picture.pixel(10, 10), picture.pixel(150, 110));  // a picture, not a flat fill

  // Loading it comes back to the same town screen.
  form().State.Points = 5;
  Key(panel, Qt::Key_Return);
  ASSERT_TRUE(RunEventsUntil([&] { return form().State.ScreenMode == 4 && Resting(); }, 10000));
  EXPECT_EQ(form().State.Points, 137);
  EXPECT_TRUE(game.record().Messages.empty());
}

TEST_F(SlotScreenTest, ReplacesAndRemovesOnlyAfterYes) {
  LoadDayThree();
  Put("slot-01.vsl", EncodeSlot(EncodeSave(DayThree(), fingerprint), {}, 1000));
  Key(game.window(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(panel.SelectedEntry().Id.Number, 2);
  Key(panel, Qt::Key_Left);
  Key(panel, Qt::Key_Return);  // slot 1 is full: asked, and no is chosen first
  EXPECT_FALSE(panel.Question().isEmpty());
  Key(panel, Qt::Key_Return);
  Key(panel, Qt::Key_Delete);
  Key(panel, Qt::Key_N);
  const QRectF cell(10, 44, 204, 198);  // a click asks, a right click says no
  testing::SendMouse(panel, QEvent::MouseButtonPress, cell.center());
  EXPECT_FALSE(panel.Question().isEmpty());
  testing::SendMouse(panel, QEvent::MouseButtonPress, cell.center(), Qt::RightButton);
  EXPECT_TRUE(panel.Question().isEmpty());
  EXPECT_TRUE(panel.IsOpen());
  EXPECT_EQ(SlotOneTime(), 1000);

  Key(panel, Qt::Key_Return);
  Key(panel, Qt::Key_Right);  // to yes
  Key(panel, Qt::Key_Return);
  EXPECT_FALSE(panel.IsOpen());
  EXPECT_GT(SlotOneTime(), 1000);

  Key(game.window(), Qt::Key_L, Qt::ControlModifier);
  Key(panel, Qt::Key_Delete);
  EXPECT_TRUE(std::filesystem::exists(folder + "/slot-01.vsl"));
  testing::SendMouse(panel, QEvent::MouseButtonPress, QPointF(240, 270));  // the yes button
  EXPECT_FALSE(std::filesystem::exists(folder + "/slot-01.vsl"));
  EXPECT_FALSE(panel.SelectedEntry().Filled());
  EXPECT_TRUE(std::filesystem::exists(folder + "/auto.sav"));
}

TEST_F(SlotScreenTest, LoadsASaveWithADamagedPictureButNotADamagedSave) {
  std::vector<uint8_t> good = EncodeSave(DayThree(), fingerprint);
  Put("slot-01.vsl", EncodeSlot(good, {0x89, 'P', 'N', 'G', 0, 0}, 1000));
  good[40] ^= 1;
  Put("slot-02.vsl", EncodeSlot(good, SlotScreen::EncodePng(QImage(160, 120, QImage::Format_RGB888)), 2000));
  Key(game.window(), Qt::Key_L, Qt::ControlModifier);
  EXPECT_TRUE(panel.PictureOf(1, 0).isNull());  // an empty frame
  Key(panel, Qt::Key_Right);
  Key(panel, Qt::Key_Return);  // the damaged save: said, and not loaded
  EXPECT_TRUE(panel.IsOpen());
  EXPECT_FALSE(Said().empty());
  Key(panel, Qt::Key_Left);
  Key(panel, Qt::Key_Return);
  ASSERT_TRUE(RunEventsUntil([&] { return form().State.ScreenMode == 4 && Resting(); }, 10000));
  EXPECT_EQ(form().State.DayCount, 3);
}

TEST_F(SlotScreenTest, ArrowsPagesAndTheWheelMoveAmongSlots) {
  LoadDayThree();
  Key(game.window(), Qt::Key_S, Qt::ControlModifier);
  struct Step {
    int key;
    int page, index;
  };
  // Pages of 3x2: right of the last column is the next page, left of the first the
  // previous one; up and down stay on the page; PageUp/PageDown stop at the ends.
  const Step steps[] = {
      {Qt::Key_Right, 0, 1},    {Qt::Key_Right, 0, 2},   {Qt::Key_Right, 1, 0},    {Qt::Key_Down, 1, 3},
      {Qt::Key_Down, 1, 3},     {Qt::Key_Left, 0, 5},    {Qt::Key_Up, 0, 2},       {Qt::Key_Up, 0, 2},
      {Qt::Key_PageUp, 0, 2},   {Qt::Key_PageDown, 1, 2}, {Qt::Key_A, 1, 2},       {Qt::Key_Left, 1, 1},
  };
  for (const Step& step : steps) {
    Key(panel, step.key);
    EXPECT_EQ(std::make_pair(panel.Page(), panel.Selected()), std::make_pair(step.page, step.index))
        << "after key " << std::hex << step.key;
  }
  for (int i = 0; i < 12; ++i) Key(panel, Qt::Key_PageDown);
  EXPECT_EQ(panel.Page(), 9);
  EXPECT_EQ(panel.PageCount(), 10);
  EXPECT_EQ(panel.SelectedEntry().Id.Number, 56);
  QWheelEvent away(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(&panel, &away);
  EXPECT_EQ(panel.Page(), 7);
  Key(panel, Qt::Key_Escape);
  EXPECT_FALSE(panel.IsOpen());
  EXPECT_EQ(form().State.ScreenMode, 4);  // none of those keys reached the game

  // The load screen: the autosave and the quick save first, then the ten pages.
  Key(game.window(), Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(panel.PageCount(), 11);
  EXPECT_EQ(std::make_pair(panel.Page(), panel.Selected()), std::make_pair(0, 0));
  Key(panel, Qt::Key_Down);
  Key(panel, Qt::Key_Right);
  EXPECT_EQ(panel.SelectedEntry().Id.Of, SlotId::Kind::Quick);
  Key(panel, Qt::Key_PageDown);
  EXPECT_EQ(panel.SelectedEntry().Id.Number, 2);
}

}  // namespace
}  // namespace velmora
