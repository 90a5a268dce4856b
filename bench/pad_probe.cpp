// Measures what reading game pads costs the real window while nothing happens: the CPU
// time the whole process uses over some seconds on the title, with the pads' reading on
// and, with --virtual-pad, one of SDL's virtual pads connected and left untouched. Such a
// pad has no device file, so it is read on the pads' timer: the dearest case (a real pad
// is read only when its device file has something to read). Run it under a display
// (bench/measure_pads.sh runs it on Xvfb); it is a measuring tool, not a test.
//
//   pad_probe GAME_DIR [--virtual-pad] [--seconds N]

#include <SDL.h>
#include <time.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "gfx/canvas.h"
#include "platform/qt/game_window.h"
#include "platform/qt/pad_input.h"

namespace {

double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

void RunFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

int Threads() {
  int count = 0;
  for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task")) ++count;
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  bool virtualPad = false;
  int seconds = 10;
  QString folder;
  const QStringList args = QApplication::arguments().mid(1);
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--virtual-pad")) virtualPad = true;
    else if (args[i] == QLatin1String("--seconds") && i + 1 < args.size()) seconds = args[++i].toInt();
    else folder = args[i];
  }
  if (folder.isEmpty() || seconds <= 0 || !QDir::setCurrent(folder)) {
    std::fprintf(stderr, "usage: pad_probe GAME_DIR [--virtual-pad] [--seconds N]\n");
    return 2;
  }
  velmora::InstallJapaneseFonts();
  velmora::GameWindow window;
  window.Start();
  window.show();
  QElapsedTimer startup;
  startup.start();
  velmora::PadInput pads(window);
  if (!pads.Started()) return 1;
  std::printf("the pads' reading started in %.1f ms (SDL's game controller part, the first look for pads)\n",
              static_cast<double>(startup.nsecsElapsed()) / 1e6);
  SDL_Joystick* pad = nullptr;
  if (virtualPad) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "virtual pad";
    pad = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
    pads.Pump();
  }
  RunFor(3000);  // the opening and the title settle
  const double start = CpuMs();
  RunFor(seconds * 1000);
  const double used = CpuMs() - start;
  std::printf("%s: %.1f ms of CPU in %d s (%.3f%% of one core), %d pad(s) open, %d thread(s)\n",
              virtualPad ? "a virtual pad connected, untouched" : "no pad", used, seconds,
              100.0 * used / (seconds * 1000.0), pads.Pads(), Threads());
  if (pad) SDL_JoystickClose(pad);
  return 0;
}
