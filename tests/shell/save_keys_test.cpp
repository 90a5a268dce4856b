// F5 and F9 in the real window on the offscreen platform: what the overlay says on the
// title, with no save and with one, and the town screen a load comes to.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QThread>
#include <cerrno>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>

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

// The real file calls, with a flush that waits to be let go (or fails at once) and says
// which thread it ran on.
class HeldFileOps : public PosixFileOps {
 public:
  int CreateFolders(const std::string& folder) override { return failing ? EROFS : PosixFileOps::CreateFolders(folder); }
  int Flush(int fd) override {
    std::unique_lock lock(mutex_);
    flushedOn_ = QThread::currentThread();
    entered_.notify_all();
    // A flush on the window's own thread would never be let go: it gives up after a while.
    released_.wait_for(lock, std::chrono::seconds(3), [&] { return let_; });
    return PosixFileOps::Flush(fd);
  }
  QThread* WaitForFlush() {
    std::unique_lock lock(mutex_);
    entered_.wait_for(lock, std::chrono::seconds(10), [&] { return flushedOn_ != nullptr; });
    return flushedOn_;
  }
  void LetGo() {
    std::lock_guard lock(mutex_);
    let_ = true;
    released_.notify_all();
  }
  bool failing = false;

 private:
  std::mutex mutex_;
  std::condition_variable entered_, released_;
  QThread* flushedOn_ = nullptr;
  bool let_ = false;
};

// The town screen entered on the morning of Day and settled, as the game's entries leave it.
void SettleOnMorning(ShellGame& game, int day) {
  TForm1& form = game.form();
  form.State.ScreenMode = 4;
  form.State.TownPhase = 0;
  form.State.DayCount = day;
  form.G_Timer.Tag = 1;
  form.G_Timer.SetEnabled(true);
  game.window().AfterEntry();
  form.G_Timer.SetEnabled(false);
  game.window().AfterEntry();
}

TEST(SaveKeys, TheMorningsAutosaveIsWrittenOffTheWindowsThreadAndAFailureIsToldOnce) {
  ShellGame game;
  testing::ScratchDir saves;
  game.window().show();
  TForm1& form = game.form();
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1 && Resting(form); }, 10000));
  const std::string autosave = SaveFolderFor(saves.Path(), FingerprintOf(*form.AssetStream)) + "/auto.sav";
  HeldFileOps ops;
  {
    SaveKeys keys(game.window(), saves.Path(), ops);
    SettleOnMorning(game, 2);  // returns while the flush is held
    EXPECT_NE(ops.WaitForFlush(), QThread::currentThread());
    EXPECT_FALSE(std::filesystem::exists(autosave));
    ops.LetGo();
  }  // the write under way is finished before the keys go
  EXPECT_TRUE(std::filesystem::exists(autosave));

  ops.failing = true;
  ::testing::internal::CaptureStderr();
  {
    SaveKeys keys(game.window(), saves.Path(), ops);
    for (int day = 3; day <= 5; ++day) SettleOnMorning(game, day);
    EXPECT_TRUE(RunEventsUntil(
        [&] { return game.window().Overlay().Text().startsWith(QString::fromUtf8("セーブできませんでした")); }, 10000));
  }  // all three mornings written, and failed, by now
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(log.find("velmora: セーブできませんでした"), 0u) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
  EXPECT_TRUE(game.record().Messages.empty());
}

}  // namespace
}  // namespace velmora
