#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QWindow>
#include <vector>

#include "platform/qt/picture_image.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsFor;
using testing::RunEventsUntil;
using testing::SendMouse;
using testing::ShellGame;

QImage BlackSurface() {
  QImage image(640, 480, QImage::Format_RGB32);
  image.fill(Qt::black);
  return image;
}

TEST(SurfaceUpdate, WritesOnlyWhatChangedAndSaysWhere) {
  QImage surface = BlackSurface();
  Picture picture(640, 480, PixelFormat::Bgrx32);
  picture.Fill(0x000000);
  // Black over black: nothing to repaint.
  EXPECT_TRUE(UpdateImageFromPicture(surface, &picture).IsEmpty());

  picture.SetPixelColor(5, 7, 0x112233);
  picture.SetPixelColor(600, 400, 0x445566);
  EXPECT_EQ(UpdateImageFromPicture(surface, &picture), (Rect{5, 7, 601, 401}));
  EXPECT_EQ(surface.pixel(5, 7), qRgb(0x11, 0x22, 0x33));
  EXPECT_EQ(surface.pixel(600, 400), qRgb(0x44, 0x55, 0x66));
  EXPECT_TRUE(UpdateImageFromPicture(surface, &picture).IsEmpty());

  // One button's look changes: exactly its rectangle.
  for (int y = 183; y <= 213; ++y)
    for (int x = 280; x <= 360; ++x) picture.SetPixelColor(x, y, 0xFFFFFF);
  EXPECT_EQ(UpdateImageFromPicture(surface, &picture), (Rect{280, 183, 361, 214}));

  // 24-bit and indexed pictures, smaller than the screen: black beyond them.
  Picture small(100, 50, PixelFormat::Bgr24);
  small.Fill(0x0000FF);
  EXPECT_EQ(UpdateImageFromPicture(surface, &small), (Rect{0, 0, 601, 401}));
  EXPECT_EQ(surface.pixel(99, 49), qRgb(0, 0, 0xFF));
  EXPECT_EQ(surface.pixel(100, 49), qRgb(0, 0, 0));
  EXPECT_EQ(surface.pixel(320, 200), qRgb(0, 0, 0));
  Picture indexed(640, 480, PixelFormat::Indexed8);
  indexed.Palette()[0] = 0x00FF00;
  EXPECT_EQ(UpdateImageFromPicture(surface, &indexed), (Rect{0, 0, 640, 480}));
  EXPECT_EQ(surface.pixel(639, 479), qRgb(0, 0xFF, 0));

  // No picture: black, and only where it was not black already.
  QImage mostlyBlack = BlackSurface();
  mostlyBlack.setPixel(10, 20, qRgb(1, 2, 3));
  EXPECT_EQ(UpdateImageFromPicture(mostlyBlack, nullptr), (Rect{10, 20, 11, 21}));
  EXPECT_EQ(mostlyBlack.pixel(10, 20), qRgb(0, 0, 0));
}

// Writes down the region of every paint the client area receives.
class PaintRecorder : public QObject {
 public:
  explicit PaintRecorder(QWidget& widget) { widget.installEventFilter(this); }
  std::vector<QRegion> Regions;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) Regions.push_back(static_cast<QPaintEvent*>(event)->region());
    return false;
  }
};

TEST(SurfaceUpdate, APointerMoveOverAStillScreenPaintsNothingAndAHoverOnlyItsButton) {
  ShellGame game;
  GameWindow& window = game.window();
  TForm1& form = game.form();
  window.show();
  ASSERT_TRUE(RunEventsUntil([&] { return window.windowHandle() && window.windowHandle()->isExposed(); }));
  // Up to the settled title, through the real timers.
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1 && !form.G_Timer.Enabled(); }, 10000));
  RunEventsFor(50);
  PaintRecorder paints(window.Screen());

  SendMouse(window.Screen(), QEvent::MouseMove, QPointF(20, 20));
  SendMouse(window.Screen(), QEvent::MouseMove, QPointF(30, 25));
  RunEventsFor(50);
  EXPECT_TRUE(paints.Regions.empty());

  // Pressing the first title button changes its look, and the paint covers only it.
  const QImage before = window.Screen().Surface().copy();
  SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(300, 190));
  ASSERT_EQ(form.State.PressedButton, 1);
  RunEventsFor(50);
  ASSERT_FALSE(paints.Regions.empty());
  QRegion painted;
  for (const QRegion& r : paints.Regions) painted += r;
  const QRect area = painted.boundingRect();
  const QRect button = window.Screen().CurrentScale().LogicalRect(Rect{280, 183, 360, 213});
  EXPECT_TRUE(button.contains(area))
      << "painted " << area.x() << "," << area.y() << " " << area.width() << "x" << area.height();
  // And the surface changed inside it.
  EXPECT_NE(window.Screen().Surface(), before);
}

}  // namespace
}  // namespace velmora
