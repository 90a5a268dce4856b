// The game's sound effects played by the real program's sound path (the window's
// services, from the game's own call) to a PulseAudio server of the test's own, recorded
// from its null sink's monitor and compared with the effect files.
#include <gtest/gtest.h>

#include <QFile>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/game_window.h"
#include "platform/qt/shell_services.h"
#include "pulse_daemon.h"
#include "shell/shell_fixture.h"
#include "sink_recording.h"
#include "sound_shape.h"

namespace velmora {
namespace {

using testing::AudibleSpan;
using testing::MonoSound;
using testing::PulseDaemon;
using testing::RunEventsFor;
using testing::RunEventsUntil;
using testing::SinkRecording;
using testing::SteadyTime;

// An effect must start sounding within this long of the call that plays it.
constexpr double kOnsetBoundMs = 50;
// The recorded sound may be this much longer or shorter than the file's audible part:
// the server's resampling from the file's rate to the sink's smears an edge by well under
// a millisecond, and a decaying tail crosses the audible level a little earlier or later
// when its level changes by a few percent. A lost or late buffer of a few milliseconds,
// the fault this guards against, is outside it (measured: within 0.3 ms when whole).
constexpr double kLengthToleranceMs = 6;
// The loudness of each 10 ms window of the recording, lined up at the first audible
// sample, may differ from the file's by 15 % of that window's level plus 3 % of the
// loudest window: the line-up is good to a sample or two, which shifts a fast attack or
// decay by a few percent of its level within a window, and resampling adds a little
// (measured: at most 0.16 of this allowance when whole). A silent, missing or shifted
// window differs by most of its level.
constexpr double kWindowMs = 10;
constexpr double kWindowRelative = 0.15;
constexpr double kWindowOfPeak = 0.03;

double MsBetween(SteadyTime from, SteadyTime to) { return std::chrono::duration<double, std::milli>(to - from).count(); }

// What the sink heard of one effect, against its file.
struct Heard {
  bool Audible = false;
  double OnsetMs = 0;       // from the call to the first audible sample
  double FileMs = 0;        // the file's audible part
  double RecordedMs = 0;    // the recording's
  double WorstWindow = 0;   // the worst window's difference, in units of its allowance
  size_t WorstWindowAt = 0;
};

class RealSoundServer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!PulseDaemon::Installed())
      GTEST_SKIP() << "pulseaudio and parec are not installed (./check installs them)";
    std::string why;
    ASSERT_TRUE(daemon_.Start(why)) << why;
    // The game and the recorder reach this server only (the recorder inherits these).
    qputenv("PULSE_SERVER", daemon_.Server().c_str());
    qputenv("PULSE_COOKIE", daemon_.ClientCookie().c_str());
    dir_.Write("data/qelvart.red", testing::DemoAssetBytes());
    testing::WriteSounds(dir_);
    for (int id = 1; id <= 4; ++id) {
      ASSERT_TRUE(testing::ReadPcmWav(WavPath(id), files_[id - 1], why)) << why;
    }
    cwd_ = std::make_unique<testing::WorkingDirectory>(dir_.Path());
    ShellServices services = DesktopServices();
    services.ShowMessageBox = [this](QWidget*, const QString& text) { messages_.push_back(text); };
    window_ = std::make_unique<GameWindow>(std::move(services));
    TForm1& form = window_->Start();
    // On the title at once: the sounds need no pictures.
    form.G_Timer.SetEnabled(false);
    form.State.ScreenMode = 1;
    StartRecording();
  }

  void TearDown() override {
    window_.reset();
    recording_.reset();
    cwd_.reset();
    qunsetenv("PULSE_SERVER");
    qunsetenv("PULSE_COOKIE");
  }

  void StartRecording() {
    recording_ = std::make_unique<SinkRecording>(daemon_.Server(), PulseDaemon::kSink, dir_.Path() + "/parec.log");
    ASSERT_TRUE(recording_->WaitUntilRunning()) << "parec recorded nothing";
  }

  std::string WavPath(int id) const { return dir_.Path() + "/wav/0" + std::to_string(id) + ".wav"; }
  TForm1& Form() { return window_->Form(); }
  double FileMs(int id) const { return 1000.0 * files_[id - 1].Samples.size() / files_[id - 1].Rate; }

  // Compares what was recorded from sample Mark on with effect Id, called at Called.
  Heard Compare(int id, size_t mark, SteadyTime called) const {
    const MonoSound& file = files_[id - 1];
    const std::vector<float> recorded = recording_->Samples();
    const AudibleSpan inFile = testing::FindAudible(file.Samples);
    const AudibleSpan heard = testing::FindAudible(recorded, mark);
    Heard out;
    out.FileMs = 1000.0 * (inFile.Last - inFile.First + 1) / file.Rate;
    if (heard.Empty()) return out;
    out.Audible = true;
    out.OnsetMs = MsBetween(called, recording_->SoundedAt(heard.First)) - 1000.0 * inFile.First / file.Rate;
    out.RecordedMs = 1000.0 * (heard.Last - heard.First + 1) / SinkRecording::kRate;
    const size_t windows = static_cast<size_t>(out.FileMs / kWindowMs);
    const std::vector<double> want = testing::LoudnessEnvelope(file.Samples, inFile.First, file.Rate, windows, kWindowMs);
    const std::vector<double> got =
        testing::LoudnessEnvelope(recorded, heard.First, SinkRecording::kRate, windows, kWindowMs);
    double peak = 0;
    for (double level : want) peak = std::max(peak, level);
    for (size_t w = 0; w < windows; ++w) {
      const double allowance = kWindowRelative * want[w] + kWindowOfPeak * peak;
      const double share = std::fabs(got[w] - want[w]) / allowance;
      if (share > out.WorstWindow) {
        out.WorstWindow = share;
        out.WorstWindowAt = w;
      }
    }
    return out;
  }

  void ExpectWhole(int id, const Heard& heard) const {
    std::printf("effect %d: onset %.1f ms, file %.1f ms, recorded %.1f ms, worst 10 ms window at %zu: %.2f of its allowance\n",
                id, heard.OnsetMs, heard.FileMs, heard.RecordedMs, heard.WorstWindowAt, heard.WorstWindow);
    ASSERT_TRUE(heard.Audible) << "effect " << id << ": nothing reached the sink";
    EXPECT_LT(heard.OnsetMs, kOnsetBoundMs) << "effect " << id;
    EXPECT_NEAR(heard.RecordedMs, heard.FileMs, kLengthToleranceMs) << "effect " << id << " is not whole";
    EXPECT_LE(heard.WorstWindow, 1.0) << "effect " << id << ": the loudness at " << heard.WorstWindowAt * kWindowMs
                                      << " ms is not the file's";
  }

  // Plays effect Id by the game's own call and waits until it must be over.
  Heard PlayAndListen(int id, const std::function<void()>& play) {
    const size_t mark = recording_->Count();
    const SteadyTime called = std::chrono::steady_clock::now();
    play();
    RunEventsFor(static_cast<int>(FileMs(id)) + 300);
    recording_->WaitUntilPast(called, static_cast<int>(FileMs(id)) + 300);
    return Compare(id, mark, called);
  }

  PulseDaemon daemon_;
  testing::ScratchDir dir_;
  std::unique_ptr<testing::WorkingDirectory> cwd_;
  MonoSound files_[4];
  std::vector<QString> messages_;
  std::unique_ptr<GameWindow> window_;
  std::unique_ptr<SinkRecording> recording_;
};

