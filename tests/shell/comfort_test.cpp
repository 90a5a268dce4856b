// The shell's comforts on the offscreen platform: the keys it answers, the page keys and
// the wheel through the real window, screenshots and the remembered display choice.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "platform/qt/display_settings.h"
#include "platform/qt/screenshot.h"
#include "platform/qt/shell_keys.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;
using testing::SendMouse;
using testing::ShellGame;

ShellAction ActionOf(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, bool repeat = false) {
  const QKeyEvent event(QEvent::KeyPress, key, mods, QString(), repeat);
  return ShellActionFor(event);
}

void SendKey(QWidget& to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods);
  QApplication::sendEvent(&to, &press);
}

void TurnWheel(QWidget& widget, int angle) {
  QWheelEvent event(QPointF(320, 240), widget.mapToGlobal(QPointF(320, 240)), QPoint(), QPoint(0, angle),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &event);
}

TEST(ShellKeys, EachKeyAndNothingElse) {
  EXPECT_EQ(ActionOf(Qt::Key_F11), ShellAction::ToggleFullscreen);
  EXPECT_EQ(ActionOf(Qt::Key_Return, Qt::AltModifier), ShellAction::ToggleFullscreen);
  EXPECT_EQ(ActionOf(Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier), ShellAction::ToggleFullscreen);
  EXPECT_EQ(ActionOf(Qt::Key_Escape), ShellAction::Escape);
  EXPECT_EQ(ActionOf(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier), ShellAction::ZoomIn);
  EXPECT_EQ(ActionOf(Qt::Key_Equal, Qt::ControlModifier), ShellAction::ZoomIn);
  EXPECT_EQ(ActionOf(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier), ShellAction::ZoomIn);
  EXPECT_EQ(ActionOf(Qt::Key_Minus, Qt::ControlModifier), ShellAction::ZoomOut);
  EXPECT_EQ(ActionOf(Qt::Key_0, Qt::ControlModifier), ShellAction::ZoomDefault);
  EXPECT_EQ(ActionOf(Qt::Key_Return), ShellAction::AdvancePage);
  EXPECT_EQ(ActionOf(Qt::Key_Enter, Qt::KeypadModifier), ShellAction::AdvancePage);
  EXPECT_EQ(ActionOf(Qt::Key_Space), ShellAction::AdvancePage);
  EXPECT_EQ(ActionOf(Qt::Key_F12), ShellAction::Screenshot);
  EXPECT_EQ(ActionOf(Qt::Key_F5), ShellAction::QuickSave);
  EXPECT_EQ(ActionOf(Qt::Key_F9), ShellAction::QuickLoad);
  // A held key repeats, a click does not; other keys and combinations are not ours.
  EXPECT_EQ(ActionOf(Qt::Key_Space, Qt::NoModifier, /*repeat=*/true), ShellAction::None);
  EXPECT_EQ(ActionOf(Qt::Key_Return, Qt::ControlModifier), ShellAction::None);
  EXPECT_EQ(ActionOf(Qt::Key_Plus, Qt::AltModifier), ShellAction::None);
  EXPECT_EQ(ActionOf(Qt::Key_0), ShellAction::None);
  EXPECT_EQ(ActionOf(Qt::Key_B), ShellAction::None);
  EXPECT_EQ(ActionOf(Qt::Key_S), ShellAction::None);
  EXPECT_EQ(ActionOf(Qt::Key_F4, Qt::AltModifier), ShellAction::None);
  // The focus keys follow a held key; a click's stand-in does not.
  EXPECT_EQ(ActionOf(Qt::Key_Down, Qt::NoModifier, /*repeat=*/true), ShellAction::FocusDown);
  EXPECT_EQ(ActionOf(Qt::Key_Tab, Qt::NoModifier, /*repeat=*/true), ShellAction::None);
}

TEST(ShellKeys, TheKeysListShowsEveryKeyTheTableAnswers) {
  // The keys panel and --help are made from this list: a key added to the table without
  // a line there would be a key no player can find.
  for (const KeyChord& chord : KeyChords()) {
    bool listed = false;
    for (const KeyHelpLine& line : KeyHelp())
      for (const ShellAction action : line.Actions) listed = listed || action == chord.Action;
    EXPECT_TRUE(listed) << "key " << chord.Key << " is not in the keys list";
  }
  EXPECT_TRUE(KeyHelpText().contains(QStringLiteral("F5 / F9")));
}

// The game at rest on the opening's first text page, in a shown window.
void ReachFirstPage(ShellGame& game) {
  GameWindow& window = game.window();
  TForm1& form = game.form();
  window.show();
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1 && !form.G_Timer.Enabled(); }, 10000));
  SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(300, 190));
  SendMouse(window.Screen(), QEvent::MouseButtonRelease, QPointF(300, 190));
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 6 && !form.G_Timer.Enabled(); }, 10000));
}

