// The program entry: the application with its title, the main window and the game in
// it, then the message loop. Files are read relative to the game folder (the working
// directory unless one is named on the command line): data/qelvart.red, wav/01.wav ...

#include <QApplication>
#include <QDir>
#include <QProcessEnvironment>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <optional>

#include "app/form.h"
#include "gfx/canvas.h"
#include "platform/qt/backlog_panel.h"
#include "platform/qt/command_line.h"
#include "platform/qt/display_settings.h"
#include "platform/qt/focus_ring.h"
#include "platform/qt/game_window.h"
#include "platform/qt/keys_panel.h"
#include "platform/qt/pad_input.h"
#include "platform/qt/reading_control.h"
#include "platform/qt/save_keys.h"
#include "platform/qt/screen_accessible.h"
#include "platform/qt/slot_screen.h"
#include "platform/qt/speech.h"
#include "platform/qt/text_hooks.h"

int main(int argc, char** argv) {
  // The options are read before the window system is opened, so that --help, --version
  // and a refused option need no display. Qt's own options (-platform and the like) are
  // accepted there and left in argv for QApplication.
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const velmora::LaunchOptions options = velmora::ParseCommandLine(arguments);
  switch (options.What) {
    case velmora::LaunchOptions::Action::ShowHelp:
      std::fputs(qPrintable(velmora::UsageText()), stdout);
      return 0;
    case velmora::LaunchOptions::Action::ShowVersion:
      std::fputs(qPrintable(velmora::VersionText()), stdout);
      return 0;
    case velmora::LaunchOptions::Action::Refuse:
      std::fprintf(stderr, "velmora: %s\n", qPrintable(options.Problem));
      return velmora::kUsageExitStatus;
    case velmora::LaunchOptions::Action::Play:
      break;
  }
  const QString missing = velmora::MissingDisplay(options, QProcessEnvironment::systemEnvironment());
  if (!missing.isEmpty()) {
    std::fprintf(stderr, "velmora: %s\n", qPrintable(missing));
    return velmora::kNoDisplayExitStatus;
  }

  QApplication app(argc, argv);
  // Only the name: a display name would be appended to the window's caption.
  QApplication::setApplicationName(QString::fromUtf8(velmora::kApplicationTitle));
  QGuiApplication::setDesktopFileName(QStringLiteral("velmora"));
  if (!options.GameFolder.isEmpty() && !QDir::setCurrent(options.GameFolder)) {
    std::fprintf(stderr, "velmora: the game folder '%s' cannot be opened\n", qPrintable(options.GameFolder));
    return velmora::kUsageExitStatus;
  }
  velmora::InstallJapaneseFonts();

  // The player's remembered look, unless the command line says otherwise for this run.
  const velmora::DisplaySettings settings;
  velmora::DisplayChoice choice = settings.Load();
  if (options.Scale > 0) choice.Zoom = options.Scale;
  if (options.Fullscreen) choice.Fullscreen = true;

  velmora::GameWindow window;
  window.OnDisplayChoice = [&settings](const velmora::DisplayChoice& chosen) {
    const QString problem = settings.Save(chosen);
    if (!problem.isEmpty()) std::fprintf(stderr, "velmora: the display choice was not kept: %s\n", qPrintable(problem));
  };
  window.Start();
  velmora::SaveKeys saves(window);  // F5, F9 and the morning autosave
  velmora::SlotScreen slotScreen(window, saves.Keeper());  // Ctrl+S, Ctrl+L: the save and load screens
  velmora::KeysPanel keys(window);  // F1
  velmora::FocusRing focus(window);  // arrows, Enter, Space and Backspace
  velmora::ScreenAccessible reader(window, focus);  // the text and the focus for screen readers
  velmora::Speech speech(window, focus, velmora::DisplaySettings::DefaultPath());  // V
  auto* backlog = new velmora::BacklogPanel(window);  // PageUp and the wheel turned away; the window owns it
  // Skipping read pages (Ctrl held, Tab) and the memory of what was read, kept beside the saves.
  velmora::ReadingControl reading(
      window, [&saves] { return velmora::ReadMemoryPathFor(saves.Keeper().Folder()); }, backlog);
  reading.UseSettings(velmora::ReadingSettings());  // auto-read's page time (Minus, Plus)
  // Each unit read handed to a reading tool (--texthook); checked by the command line.
  QString hookProblem;
  const std::optional<velmora::TextHookChoice> hook =
      options.TextHook.isEmpty() ? std::nullopt : velmora::ParseTextHook(options.TextHook, hookProblem);
  std::unique_ptr<velmora::TextHooks> hooks;
  if (hook) hooks = std::make_unique<velmora::TextHooks>(window.Form().Feed, *hook);
  if (choice.Zoom > 0) window.SetZoom(choice.Zoom);
  if (choice.Fullscreen) window.SetFullscreen(true);
  window.show();
  velmora::PadInput pads(window);  // game pads, as the keys they stand for
  return QApplication::exec();
}
