#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QWindow>

#include "platform/qt/screen_scale.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;
using testing::SendMouse;
using testing::ShellGame;

constexpr const char* kChildVariable = "VELMORA_SHELL_CHILD";

TEST(ScreenScale, WholeScalesForEveryRatio) {
  const ScreenScale one(1.0);
  EXPECT_EQ(one.Scale(), 1);
  EXPECT_EQ(one.LogicalSize(), QSize(640, 480));
  EXPECT_EQ(one.GamePixel(QPointF(639.0, 479.0)), QPoint(639, 479));
  EXPECT_EQ(one.GamePixel(QPointF(-0.5, 480.0)), QPoint(-1, 480));

  const ScreenScale two(2.0);
  EXPECT_EQ(two.Scale(), 2);
  EXPECT_EQ(two.LogicalSize(), QSize(640, 480));
  EXPECT_EQ(two.GamePixel(QPointF(279.5, 183.0)), QPoint(279, 183));

  // 1.25 rounds down: one device pixel per game pixel, in a smaller logical area.
  const ScreenScale small(1.25);
  EXPECT_EQ(small.Scale(), 1);
  EXPECT_EQ(small.LogicalSize(), QSize(512, 384));
  EXPECT_EQ(small.GamePixel(QPointF(1 / 1.25, 0.0)), QPoint(1, 0));
  EXPECT_EQ(small.GamePixel(QPointF(2 / 1.25, 0.0)), QPoint(2, 0));

  // 1.5 rounds up: two device pixels per game pixel; device pixels 2 and 3 are game pixel 1.
  const ScreenScale half(1.5);
  EXPECT_EQ(half.Scale(), 2);
  EXPECT_EQ(half.LogicalSize(), QSize(854, 640));
  EXPECT_EQ(half.GamePixel(QPointF(1 / 1.5, 0.0)), QPoint(0, 0));
  EXPECT_EQ(half.GamePixel(QPointF(2 / 1.5, 0.0)), QPoint(1, 0));
  EXPECT_EQ(half.GamePixel(QPointF(3 / 1.5, 3 / 1.5)), QPoint(1, 1));
  EXPECT_EQ(half.GamePixel(QPointF(1279 / 1.5, 959 / 1.5)), QPoint(639, 479));

  // At 150 % and 175 % the picture ends inside the window's last logical column and row:
  // a pointer anywhere in them is on the picture's last pixel, and past them off it. The
  // same at a fullscreen picture's edges, which lie inside logical pixels too.
  const std::tuple<ScreenScale, QPointF, QPointF, QPoint> edges[] = {
      {ScreenScale(1.5), {853.5, 639.5}, {854.0, 640.0}, {639, 479}},
      {ScreenScale(1.75), {731.6, 548.7}, {732.0, 549.0}, {639, 479}},
      {ScreenScale::Fitting(1.5, QSizeF(1000, 702)), {926.8, 670.8}, {927.0, 671.0}, {639, 479}},
      {ScreenScale::Fitting(1.5, QSizeF(1000, 702)), {73.1, 30.1}, {72.9, 29.9}, {0, 0}},
  };
  for (const auto& [scale, inside, outside, pixel] : edges) {
    EXPECT_TRUE(scale.GamePixel(inside) == pixel && scale.OnPicture(inside)) << inside.x() << "," << inside.y();
    EXPECT_FALSE(scale.OnPicture(outside)) << outside.x() << "," << outside.y();
  }

  const ScreenScale three(3.0);
  EXPECT_EQ(three.Scale(), 3);
  EXPECT_EQ(three.GamePixel(QPointF(2.0 / 3, 0.0)), QPoint(0, 0));
  EXPECT_EQ(three.GamePixel(QPointF(1.0, 0.0)), QPoint(1, 0));
  // A nonsense ratio is taken as 1.
  EXPECT_EQ(ScreenScale(0.0).Scale(), 1);
}

// Runs the HiDpiChild tests in a child with QT_SCALE_FACTOR=2 (Qt reads it at start).
TEST(HiDpi, AtScaleTwoThePictureDoublesAndThePointerHitsTheExactPixel) {
  if (qEnvironmentVariableIsSet(kChildVariable)) GTEST_SKIP() << "this is the child";
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_SCALE_FACTOR", "2");
  env.insert(kChildVariable, "hidpi");
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=HiDpiChild.*"});
  ASSERT_TRUE(child.waitForFinished(60000));
  const QString output = QString::fromUtf8(child.readAll());
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.toStdString();
  EXPECT_FALSE(output.contains("SKIPPED")) << output.toStdString();
}

TEST(HiDpiChild, PictureAndPointer) {
  if (qgetenv(kChildVariable) != "hidpi") GTEST_SKIP() << "runs as the child of HiDpi.*";
  ShellGame game;
  GameWindow& window = game.window();
  TForm1& form = game.form();
  form.G_Timer.SetEnabled(false);
  window.show();
  ASSERT_TRUE(RunEventsUntil([&] { return window.windowHandle() && window.windowHandle()->isExposed(); }));
  ASSERT_DOUBLE_EQ(window.Screen().devicePixelRatioF(), 2.0);
  EXPECT_EQ(window.Screen().size(), QSize(640, 480));

  // A checkerboard of single pixels: any smoothing would turn it grey.
  Picture& screen = form.ImageBa.Bitmap;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) screen.SetPixelColor(x, y, (x + y) % 2 ? kWhite : kBlack);
  screen.SetPixelColor(639, 479, 0x00FF00);
  SendMouse(window.Screen(), QEvent::MouseMove, QPointF(1, 1));
  const QImage shown = window.Screen().grab().toImage();
  ASSERT_EQ(shown.size(), QSize(1280, 960));
  for (const QPoint game : {QPoint(0, 0), QPoint(1, 0), QPoint(320, 241), QPoint(638, 479), QPoint(639, 479)}) {
    const QRgb expected = QRgb(0xFF000000u | screen.PixelColor(game.x(), game.y()));
    for (int dy = 0; dy < 2; ++dy)
      for (int dx = 0; dx < 2; ++dx)
        EXPECT_EQ(shown.pixel(2 * game.x() + dx, 2 * game.y() + dy), expected)
            << "game pixel " << game.x() << "," << game.y() << " device +" << dx << "," << dy;
  }

  // Title button 1 starts at x 280: device pixel 559 is game pixel 279, 560 is 280.
  form.State.ScreenMode = 1;
  SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(559 / 2.0, 183.0));
  EXPECT_EQ(form.State.PressedButton, 0);
  SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(560 / 2.0, 366 / 2.0));
  EXPECT_EQ(form.State.PressedButton, 1);
}

}  // namespace
}  // namespace velmora
