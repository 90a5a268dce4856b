// The focus ring in the real window on the offscreen platform: shown only after an arrow,
// round the focused target over the picture (never in it), in reading order, hidden by a
// pointer move, and Space presses the focused target. (Keys alone to the town map, the move
// box and Backspace: tests/keyboard on Xvfb and the headless play-through.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "platform/qt/focus_ring.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;
using testing::ShellGame;

void SendKey(QWidget& to, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&to, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(&to, &release);
}

std::string FocusedName(const FocusRing& ring) {
  return ring.Focus().Focused() ? ring.Focus().Focused()->Name : "";
}

bool AtRest(const TForm1& f) { return !f.G_Timer.Enabled() && !f.Play_Timer.Enabled(); }

TEST(FocusRing, ShownByAnArrowOverThePictureHiddenByThePointerPressedBySpace) {
  ShellGame game;
  GameWindow& window = game.window();
  FocusRing ring(window);
  window.show();
  TForm1& f = game.form();
  ASSERT_TRUE(RunEventsUntil([&] { return f.State.ScreenMode == 1 && AtRest(f); }, 10000));
  int told = 0;
  ring.FocusWatchers.push_back([&told] { ++told; });

  EXPECT_FALSE(ring.isVisible()) << "no ring on a new screen";
  SendKey(window, Qt::Key_Return);
  EXPECT_EQ(f.State.ScreenMode, 1) << "Enter with nothing focused presses nothing";
  const QImage before = window.Screen().Surface();
  SendKey(window, Qt::Key_Down);
  EXPECT_EQ(FocusedName(ring), "最初から") << "the first arrow shows the ring on the first target";
  EXPECT_TRUE(ring.isVisible());
  EXPECT_TRUE(ring.geometry().contains(window.Screen().CurrentScale().LogicalRect(ring.Focus().Focused()->Area)));
  EXPECT_EQ(window.Screen().Surface(), before) << "the ring is never drawn into the picture";
  SendKey(window, Qt::Key_Down);
  EXPECT_EQ(FocusedName(ring), "終了");
  testing::SendMouse(window.Screen(), QEvent::MouseMove, QPointF(5, 5));
  EXPECT_FALSE(ring.isVisible()) << "a pointer move hides the ring";
  SendKey(window, Qt::Key_Down);
  EXPECT_EQ(FocusedName(ring), "終了") << "shown again where it was";
  SendKey(window, Qt::Key_Down);
  EXPECT_EQ(FocusedName(ring), "最初から") << "reading order wraps";
  EXPECT_EQ(told, 5) << "each show, move and hide is told";
  SendKey(window, Qt::Key_Space);
  EXPECT_TRUE(f.G_Timer.Enabled()) << "Space pressed the focused button: the new game's wipe";
  EXPECT_FALSE(ring.isVisible()) << "a new screen";
  EXPECT_TRUE(game.record().Messages.empty());
}

}  // namespace
}  // namespace velmora
