// Zoom and fullscreen on large virtual screens: each case runs in a child of this test
// program on an offscreen screen of the given size (Qt reads it at start).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>

#include "platform/qt/screen_scale.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;
using testing::SendMouse;
using testing::ShellGame;

constexpr const char* kChildVariable = "VELMORA_SHELL_CHILD";

// Runs the tests named Filter in a child whose one screen is Width x Height.
void RunOnScreen(int width, int height, const char* filter) {
  if (qEnvironmentVariableIsSet(kChildVariable)) GTEST_SKIP() << "this is the child";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString config = dir.filePath("screen.json");
  QFile file(config);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QStringLiteral(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": %1, "height": %2,
                               "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                 .arg(width)
                 .arg(height)
                 .toUtf8());
  file.close();
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config);
  env.insert(kChildVariable, QString::number(width));
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + filter});
  ASSERT_TRUE(child.waitForFinished(60000));
  const QString output = QString::fromUtf8(child.readAll());
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("[  PASSED  ]")) << output.toStdString();
  EXPECT_FALSE(output.contains("SKIPPED")) << output.toStdString();
  std::fputs(qPrintable(output.section("chosen scale", 1, 1).prepend("chosen scale").section('\n', 0, 0) + "\n"),
             stdout);
}

TEST(Zoom, OneToThreeTimesOnAScreenOf3840x2160) { RunOnScreen(3840, 2160, "ZoomChild.*"); }
TEST(Fullscreen, TwiceOnAScreenOf1920x1080) { RunOnScreen(1920, 1080, "FullscreenChild.*"); }
TEST(Fullscreen, FourTimesOnAScreenOf3840x2160) { RunOnScreen(3840, 2160, "FullscreenChild.*"); }

void SendKey(QWidget& to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods);
  QApplication::sendEvent(&to, &press);
}

// A press at a logical position hits title button 1 (x 280..360, y 183..213) or not.
bool PressHitsNewGame(ShellGame& game, QPointF at) {
  TForm1& form = game.form();
  form.State.PressedButton = 0;
  SendMouse(game.window().Screen(), QEvent::MouseButtonPress, at);
  const bool hit = form.State.PressedButton == 1;
  form.State.PressedButton = 0;  // no release: the game is not to start
  SendMouse(game.window().Screen(), QEvent::MouseButtonRelease, QPointF(-1, -1));
  return hit;
}

void ShowAtTitle(ShellGame& game) {
  game.window().show();
  ASSERT_TRUE(RunEventsUntil([&] { return game.form().State.ScreenMode == 1 && !game.form().G_Timer.Enabled(); },
                             10000));
}

