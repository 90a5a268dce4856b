// F5 and F9 in the real window on the offscreen platform: what the overlay says on the
// title, with no save and with one, and the town screen a load comes to.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QThread>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/qt/save_keys.h"
#include "save/checksum.h"
#include "save/save_format.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;
using testing::ShellGame;

void SendKey(QWidget& to, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&to, &press);
}

bool Resting(TForm1& form) { return !form.G_Timer.Enabled(); }

TEST(SaveKeys, F5AndF9SayWhatTheyDidInTheOverlayAndF9ComesToTheTown) {
  ShellGame game;
  testing::ScratchDir saves;
  SaveKeys keys(game.window(), saves.Path());
  game.window().show();  // the overlay shows only over a window on the screen
  TForm1& form = game.form();
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1 && Resting(form); }, 10000));

  SendKey(game.window(), Qt::Key_F5);
  EXPECT_EQ(game.window().Overlay().Text().toStdString(), kSaveOnlyOnMapMessage);
  SendKey(game.window(), Qt::Key_F9);
  EXPECT_EQ(game.window().Overlay().Text().toStdString(), kNoSaveMessage);

  // A save of a morning on day 3, made with this asset file.
  GameState morning = form.State;
  morning.ScreenMode = 4;
  morning.DayCount = 3;
  morning.TimeSlot = 1;
  morning.TownPhase = 0;
  morning.CurrentPlace = 1;
  morning.Points = 170;
  morning.ModeArg = 1;
  const std::string folder = SaveFolderFor(saves.Path(), FingerprintOf(*form.AssetStream));
  std::filesystem::create_directories(folder);
  const std::vector<uint8_t> bytes = EncodeSave(morning, FingerprintOf(*form.AssetStream));
  std::ofstream(folder + "/quick.sav", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

  SendKey(game.window(), Qt::Key_F9);
  EXPECT_EQ(game.window().Overlay().Text().toStdString(), kLoadedMessage);
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 4 && Resting(form); }, 10000));
  EXPECT_EQ(form.State.DayCount, 3);
  EXPECT_EQ(form.State.Points, 170);
  EXPECT_TRUE(game.record().Messages.empty());
  // Loading a morning is no new morning: the autosave is not written.
  EXPECT_FALSE(std::filesystem::exists(folder + "/auto.sav"));

  SendKey(game.window(), Qt::Key_F5);
  EXPECT_EQ(game.window().Overlay().Text().toStdString(), kSavedMessage);
  std::ifstream in(folder + "/quick.sav", std::ios::binary);
  const std::vector<uint8_t> written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, bytes);
}

// The real file calls, failing at once when asked to, noting which thread flushes.
class ThreadNotingFileOps : public PosixFileOps {
 public:
  int CreateFolders(const std::string& folder) override { return failing ? EROFS : PosixFileOps::CreateFolders(folder); }
  int Flush(int fd) override {
    flushedOn = QThread::currentThread();
    return PosixFileOps::Flush(fd);
  }
  std::atomic<QThread*> flushedOn = nullptr;
  bool failing = false;
};

TEST(SaveKeys, TheMorningsAutosaveIsWrittenOffTheWindowsThreadAndAFailureIsToldOnce) {
  ShellGame game;
  testing::ScratchDir saves;
  game.window().show();
  TForm1& form = game.form();
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1 && Resting(form); }, 10000));
  ThreadNotingFileOps ops;
  ::testing::internal::CaptureStderr();
  for (const bool failing : {false, true}) {
    ops.failing = failing;
    SaveKeys keys(game.window(), saves.Path(), ops);
    // Three new mornings: the town screen entered (its settle step due) and settled.
    for (int day = 2; day <= 4; ++day) {
      form.State.ScreenMode = 4;
      form.State.DayCount = day;
      form.G_Timer.Tag = 1;
      form.G_Timer.SetEnabled(true);
      game.window().AfterEntry();
      form.G_Timer.SetEnabled(false);
      game.window().AfterEntry();
    }
    const auto told = [&] { return game.window().Overlay().Text().contains("セーブできませんでした"); };
    EXPECT_EQ(RunEventsUntil(told, failing ? 5000 : 0), failing);
  }  // each autosave under way is finished before its keys go
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(ops.flushedOn && ops.flushedOn != QThread::currentThread());
  EXPECT_TRUE(std::filesystem::exists(SaveFolderFor(saves.Path(), FingerprintOf(*form.AssetStream)) + "/auto.sav"));
  EXPECT_TRUE(log.find("velmora: セーブできませんでした") == 0 && std::count(log.begin(), log.end(), '\n') == 1) << log;
}

}  // namespace
}  // namespace velmora
