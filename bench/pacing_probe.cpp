// Measures the pacing of the real Qt window: the title's vertical wipe, the horizontal
// wipe into a panning CG, the pan itself and the wipe to its rest frame. It plays a tiny
// game (the demo pictures, a script that opens on "<CG>" N) through the real mode
// machine, watches the host calls the wipes make, and prints for every painted step when
// it reached the window against its deadline, then the pan's tick rate and whether any
// window position was painted twice or never. Run it under a real display (Xvfb will
// do, or natively on a Wayland compositor; bench/measure_pacing.sh runs it on both); it is
// a measuring tool, not a test.
//
//   pacing_probe [CG]                   CG 2 or 3 (default 3)
//   pacing_probe --write-game DIR CG    only writes that game into DIR

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <time.h>
#include <unistd.h>

#include "app/form.h"
#include "gfx/asset_table.h"
#include "gfx/sjis.h"
#include "platform/qt/game_window.h"
#include "tools/demo/demo_content.h"

namespace {

using namespace velmora;
using Clock = std::chrono::steady_clock;

// Milliseconds since the probe started, with sub-millisecond resolution.
double Since(Clock::time_point origin, Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(t - origin).count();
}

// The CPU time this process has used so far, all threads, in milliseconds.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

// One step of a wipe: the paints made between two readings of the clock.
struct WipeStep {
  double FirstPaint = 0;  // when its first paint started, probe ms
  double LastPaint = 0;   // when its last paint had reached the window, probe ms
  int Paints = 0;
};

// One wipe, from the clock reading that set its first deadline to its return.
struct Wipe {
  bool Vertical = false;
  uint32_t StartMs = 0;      // the game clock's value the deadlines count from
  double StartAt = 0;        // when that value was read, probe ms
  double EndAt = 0;          // when the mode timer went on after it, probe ms
  double CpuAtStart = 0;     // process CPU time at the start and at the end, ms
  double CpuAtEnd = 0;
  std::vector<WipeStep> Steps;

  int StepDelay() const { return 1000 / (Vertical ? 37 : 27); }
  // The vertical wipe paints before it waits, the horizontal one after: step s of the
  // vertical wipe follows the wait for deadline s - 1.
  double Deadline(size_t s) const {
    const int waits = Vertical ? std::max<int>(0, static_cast<int>(s) - 1) : static_cast<int>(s);
    return StartAt + waits * StepDelay();
  }
};

// One tick of the panning timer and the window position it put on the screen.
struct PanTick {
  double At = 0;
  int32_t ShownY = 0;
  double Cpu = 0;  // process CPU time after the tick, ms
};

// The game window with every wipe paint, clock reading and pan paint written down.
class ProbeWindow : public GameWindow {
 public:
  ProbeWindow() : origin_(Clock::now()) {
    Screen().installEventFilter(this);
    QObject::connect(&Timers().Timer(TimerId::CG_Timer), &QTimer::timeout, this, [this] { AfterPanTick(); });
  }

  Clock::time_point Origin() const { return origin_; }
  const std::vector<Wipe>& Wipes() const { return wipes_; }
  const std::vector<PanTick>& Ticks() const { return ticks_; }
  const std::vector<std::pair<double, int32_t>>& PanPaints() const { return panPaints_; }
  double FirstExpose() const { return firstExpose_; }
  double OpeningShown() const { return openingShown_; }

  uint32_t Milliseconds() override {
    NoteShowingPainted();
    const uint32_t now = GameWindow::Milliseconds();
    // Only the wipes read the clock here (the card deal does too, but is never reached).
    if (!inWipe_) {
      inWipe_ = true;
      Wipe wipe;
      wipe.Vertical = Form().State.ScreenMode == 1;
      wipe.StartMs = now;
      wipe.StartAt = Now();
      wipe.CpuAtStart = CpuMs();
      wipes_.push_back(wipe);
    }
    clockReadSincePaint_ = true;
    return now;
  }

  void PaintWindow(const Picture& picture, int x, int y) override {
    const double before = Now();
    GameWindow::PaintWindow(picture, x, y);
    const double after = Now();
    if (!inWipe_) return;
    std::vector<WipeStep>& steps = wipes_.back().Steps;
    if (clockReadSincePaint_ || steps.empty()) steps.push_back({before, after, 0});
    clockReadSincePaint_ = false;
    steps.back().LastPaint = after;
    ++steps.back().Paints;
  }