TEST(ZoomChild, WholeScalesFixedSizesAndExactPixels) {
  if (!qEnvironmentVariableIsSet(kChildVariable)) GTEST_SKIP() << "runs as the child of Zoom.*";
  ShellGame game;
  GameWindow& window = game.window();
  ScreenWidget& screen = window.Screen();
  ShowAtTitle(game);
  EXPECT_EQ(screen.size(), QSize(640, 480));
  EXPECT_EQ(window.LargestZoom(), 4);  // 2160 less the menu bar holds 4 x 480
  for (int n = 1; n <= 3; ++n) {
    if (n == 1)
      window.SetZoom(1);
    else
      SendKey(screen, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(window.Zoom(), n);
    EXPECT_EQ(screen.size(), QSize(640 * n, 480 * n)) << n << "x";
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << n << "x";
    const ScreenScale scale = screen.CurrentScale();
    EXPECT_EQ(scale.GamePixel(QPointF(0, 0)), QPoint(0, 0));
    EXPECT_EQ(scale.GamePixel(QPointF(640 * n - 1, 480 * n - 1)), QPoint(639, 479));
    // Title button 1 begins at game pixel (280, 183).
    EXPECT_TRUE(PressHitsNewGame(game, QPointF(280 * n, 183 * n))) << n << "x";
    EXPECT_FALSE(PressHitsNewGame(game, QPointF(280 * n - 1, 183 * n))) << n << "x";
    EXPECT_FALSE(PressHitsNewGame(game, QPointF(280 * n, 183 * n - 1))) << n << "x";
    EXPECT_TRUE(PressHitsNewGame(game, QPointF(361 * n - 1, 214 * n - 1))) << n << "x";
    EXPECT_FALSE(PressHitsNewGame(game, QPointF(361 * n, 214 * n - 1))) << n << "x";
  }
  // Every game pixel is n x n device pixels, unsmoothed.
  const QImage shown = screen.grab().toImage();
  for (const QPoint p : {QPoint(0, 0), QPoint(300, 190), QPoint(639, 479)})
    for (int d = 0; d < 3; ++d)
      EXPECT_EQ(shown.pixel(3 * p.x() + d, 3 * p.y() + d) | 0xFF000000u, screen.Surface().pixel(p) | 0xFF000000u);
  SendKey(screen, Qt::Key_Plus, Qt::ControlModifier);
  SendKey(screen, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(window.Zoom(), 4);  // no larger than fits
  SendKey(screen, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(window.Zoom(), 3);
  SendKey(screen, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(window.Zoom(), 0);
  EXPECT_EQ(screen.size(), QSize(640, 480));
  SendKey(screen, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(window.Zoom(), 1);
  EXPECT_TRUE(game.record().Messages.empty());
}

TEST(FullscreenChild, LargestWholeScaleCentredOnBlack) {
  if (!qEnvironmentVariableIsSet(kChildVariable)) GTEST_SKIP() << "runs as the child of Fullscreen.*";
  const int screenWidth = qEnvironmentVariableIntValue(kChildVariable);
  const int expected = screenWidth >= 3840 ? 4 : 2;
  ShellGame game;
  GameWindow& window = game.window();
  ScreenWidget& screen = window.Screen();
  ShowAtTitle(game);
  SendKey(screen, Qt::Key_F11);
  ASSERT_TRUE(RunEventsUntil([&] { return screen.width() == screenWidth; }, 5000));
  EXPECT_TRUE(window.Fullscreen());
  EXPECT_TRUE(window.menuBar()->isVisible());  // the game's menu stays at hand
  const ScreenScale scale = screen.CurrentScale();
  std::printf("chosen scale on a screen %d wide: %dx, picture at %g,%g in a client area of %dx%d\n", screenWidth,
              scale.Scale(), scale.PictureRect().x(), scale.PictureRect().y(), screen.width(), screen.height());
  EXPECT_EQ(scale.Scale(), expected);
  const QRectF picture = scale.PictureRect();
  EXPECT_EQ(picture.size(), QSizeF(640 * expected, 480 * expected));
  EXPECT_EQ(picture.x(), (screen.width() - 640 * expected) / 2);
  EXPECT_EQ(picture.y(), (screen.height() - 480 * expected) / 2);

  // The corners of the picture are the game's corners; the black border is off the game.
  EXPECT_EQ(scale.GamePixel(picture.topLeft()), QPoint(0, 0));
  EXPECT_EQ(scale.GamePixel(picture.bottomRight() - QPointF(1, 1)), QPoint(639, 479));
  const QPointF button = picture.topLeft() + QPointF(280 * expected, 183 * expected);
  EXPECT_TRUE(PressHitsNewGame(game, button));
  EXPECT_FALSE(PressHitsNewGame(game, button - QPointF(1, 0)));
  game.record().Sounds.clear();
  SendMouse(screen, QEvent::MouseButtonPress, picture.topLeft() - QPointF(1, 1));
  SendMouse(screen, QEvent::MouseButtonRelease, picture.topLeft() - QPointF(1, 1));
  EXPECT_TRUE(game.record().Sounds.empty());
  const QImage shown = screen.grab().toImage();
  EXPECT_EQ(shown.pixel(0, 0) | 0xFF000000u, 0xFF000000u);
  EXPECT_EQ(shown.pixel(QPoint(picture.x() + 300 * expected, picture.y() + 190 * expected)) | 0xFF000000u,
            screen.Surface().pixel(300, 190) | 0xFF000000u);

  // Esc leaves it: the window is 640x480 again.
  SendKey(screen, Qt::Key_Escape);
  ASSERT_TRUE(RunEventsUntil([&] { return screen.size() == QSize(640, 480); }, 5000));
  EXPECT_FALSE(window.Fullscreen());
  SendKey(screen, Qt::Key_Return, Qt::AltModifier);
  EXPECT_TRUE(window.Fullscreen());
  EXPECT_TRUE(game.record().Messages.empty());
}

}  // namespace
}  // namespace velmora