TEST(ShellPageKeys, EnterSpaceAndTheWheelTurnThePageAsAClickDoes) {
  ShellGame game;
  ReachFirstPage(game);
  TForm1& form = game.form();
  ScreenWidget& screen = game.window().Screen();
  const auto turnedBy = [&](const std::function<void()>& act) {
    const uint16_t before = form.State.ScriptPos;
    game.record().Sounds.clear();
    act();
    RunEventsUntil([&] { return !form.G_Timer.Enabled(); }, 10000);
    // The page button's own click sound, and the story moved on.
    return (form.State.ScriptPos != before || form.State.ScreenMode != 6) && !game.record().Sounds.empty() &&
           game.record().Sounds.front().endsWith("wav/01.wav");
  };
  // Other keys and the wheel turned away do nothing.
  EXPECT_FALSE(turnedBy([&] { TurnWheel(screen, 240); }));
  EXPECT_FALSE(turnedBy([&] { SendKey(screen, Qt::Key_A); }));
  EXPECT_FALSE(turnedBy([&] { SendKey(screen, Qt::Key_Return, Qt::ControlModifier); }));
  EXPECT_TRUE(turnedBy([&] { SendKey(screen, Qt::Key_Return); }));
  EXPECT_TRUE(turnedBy([&] { SendKey(screen, Qt::Key_Space); }));
  EXPECT_TRUE(turnedBy([&] { SendKey(screen, Qt::Key_Enter, Qt::KeypadModifier); }));
  EXPECT_TRUE(turnedBy([&] { TurnWheel(screen, -120); }));
  // Half notches add up to one.
  EXPECT_FALSE(turnedBy([&] { TurnWheel(screen, -60); }));
  EXPECT_TRUE(turnedBy([&] { TurnWheel(screen, -60); }));
  // During a mode change the keys are ignored, as a click is.
  form.State.ScreenMode = 6;
  form.G_Timer.SetEnabled(true);
  const uint16_t at = form.State.ScriptPos;
  SendKey(screen, Qt::Key_Return);
  EXPECT_EQ(form.State.ScriptPos, at);
  EXPECT_EQ(form.State.PressedButton, 0);
  EXPECT_TRUE(game.record().Messages.empty());
}

TEST(Screenshots, ThePictureItselfUnderANameThatIsNeverReused) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage picture(640, 480, QImage::Format_RGB32);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) picture.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
  const QString folder = dir.filePath("Pictures/Velmora");
  const QDateTime when(QDate(2026, 12, 8), QTime(7, 5, 9));
  const ScreenshotResult first = SaveScreenshot(picture, folder, when);
  const ScreenshotResult second = SaveScreenshot(picture, folder, when);
  ASSERT_TRUE(first.Saved) << first.Problem.toStdString();
  ASSERT_TRUE(second.Saved) << second.Problem.toStdString();
  EXPECT_TRUE(first.Path.endsWith("/Pictures/Velmora/velmora-20261208-070509.png"));
  EXPECT_TRUE(second.Path.endsWith("/velmora-20261208-070509-2.png"));
  const QImage read(first.Path);
  EXPECT_EQ(read.size(), QSize(640, 480));
  EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), picture);

  // A file where the folder should be: said plainly, nothing written.
  QFile blocker(dir.filePath("blocked"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const ScreenshotResult refused = SaveScreenshot(picture, dir.filePath("blocked/Velmora"), when);
  EXPECT_FALSE(refused.Saved);
  EXPECT_TRUE(refused.Problem.contains("could not be made")) << refused.Problem.toStdString();
}

TEST(Screenshots, F12KeepsWhatTheWindowShowsAndSaysWhere) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ShellGame game;
  GameWindow& window = game.window();
  window.SetScreenshotFolder(dir.filePath("shots"));
  window.show();
  ASSERT_TRUE(RunEventsUntil([&] { return game.form().State.ScreenMode == 1 && !game.form().G_Timer.Enabled(); },
                             10000));
  SendKey(window.Screen(), Qt::Key_F12);
  const QStringList shots = QDir(dir.filePath("shots")).entryList({"velmora-*.png"});
  ASSERT_EQ(shots.size(), 1);
  const QImage read(QDir(dir.filePath("shots")).filePath(shots[0]));
  EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), window.Screen().Surface());
  EXPECT_TRUE(window.Overlay().Text().contains(shots[0]));
  // The note is the shell's own: the game's picture is untouched by it.
  EXPECT_EQ(window.Screen().Surface(), read.convertToFormat(QImage::Format_RGB32));

  // Where it cannot write, it says so and the game goes on.
  QFile blocker(dir.filePath("file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  window.SetScreenshotFolder(dir.filePath("file/shots"));
  SendKey(window.Screen(), Qt::Key_F12);
  EXPECT_TRUE(window.Overlay().Text().contains("保存できませんでした"));
  EXPECT_TRUE(game.record().Messages.empty());
}

TEST(DisplaySettings, RemembersAndFallsBackToDefaultsOnDamage) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const DisplaySettings settings(dir.filePath("config/velmora/velmora.conf"));
  EXPECT_EQ(settings.Load(), DisplayChoice{});
  ASSERT_TRUE(settings.Save(DisplayChoice{3, true}).isEmpty());
  EXPECT_EQ(settings.Load(), (DisplayChoice{3, true}));

  const auto write = [&](const QByteArray& bytes) {
    QFile file(settings.Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  };
  write("[display]\nzoom=99\nfullscreen=maybe\n");
  EXPECT_EQ(settings.Load(), DisplayChoice{});
  write("[display]\nzoom=-1\n");
  EXPECT_EQ(settings.Load(), DisplayChoice{});
  write(QByteArray("\x00\xff\xfe[[[=\n\x01", 9));
  EXPECT_EQ(settings.Load().Zoom, 0);
  const QString problem = settings.Save(DisplayChoice{2, false});
  ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
  EXPECT_EQ(settings.Load(), (DisplayChoice{2, false}));

  // A folder that cannot be made: said plainly.
  const DisplaySettings blocked(settings.Path() + "/below/velmora.conf");
  EXPECT_FALSE(blocked.Save(DisplayChoice{2, false}).isEmpty());
}

}  // namespace
}  // namespace velmora