  void TimerChanged(const GameTimer& timer) override {
    NoteShowingPainted();
    // The mode timer takes its 300 ms pause right after PlayTransition returns.
    if (timer.Id() == TimerId::G_Timer && timer.Interval() == 300 && inWipe_) {
      wipes_.back().EndAt = Now();
      wipes_.back().CpuAtEnd = CpuMs();
      inWipe_ = false;
    }
    // The opening picture is up when the first tick has set the 1 s wait for the title.
    if (timer.Id() == TimerId::G_Timer && timer.Interval() == 1000 && openingSet_ == 0) openingSet_ = 1;
    if (timer.Id() == TimerId::CG_Timer && timer.Enabled()) {
      panning_ = true;
      nextShownY_ = Form().State.PanY;
      // The wipe's last step left the start position on the window: the first tick,
      // which copies that same frame, needs no paint of its own.
      panPaints_.emplace_back(Now(), nextShownY_);
    }
    GameWindow::TimerChanged(timer);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &Screen() && event->type() == QEvent::Paint) {
      const double at = Now();
      if (firstExpose_ < 0) firstExpose_ = at;
      if (openingSet_ == 1) {
        openingSet_ = 2;
        openingShown_ = at;
      }
      // A paint while panning, or the first one after the last tick, shows the position
      // the latest tick copied.
      if (!ticks_.empty() && (panning_ || ticksPaintedUpTo_ < ticks_.size()))
        panPaints_.emplace_back(at, ticks_.back().ShownY);
      ticksPaintedUpTo_ = ticks_.size();
    }
    return GameWindow::eventFilter(watched, event);
  }

 private:
  double Now() const { return Since(origin_, Clock::now()); }

  // The window shows what a wipe step painted all at once, before the game next reads
  // the clock or changes a timer (as GameWindow does there, first): that is when the
  // step reached the window.
  void NoteShowingPainted() {
    if (!Screen().HasUnshownPaint()) return;
    ShowWipePaints();
    if (inWipe_ && !wipes_.back().Steps.empty()) wipes_.back().Steps.back().LastPaint = Now();
  }

  void AfterPanTick() {
    // Runs after the game's own handler: the tick showed the position before its move.
    ticks_.push_back({Now(), nextShownY_, CpuMs()});
    nextShownY_ = Form().State.PanY;
    if (!Form().CG_Timer.Enabled()) panning_ = false;
  }

  Clock::time_point origin_;
  std::vector<Wipe> wipes_;
  bool inWipe_ = false;
  bool clockReadSincePaint_ = false;
  std::vector<PanTick> ticks_;
  std::vector<std::pair<double, int32_t>> panPaints_;
  size_t ticksPaintedUpTo_ = 0;
  bool panning_ = false;
  int32_t nextShownY_ = 0;
  double firstExpose_ = -1;
  int openingSet_ = 0;
  double openingShown_ = -1;
};