TEST_F(RealSoundServer, EveryEffectIsHeardWholeAndOnTime) {
  // The click of a press on the title's first button, then the mini-game's three.
  ExpectWhole(1, PlayAndListen(1, [&] {
                testing::SendMouse(window_->Screen(), QEvent::MouseButtonPress, QPointF(300, 190));
              }));
  EXPECT_EQ(Form().State.PressedButton, 1);
  for (int id = 2; id <= 4; ++id) ExpectWhole(id, PlayAndListen(id, [&] { Form().Sound.PlaySoundEffect(id); }));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(RealSoundServer, ANewEffectCutsOffTheOnePlaying) {
  const size_t mark = recording_->Count();
  const SteadyTime jingle = std::chrono::steady_clock::now();
  Form().Sound.PlaySoundEffect(3);
  RunEventsFor(200);
  const SteadyTime click = std::chrono::steady_clock::now();
  Form().Sound.PlaySoundEffect(1);
  RunEventsFor(700);
  recording_->WaitUntilPast(jingle, 1000);
  const std::vector<float> recorded = recording_->Samples();
  const AudibleSpan heard = testing::FindAudible(recorded, mark);
  ASSERT_FALSE(heard.Empty());
  // The jingle sounded before the click was asked for ...
  EXPECT_LT(MsBetween(jingle, recording_->SoundedAt(heard.First)), kOnsetBoundMs);
  // ... and nothing sounds after the click's own end: the rest of the jingle (it would
  // run until 650 ms) is cut off.
  const double lastMs = MsBetween(click, recording_->SoundedAt(heard.Last));
  std::printf("jingle cut by a click after %.0f ms: the last sound %.1f ms after the click\n", MsBetween(jingle, click),
              lastMs);
  EXPECT_LT(lastMs, kOnsetBoundMs + FileMs(1) + kLengthToleranceMs);
  EXPECT_GT(lastMs, FileMs(1) - kLengthToleranceMs) << "the click was not heard";
}

TEST_F(RealSoundServer, AnEffectThatCannotBePlayedStillCutsOffTheOnePlaying) {
  // The jingle (650 ms) is cut 200 ms in by an effect whose file is missing, damaged, or
  // in an encoding the game does not play (ADPCM): silence must follow at once.
  const std::string adpcm("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x02\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x04\0data\0\0\0\0", 44);
  const std::pair<const char*, std::string> cases[] = {{"missing", ""}, {"damaged", "RIFF"}, {"ADPCM", adpcm}};
  for (const auto& [what, bytes] : cases) {
    QFile::remove(QString::fromStdString(WavPath(2)));
    if (!bytes.empty()) dir_.Write("wav/02.wav", bytes);
    const size_t mark = recording_->Count();
    const SteadyTime jingle = std::chrono::steady_clock::now();
    Form().Sound.PlaySoundEffect(3);
    RunEventsFor(200);
    const SteadyTime cut = std::chrono::steady_clock::now();
    Form().Sound.PlaySoundEffect(2);
    RunEventsFor(600);
    recording_->WaitUntilPast(jingle, 900);
    const AudibleSpan heard = testing::FindAudible(recording_->Samples(), mark);
    ASSERT_FALSE(heard.Empty()) << what;
    EXPECT_LT(MsBetween(cut, recording_->SoundedAt(heard.Last)), kOnsetBoundMs) << what << ": the jingle played on";
  }
}

TEST_F(RealSoundServer, AServerThatGoesAwayLeavesTheGameSilentAndOneThatComesBackIsUsed) {
  Form().Sound.PlaySoundEffect(3);
  RunEventsFor(150);
  daemon_.Kill();
  recording_.reset();
  // Without a server: presses go on, silently, and the window keeps answering.
  for (int id = 1; id <= 4; ++id) Form().Sound.PlaySoundEffect(id);
  testing::SendMouse(window_->Screen(), QEvent::MouseButtonPress, QPointF(300, 190));
  bool answered = false;
  QTimer::singleShot(0, [&] { answered = true; });
  EXPECT_TRUE(RunEventsUntil([&] { return answered; }, 1000));
  RunEventsFor(300);
  EXPECT_EQ(Form().State.PressedButton, 1);
  // A new server on the same socket is used for the next effect.
  std::string why;
  ASSERT_TRUE(daemon_.Start(why)) << why;
  StartRecording();
  ExpectWhole(4, PlayAndListen(4, [&] { Form().Sound.PlaySoundEffect(4); }));
  EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace velmora
