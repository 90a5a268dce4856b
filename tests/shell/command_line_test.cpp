#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "platform/qt/command_line.h"
#include "platform/qt/shell_keys.h"

namespace velmora {
namespace {

using Action = LaunchOptions::Action;

TEST(CommandLine, NoArgumentsPlaysHereInTheDefaultWindow) {
  const LaunchOptions none = ParseCommandLine({});
  EXPECT_EQ(none.What, Action::Play);
  EXPECT_TRUE(none.GameFolder.isEmpty());
  EXPECT_FALSE(none.Fullscreen);
  EXPECT_EQ(none.Scale, 0);
}

TEST(CommandLine, FolderFullscreenScaleHelpAndVersion) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const LaunchOptions all = ParseCommandLine({"--fullscreen", "--scale", "3", dir.path()});
  EXPECT_EQ(all.What, Action::Play);
  EXPECT_EQ(all.GameFolder, dir.path());
  EXPECT_TRUE(all.Fullscreen);
  EXPECT_EQ(all.Scale, 3);
  EXPECT_EQ(ParseCommandLine({"--scale=16"}).Scale, 16);
  // After "--" a name that looks like an option is a folder.
  QDir(dir.path()).mkdir("-odd");
  const QString before = QDir::currentPath();
  QDir::setCurrent(dir.path());
  EXPECT_EQ(ParseCommandLine({"--", "-odd"}).GameFolder, "-odd");
  QDir::setCurrent(before);
  EXPECT_EQ(ParseCommandLine({"--help", "--bogus"}).What, Action::ShowHelp);
  EXPECT_EQ(ParseCommandLine({"-h"}).What, Action::ShowHelp);
  EXPECT_EQ(ParseCommandLine({"--version"}).What, Action::ShowVersion);
  // Qt's own options are left for Qt, and read for the display check.
  const LaunchOptions qt = ParseCommandLine({"-platform", "offscreen", "-reverse", dir.path()});
  EXPECT_EQ(qt.Platform + qt.GameFolder, "offscreen" + dir.path());
  EXPECT_TRUE(UsageText().startsWith("Usage: velmora"));
  EXPECT_TRUE(VersionText().startsWith("velmora "));
}

TEST(CommandLine, EveryMistakeIsRefusedInOneLine) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile file(dir.filePath("plain.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  const std::vector<std::pair<QStringList, QString>> cases = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"-x"}, "unknown option '-x'"},
      {{"--scale"}, "--scale needs a number"},
      {{"--scale", "0"}, "not '0'"},
      {{"--scale", "17"}, "not '17'"},
      {{"--scale", "-2"}, "not '-2'"},
      {{"--scale", "2.5"}, "not '2.5'"},
      {{"--scale", "two"}, "not 'two'"},
      {{"--scale", " 2"}, "not ' 2'"},
      {{"--scale="}, "not ''"},
      {{"--scale", "99999999999999999999"}, "not '99999999999999999999'"},
      {{dir.filePath("missing")}, "does not exist"},
      {{file.fileName()}, "is not a folder"},
      {{dir.path(), dir.path()}, "is a second"},
  };
  for (const auto& [arguments, says] : cases) {
    const LaunchOptions refused = ParseCommandLine(arguments);
    EXPECT_EQ(refused.What, Action::Refuse) << arguments.join(' ').toStdString();
    EXPECT_TRUE(refused.Problem.contains(says)) << refused.Problem.toStdString();
    EXPECT_FALSE(refused.Problem.contains('\n')) << refused.Problem.toStdString();
  }
}

// The program itself where no window system can be opened (a terminal over ssh, a
// packaging check): the options still answer, and a start says what is missing; a
// platform that needs no display (offscreen) is not refused.
TEST(CommandLine, ProgramAnswersWithoutADisplay) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM"}) environment.remove(name);
  const std::tuple<QStringList, int, QString> cases[] = {
      {{"--help"}, 0, "Usage: velmora"},
      {{"--version"}, 0, "velmora "},
      {{"--scale", "0"}, 2, "velmora: --scale takes a whole number"},
      {{}, 1, "velmora: no display to open the window on: neither DISPLAY nor WAYLAND_DISPLAY"},
  };
  for (const auto& [arguments, status, says] : cases) {
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(VELMORA_PROGRAM, arguments);
    ASSERT_TRUE(program.waitForFinished(20000));
    const QString out = QString::fromUtf8(program.readAllStandardOutput() + program.readAllStandardError());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << says.toStdString();
    EXPECT_EQ(program.exitCode(), status) << out.toStdString();
    EXPECT_TRUE(out.startsWith(says) && (status == 0 || out.count('\n') == 1)) << out.toStdString();
    if (status == 0 && arguments[0] == "--help") {
      for (const KeyHelpLine& line : KeyHelp()) EXPECT_TRUE(out.contains(line.Keys + "  ")) << line.Keys.toStdString();
    }
  }
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  EXPECT_TRUE(MissingDisplay(ParseCommandLine({}), environment).isEmpty());
}

}  // namespace
}  // namespace velmora
