#pragma once
// The program's command line: velmora [--fullscreen] [--scale N] [DIR]. Without any of
// it the game starts as it always has, in the working directory, in a window at the
// device's own scale. Every mistake is found here, before a window opens.

#include <QString>
#include <QStringList>

namespace velmora {

// The largest scale --scale takes; the window is kept within the screen in any case.
inline constexpr int kMostScale = 16;
// The exit status for a command line the program cannot follow.
inline constexpr int kUsageExitStatus = 2;

struct LaunchOptions {
  enum class Action { Play, ShowHelp, ShowVersion, Refuse };
  Action What = Action::Play;
  QString GameFolder;   // empty: the working directory
  bool Fullscreen = false;
  int Scale = 0;        // 0: not given
  QString Problem;      // one line, for Refuse
  QString TextHook;     // --texthook=MODE (see platform/qt/text_hooks), checked; empty: none
};

// Reads the arguments after the program's name.
LaunchOptions ParseCommandLine(const QStringList& arguments);

// The --help text and the --version line.
QString UsageText();
QString VersionText();

}  // namespace velmora
