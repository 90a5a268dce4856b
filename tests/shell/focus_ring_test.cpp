// Keyboard play in the real window on the offscreen platform: the ring shows only after
// an arrow, sits round the focused target over the picture (never in it), hides on a
// pointer move, and the keys alone take the game from the title to the town map, where
// Enter opens the move box and Backspace cancels it.
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

bool AtRest(const TForm1& f) { return !f.G_Timer.Enabled() && !f.Play_Timer.Enabled() && !f.CG_Timer.Enabled(); }

TEST(FocusRing, KeysAloneFromTheTitleToTheTownMap) {
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
  SendKey(window, Qt::Key_Up);
  EXPECT_EQ(told, 5) << "each show, move and hide is told";
  SendKey(window, Qt::Key_Space);
  ASSERT_TRUE(RunEventsUntil([&] { return f.State.ScreenMode != 1; }, 10000)) << "Space presses the new game button";

  // Pages by Enter, cards and choices by an arrow and Enter, until the map.
  for (int keys = 0; keys < 300 && !(f.State.ScreenMode == 4 && f.State.TownPhase == 1); ++keys) {
    RunEventsUntil([&] { return AtRest(f) || f.CG_Timer.Enabled(); }, 10000);
    if (f.State.ScreenMode == 3 || f.State.TownPhase == 4) SendKey(window, Qt::Key_Down);
    SendKey(window, Qt::Key_Return);
  }
  ASSERT_TRUE(RunEventsUntil([&] { return f.State.ScreenMode == 4 && f.State.TownPhase == 1 && AtRest(f); }, 10000));
  EXPECT_FALSE(ring.isVisible());

  SendKey(window, Qt::Key_Right);
  const std::string place = FocusedName(ring);
  EXPECT_FALSE(place.empty());
  SendKey(window, Qt::Key_Enter);
  EXPECT_EQ(f.State.TownPhase, 2) << place << ": the move box";
  EXPECT_FALSE(ring.isVisible()) << "the move box is a new screen";
  SendKey(window, Qt::Key_Backspace);
  EXPECT_EQ(f.State.TownPhase, 1) << "Backspace is the box's cancel";
  EXPECT_TRUE(game.record().Messages.empty());
}

}  // namespace
}  // namespace velmora
