#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/qt/command_line.h"

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

}  // namespace
}  // namespace velmora
