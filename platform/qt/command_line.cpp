#include "platform/qt/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <functional>
#include <vector>

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

// One of our options: its names, the name of its value (empty: a switch), what to say
// when the value is missing, and what it sets (a problem in one line, or empty).
struct OptionRule {
  QStringList Names;
  QString ValueName;
  QString NoValue;
  std::function<QString(LaunchOptions&, const QString& value)> Apply;
};

const std::vector<OptionRule>& OptionRules() {
  static const std::vector<OptionRule> rules = {
      {{"fullscreen"}, {}, {}, [](LaunchOptions& o, const QString&) {
         o.Fullscreen = true;
         return QString();
       }},
      {{"scale"}, "N", "--scale needs a number, e.g. --scale 2", [](LaunchOptions& o, const QString& value) {
         o.Scale = ScaleFrom(value);
         if (o.Scale > 0) return QString();
         return QStringLiteral("--scale takes a whole number from 1 to %1, not '%2'").arg(kMostScale).arg(value);
       }},
      {{"texthook"}, "MODE", "--texthook needs a mode: stdout, clipboard or websocket[:PORT]",
       [](LaunchOptions& o, const QString& value) {
         QString problem;
         if (!ParseTextHook(value, problem)) return problem;
         o.TextHook = value;
         return QString();
       }},
  };
  return rules;
}

// Qt's own options (QGuiApplication, QApplication and the X11 platform take them when the
// window system is opened): accepted and left for them. Those with a value name take one.
struct QtOption {
  const char* Name;
  const char* ValueName;
};
constexpr QtOption kQtOptions[] = {
    {"platform", "NAME"}, {"platformpluginpath", "PATH"}, {"platformtheme", "NAME"},
    {"plugin", "NAME"},   {"qwindowgeometry", "GEOMETRY"}, {"qwindowicon", "FILE"},
    {"qwindowtitle", "TITLE"}, {"qmljsdebugger", "PORT"}, {"session", "ID"},
    {"style", "STYLE"},   {"stylesheet", "FILE"},          {"display", "DISPLAY"},
    {"geometry", "GEOMETRY"}, {"title", "TITLE"},           {"icon", "FILE"},
    {"name", "NAME"},     {"visual", "VISUAL"},            {"reverse", ""},
    {"widgetcount", ""},  {"nograb", ""},                   {"dograb", ""},
    {"sync", ""},         {"cmap", ""},
};

// The option name an argument spells (without its dashes and value), or empty.
QString OptionNameOf(const QString& argument) {
  if (!argument.startsWith(u'-') || argument == u"-" || argument == u"--") return {};
  return argument.mid(argument.startsWith(u"--") ? 2 : 1).section(u'=', 0, 0);
}

// The argument as the player wrote it for an unknown option, so the message quotes it.
QString WrittenAs(const QStringList& arguments, const QString& name) {
  for (const QString& argument : arguments)
    if (OptionNameOf(argument) == name) return argument.section(u'=', 0, 0);
  return u'-' + name;
}

}  // namespace

LaunchOptions ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // Qt's options are single-dash words (-platform offscreen); ours take one or two dashes.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{"h", "help"});
  const QCommandLineOption version(QStringLiteral("version"));
  parser.addOption(help);
  parser.addOption(version);
  for (const OptionRule& rule : OptionRules()) parser.addOption(QCommandLineOption(rule.Names, {}, rule.ValueName));
  for (const QtOption& qt : kQtOptions)
    parser.addOption(QCommandLineOption(QString::fromLatin1(qt.Name), {}, QString::fromLatin1(qt.ValueName)));
  const bool parsed = parser.parse(QStringList(QStringLiteral("velmora")) + arguments);

  LaunchOptions options;
  if (parser.isSet(help)) {
    options.What = LaunchOptions::Action::ShowHelp;
    return options;
  }
  if (parser.isSet(version)) {
    options.What = LaunchOptions::Action::ShowVersion;
    return options;
  }
  if (!parser.unknownOptionNames().isEmpty())
    return Refused(QStringLiteral("unknown option '%1' (try --help)").arg(WrittenAs(arguments, parser.unknownOptionNames().first())));
  // A value can only be missing after the last argument ("--scale=" gives an empty one).
  const QString last = arguments.isEmpty() ? QString() : arguments.last();
  for (const OptionRule& rule : OptionRules()) {
    if (!parser.isSet(rule.Names.first())) continue;
    const QStringList values = parser.values(rule.Names.first());
    if (!parsed && !rule.ValueName.isEmpty() && values.isEmpty() && rule.Names.contains(OptionNameOf(last)) &&
        !last.contains(u'='))
      return Refused(rule.NoValue);
    const QString problem = rule.Apply(options, values.isEmpty() ? QString() : values.last());
    if (!problem.isEmpty()) return Refused(problem);
  }
  if (!parsed) return Refused(parser.errorText().remove(u'\n'));
  options.Platform = parser.value(QStringLiteral("platform"));
  options.Display = parser.value(QStringLiteral("display"));

  const QStringList folders = parser.positionalArguments();
  if (folders.size() > 1)
    return Refused(QStringLiteral("only one game folder can be played, but '%1' is a second").arg(folders[1]));
  if (!folders.isEmpty()) {
    const QFileInfo folder(folders.first());
    if (!folder.exists()) return Refused(QStringLiteral("the game folder '%1' does not exist").arg(folders.first()));
    if (!folder.isDir()) return Refused(QStringLiteral("'%1' is not a folder").arg(folders.first()));
    options.GameFolder = folders.first();
  }
  return options;
}

QString MissingDisplay(const LaunchOptions& options, const QProcessEnvironment& environment) {
  // Qt tries the platforms named in turn ("wayland;xcb"); with none named, X11 or Wayland.
  const QString asked = options.Platform.isEmpty() ? environment.value(QStringLiteral("QT_QPA_PLATFORM")) : options.Platform;
  bool x11 = asked.isEmpty();
  bool wayland = asked.isEmpty();
  for (const QString& entry : asked.split(u';', Qt::SkipEmptyParts)) {
    const QString name = entry.section(u':', 0, 0).trimmed();
    if (name.startsWith(u"xcb")) {
      x11 = true;
    } else if (name.startsWith(u"wayland")) {
      wayland = true;
    } else {
      return {};  // offscreen, minimal, eglfs ...: no display server needed
    }
  }
  const auto set = [&](const char* name) { return !environment.value(QString::fromLatin1(name)).isEmpty(); };
  if (x11 && (set("DISPLAY") || !options.Display.isEmpty())) return {};
  if (wayland && (set("WAYLAND_DISPLAY") || set("WAYLAND_SOCKET"))) return {};
  const QString missing = x11 && wayland ? QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set")
                          : x11          ? QStringLiteral("DISPLAY is not set")
                                         : QStringLiteral("WAYLAND_DISPLAY is not set");
  return QStringLiteral("no display to open the window on: %1 (start the game from a desktop session)").arg(missing);
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
      "Qt's own options (-platform NAME, -display NAME, ...) are passed on to Qt.\n"
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
