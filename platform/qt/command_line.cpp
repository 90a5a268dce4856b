#include "platform/qt/command_line.h"

#include <QFileInfo>

#include "platform/qt/shell_keys.h"
#include "platform/qt/text_hooks.h"

#ifndef VELMORA_VERSION
#define VELMORA_VERSION "0"
#endif

namespace velmora {

namespace {

LaunchOptions Refused(const QString& problem) {
  LaunchOptions refused;
  refused.What = LaunchOptions::Action::Refuse;
  refused.Problem = problem;
  return refused;
}

// A whole number 1..kMostScale written in plain digits, or 0.
int ScaleFrom(const QString& text) {
  for (const QChar c : text)
    if (c < u'0' || c > u'9') return 0;
  bool ok = false;
  const int value = text.toInt(&ok);
  return ok && value >= 1 && value <= kMostScale ? value : 0;
}

}  // namespace

LaunchOptions ParseCommandLine(const QStringList& arguments) {
  LaunchOptions options;
  bool optionsEnded = false;
  bool folderGiven = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    if (!optionsEnded && arg.startsWith(u'-') && arg.size() > 1) {
      if (arg == u"--") {
        optionsEnded = true;
      } else if (arg == u"--help" || arg == u"-h") {
        options.What = LaunchOptions::Action::ShowHelp;
        return options;
      } else if (arg == u"--version") {
        options.What = LaunchOptions::Action::ShowVersion;
        return options;
      } else if (arg == u"--fullscreen") {
        options.Fullscreen = true;
      } else if (arg == u"--scale" || arg.startsWith(u"--scale=")) {
        QString value;
        if (arg == u"--scale") {
          if (i + 1 >= arguments.size()) return Refused(QStringLiteral("--scale needs a number, e.g. --scale 2"));
          value = arguments[++i];
        } else {
          value = arg.mid(8);
        }
        options.Scale = ScaleFrom(value);
        if (options.Scale == 0)
          return Refused(QStringLiteral("--scale takes a whole number from 1 to %1, not '%2'").arg(kMostScale).arg(value));
      } else if (arg.startsWith(u"--texthook=")) {
        QString problem;
        if (!ParseTextHook(arg.mid(11), problem)) return Refused(problem);
        options.TextHook = arg.mid(11);
      } else {
        return Refused(QStringLiteral("unknown option '%1' (try --help)").arg(arg));
      }
      continue;
    }
    if (folderGiven) return Refused(QStringLiteral("only one game folder can be played, but '%1' is a second").arg(arg));
    folderGiven = true;
    const QFileInfo folder(arg);
    if (!folder.exists()) return Refused(QStringLiteral("the game folder '%1' does not exist").arg(arg));
    if (!folder.isDir()) return Refused(QStringLiteral("'%1' is not a folder").arg(arg));
    options.GameFolder = arg;
  }
  return options;
}

QString UsageText() {
  return QStringLiteral(
      "Usage: velmora [OPTIONS] [DIR]\n"
      "Plays the game in the folder DIR (data/qelvart.red and wav/), or in the working\n"
      "directory when DIR is not given.\n"
      "\n"
      "  --fullscreen   start in fullscreen (F11 or Alt+Enter switches, Esc leaves it)\n"
      "  --scale N      show the picture N times its size (N = 1..%1, within the screen)\n"
      "  --texthook=stdout|clipboard|websocket[:PORT]\n"
      "                 hand each page read to a reading tool: on standard output, on the\n"
      "                 clipboard, or as a text frame to ws://127.0.0.1:PORT (6677)\n"
      "  --help         show this text\n"
      "  --version      show the version\n"
      "\n"
      "Keys:\n")
             .arg(kMostScale) +
         KeyHelpText() +
         QStringLiteral(
             "\n"
             "Saves are kept in $XDG_DATA_HOME/velmora/saves/ (~/.local/share when unset), a\n"
             "folder per game file; the memory of pages read, which skipping goes by, beside\n"
             "them in $XDG_DATA_HOME/velmora/read/, a file per game file.\n");
}

QString VersionText() { return QStringLiteral("velmora " VELMORA_VERSION "\n"); }

}  // namespace velmora
