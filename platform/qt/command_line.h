#pragma once
// The program's command line: velmora [--fullscreen] [--scale N] [DIR]. Without any of
// it the game starts as it always has, in the working directory, in a window at the
// device's own scale. Every mistake is found here, before the window system is opened,
// so --help, --version and a refused option work without any display.

#include <QString>
#include <QStringList>

class QProcessEnvironment;

namespace velmora {

// The largest scale --scale takes; the window is kept within the screen in any case.
inline constexpr int kMostScale = 16;
// The exit status for a command line the program cannot follow.
inline constexpr int kUsageExitStatus = 2;
// The exit status when there is no display to open the window on.
inline constexpr int kNoDisplayExitStatus = 1;

struct LaunchOptions {
  enum class Action { Play, ShowHelp, ShowVersion, Refuse };
  Action What = Action::Play;
  QString GameFolder;   // empty: the working directory
  bool Fullscreen = false;
  int Scale = 0;        // 0: not given
  QString Problem;      // one line, for Refuse
  // Qt's own options, left on the command line for QApplication; read here only to tell
  // whether a window can open.
  QString Platform;     // -platform NAME
  QString Display;      // -display NAME (X11)
  QString TextHook;     // --texthook=MODE (see platform/qt/text_hooks), checked; empty: none
};

// Reads the arguments after the program's name.
LaunchOptions ParseCommandLine(const QStringList& arguments);

// Why no window can open with these options in this environment, in one line, or empty
// when it may: X11 and Wayland need DISPLAY or WAYLAND_DISPLAY; other platforms
// (-platform offscreen, QT_QPA_PLATFORM=offscreen) need neither.
QString MissingDisplay(const LaunchOptions& options, const QProcessEnvironment& environment);

// The --help text (with every key the shell answers) and the --version line.
QString UsageText();
QString VersionText();

}  // namespace velmora
