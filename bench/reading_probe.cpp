// Measures reading in the real Qt window: the opening's pages turned at the fastest rate the
// game allows (a click the moment the page button is live, as a player hammering Enter
// does), the same pages passed by skipping once they have been read, and how long the
// backlog takes to open, drawn, with 200 entries. Run it under a real display (Xvfb will
// do) on a game folder; bench/measure_reading.sh does both. A measuring tool, not a test.
//
//   reading_probe GAME_DIR [PAGES]   (PAGES: at least this many pages each way, default 100)

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/form.h"
#include "app/live_targets.h"
#include "gfx/canvas.h"
#include "platform/qt/backlog_panel.h"
#include "platform/qt/game_window.h"
#include "platform/qt/reading_control.h"

namespace {

using namespace velmora;

bool RunUntil(const std::function<bool()>& done, int limitMs = 30000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limitMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
  }
  return true;
}

struct Round {
  int Pages = 0;
  double Ms = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "usage: reading_probe GAME_DIR [PAGES]\n");
    return 2;
  }
  const int wanted = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100;
  InstallJapaneseFonts();
  QTemporaryDir data;
  GameWindow window;
  TForm1& form = window.Start();
  auto* backlog = new BacklogPanel(window);
  ReadingControl reading(window, [&] { return data.filePath("read.dat").toStdString(); }, backlog);
  window.show();
  int pages = 0;
  form.Feed.OnUnit([&](const ReadUnit& unit) { pages += unit.Kind != UnitKind::Choice; });

  const auto atRest = [&] { return !window.Busy() && !form.G_Timer.Enabled() && !form.Play_Timer.Enabled(); };
  const auto toTitle = [&] {
    if (form.State.ScreenMode != 1) window.Menus().ActionOf(form.ReSet_Btn1)->trigger();
    return RunUntil([&] { return atRest() && form.State.ScreenMode == 1; });
  };
  const auto newGame = [&] {
    window.RunGameEntry([&] { form.ImageBaMouseDown(MouseButton::Left, 320, 198); });
    window.RunGameEntry([&] { form.ImageBaMouseUp(MouseButton::Left, 320, 198); });
    return RunUntil([&] { return atRest() && !form.CG_Timer.Enabled() && form.State.ScreenMode == 6; });
  };
  // The opening from its first page to the photo game, by clicks or by skipping.
  const auto readOpening = [&](bool skip) {
    Round round;
    if (!toTitle() || !newGame()) return round;
    const int before = pages;
    QElapsedTimer clock;
    clock.start();
    if (skip) {
      reading.ToggleSkip();
      RunUntil([&] { return !reading.Skipping(); });
    } else {
      RunUntil([&] {
        if (!window.Busy() && PageButtonTarget(form)) window.AdvancePage();
        return atRest() && !form.CG_Timer.Enabled() && !PageButtonTarget(form);
      });
    }
    round.Ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    round.Pages = pages - before;  // the pages turned after the first one
    return round;
  };
  const auto measure = [&](bool skip, const char* name) {
    Round total;
    while (total.Pages < wanted) {
      const Round round = readOpening(skip);
      if (round.Pages == 0) {
        std::fprintf(stderr, "reading_probe: the opening could not be read (%s)\n", name);
        std::exit(1);
      }
      total.Pages += round.Pages;
      total.Ms += round.Ms;
    }
    std::printf("%-34s %4d pages in %7.0f ms: %6.1f pages/s, %5.2f s per 100 pages\n", name, total.Pages, total.Ms,
                total.Pages * 1000.0 / total.Ms, total.Ms / total.Pages * 100.0 / 1000.0);
  };
  measure(false, "clicked at the fastest rate");
  measure(true, "skipped (read before)");

  // The backlog with 200 entries: opened and drawn, then closed, twenty times.
  for (int i = 0; i < 200; ++i) {
    form.Feed.Begin(UnitKind::Page, "page:" + std::to_string(100000 + i));
    for (int line = 0; line < 3; ++line) form.Feed.Line("「この春で、いちばんの写真」と彼女は言った。三行目まである長い頁");
    form.Feed.Settle();
  }
  toTitle();
  newGame();
  std::vector<double> opens;
  for (int i = 0; i < 20; ++i) {
    QElapsedTimer clock;
    clock.start();
    if (!backlog->Open()) {
      std::fprintf(stderr, "reading_probe: the backlog did not open\n");
      return 1;
    }
    backlog->repaint();
    opens.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    backlog->Close();
    QCoreApplication::processEvents();
  }
  std::sort(opens.begin(), opens.end());
  std::printf("backlog with %zu entries (%zu rows)   opened and drawn: median %.1f ms, slowest %.1f ms\n",
              form.Feed.History().size(), backlog->Rows().size(), opens[opens.size() / 2], opens.back());
  return 0;
}