// The demo pictures with a script whose opening goes straight to CG Cg.
void WriteProbeGame(const std::string& dir, int cg) {
  std::vector<uint8_t> file = DemoAssetFile();
  file.resize(ScriptOffset);
  const std::string script = EncodeCp932("*OP\n<CG>\n" + std::to_string(cg) + "\nパンの後の一行。\n*next_ba\n");
  file.insert(file.end(), script.begin(), script.end());
  std::filesystem::create_directories(dir + "/data");
  std::ofstream(dir + "/data/qelvart.red", std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

void Click(QWidget& widget, QPointF at) {
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
  }
}

void ReportWipe(const Wipe& wipe, const char* name) {
  std::printf("\n== %s (%s, %zu painted steps, step delay %d ms)\n", name, wipe.Vertical ? "vertical" : "horizontal",
              wipe.Steps.size(), wipe.StepDelay());
  std::printf("step  deadline  first-paint  on-window  late(ms)  paints\n");
  double worst = 0;
  for (size_t s = 0; s < wipe.Steps.size(); ++s) {
    const WipeStep& step = wipe.Steps[s];
    const double deadline = wipe.Deadline(s) - wipe.StartAt;
    const double late = step.LastPaint - wipe.Deadline(s);
    worst = std::max(worst, late);
    std::printf("%4zu  %8.1f  %11.2f  %9.2f  %8.2f  %6d\n", s, deadline, step.FirstPaint - wipe.StartAt,
                step.LastPaint - wipe.StartAt, late, step.Paints);
  }
  std::printf("%s: largest lateness %.2f ms, last step on the window at %.1f ms, returned after %.1f ms, "
              "%.1f ms of CPU\n",
              name, worst, wipe.Steps.empty() ? 0.0 : wipe.Steps.back().LastPaint - wipe.StartAt,
              wipe.EndAt - wipe.StartAt, wipe.CpuAtEnd - wipe.CpuAtStart);
}

void ReportPan(const ProbeWindow& window, int cg) {
  const std::vector<PanTick>& ticks = window.Ticks();
  std::printf("\n== pan of CG %d: %zu ticks\n", cg, ticks.size());
  if (ticks.size() < 2) return;
  double shortest = 1e9, longest = 0;
  int overTwenty = 0;
  for (size_t i = 1; i < ticks.size(); ++i) {
    const double gap = ticks[i].At - ticks[i - 1].At;
    shortest = std::min(shortest, gap);
    longest = std::max(longest, gap);
    if (gap > 20) ++overTwenty;
  }
  const double span = ticks.back().At - ticks.front().At;
  std::printf("pan: %.1f ms from first to last tick, %.2f ticks/s, tick gap %.2f..%.2f ms (mean %.2f), %d gaps > 20 ms, "
              "%.2f ms of CPU a tick\n",
              span, 1000.0 * static_cast<double>(ticks.size() - 1) / span, shortest, longest,
              span / static_cast<double>(ticks.size() - 1), overTwenty,
              (ticks.back().Cpu - ticks.front().Cpu) / static_cast<double>(ticks.size() - 1));
  // Every shown position should reach the window exactly once.
  std::map<int32_t, int> painted;
  for (const auto& paint : window.PanPaints()) ++painted[paint.second];
  int dropped = 0, doubled = 0;
  std::string droppedList, doubledList;
  for (const PanTick& tick : ticks) {
    const int times = painted.count(tick.ShownY) ? painted[tick.ShownY] : 0;
    if (times == 0) {
      ++dropped;
      droppedList.append(1, ' ').append(std::to_string(tick.ShownY));
    } else if (times > 1) {
      ++doubled;
      doubledList.append(1, ' ').append(std::to_string(tick.ShownY));
    }
  }
  std::printf("pan: PanY shown %d..%d, %zu paints (the first by the wipe); %d positions never painted%s; "
              "%d painted more than once%s\n",
              ticks.front().ShownY, ticks.back().ShownY, window.PanPaints().size(), dropped, droppedList.c_str(),
              doubled, doubledList.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const int cg = argc > 1 ? std::atoi(argv[1]) : 3;
  if ((cg != 2 && cg != 3) && !(argc == 4 && std::string(argv[1]) == "--write-game")) {
    std::fprintf(stderr, "usage: pacing_probe [2|3] | pacing_probe --write-game DIR CG\n");
    return 2;
  }
  QApplication app(argc, argv);
  velmora::InstallJapaneseFonts();
  // --write-game DIR CG: only writes the probe's game folder, for the real program to play.
  if (argc == 4 && std::string(argv[1]) == "--write-game") {
    WriteProbeGame(argv[2], std::atoi(argv[3]));
    return 0;
  }
  const std::string dir = (std::filesystem::temp_directory_path() / ("velmora-probe-" + std::to_string(getpid()))).string();
  WriteProbeGame(dir, cg);
  QDir::setCurrent(QString::fromStdString(dir));

  ProbeWindow window;
  window.Start();
  window.show();
  TForm1& form = window.Form();
  bool clicked = false;
  int result = 1;
  QTimer watch;
  // Clicks the title's first button once it has settled, and stops once the text page
  // after the pan is up.
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const bool settled = !form.G_Timer.Enabled() && !form.CG_Timer.Enabled();
    if (!clicked && settled && form.State.ScreenMode == 1 && window.Wipes().size() == 1) {
      clicked = true;
      Click(window.Screen(), QPointF(320, 198));
    } else if (clicked && settled && form.State.ScreenMode == 6 && window.Wipes().size() >= 3) {
      result = 0;
      QApplication::quit();
    }
  });
  watch.start(50);
  QTimer::singleShot(30000, [] { QApplication::quit(); });
  QApplication::exec();
  watch.stop();

  std::printf("start-up: window first painted %.1f ms after the window object was made; opening picture "
              "painted %.1f ms after that\n",
              window.FirstExpose(), window.OpeningShown() - window.FirstExpose());
  const char* names[] = {"title wipe", "wipe into the CG", "wipe to the rest frame"};
  for (size_t i = 0; i < window.Wipes().size() && i < 3; ++i) ReportWipe(window.Wipes()[i], names[i]);
  ReportPan(window, cg);
  std::filesystem::remove_all(dir);
  if (result != 0) std::fprintf(stderr, "pacing_probe: the game did not reach the text page after the pan in 30 s\n");
  return result;
}
