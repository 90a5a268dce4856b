#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/qt/sound_player.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;
using testing::ScratchDir;

// Plays Path and waits for the sound thread's answer.
SoundOutcome PlayAndWait(SoundPlayer& player, std::vector<SoundOutcome>& outcomes, const QString& path) {
  const size_t before = outcomes.size();
  player.Play(path);
  EXPECT_TRUE(RunEventsUntil([&] { return outcomes.size() > before; }, 20000)) << path.toStdString();
  return outcomes.size() > before ? outcomes.back() : SoundOutcome::Started;
}

TEST(SoundPlayer, MissingOrBrokenFilesAndMissingDevicesStaySilent) {
  ScratchDir dir;
  dir.Write("wav/broken.wav", std::string("RIFF\x04\x00\x00\x00WAVEjunk", 16));
  testing::WriteSounds(dir);
  std::vector<SoundOutcome> outcomes;
  {
    SoundPlayer player;
    player.OnOutcome = [&](const QString&, SoundOutcome outcome) { outcomes.push_back(outcome); };
    EXPECT_EQ(PlayAndWait(player, outcomes, QString::fromStdString(dir.Path() + "/wav/none.wav")),
              SoundOutcome::Unreadable);
    EXPECT_EQ(PlayAndWait(player, outcomes, QString::fromStdString(dir.Path() + "/wav/broken.wav")),
              SoundOutcome::Unreadable);
    // A good file is played, or silently not where no sound server answers.
    const SoundOutcome good = PlayAndWait(player, outcomes, QString::fromStdString(dir.Path() + "/wav/01.wav"));
    EXPECT_TRUE(good == SoundOutcome::Started || good == SoundOutcome::NoDevice);
    // Effects in quick succession: each cuts off the one before, the last is answered.
    player.Play(QString::fromStdString(dir.Path() + "/wav/02.wav"));
    player.Play(QString::fromStdString(dir.Path() + "/wav/03.wav"));
    EXPECT_TRUE(RunEventsUntil([&] { return outcomes.size() >= 4; }, 20000));
  }
  // The player ended its thread on the way out, mid-effect or not: nothing more arrives.
  const size_t atEnd = outcomes.size();
  testing::RunEventsFor(50);
  EXPECT_EQ(outcomes.size(), atEnd);
}

TEST(SoundPlayer, TheWindowsOwnSoundsNeverStopTheGame) {
  // The real services on a machine that may have no audio device at all.
  ScratchDir dir;
  dir.Write("data/qelvart.red", testing::DemoAssetBytes());
  testing::WriteSounds(dir);
  testing::WorkingDirectory cwd(dir.Path());
  ShellServices services = DesktopServices();
  std::vector<QString> messages;
  services.ShowMessageBox = [&](QWidget*, const QString& text) { messages.push_back(text); };
  GameWindow window(std::move(services));
  TForm1& form = window.Start();
  for (int id = 1; id <= 4; ++id) form.Sound.PlaySoundEffect(id);
  // The game goes on: its first tick comes, no error is shown.
  EXPECT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1; }));
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace velmora
