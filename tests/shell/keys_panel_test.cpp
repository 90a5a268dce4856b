// The keys panel on the offscreen platform: F1 opens it over the picture with every key
// of the key table, and a key or a click closes it without reaching the game.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "platform/qt/keys_panel.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

TEST(KeysPanel, F1ListsEveryKeyAndAKeyOrAClickClosesItWithoutReachingTheGame) {
  testing::ShellGame game;
  GameWindow& window = game.window();
  KeysPanel panel(window);
  window.show();
  ASSERT_TRUE(testing::RunEventsUntil([&] { return game.form().State.ScreenMode == 1 && !game.form().G_Timer.Enabled(); }, 10000));
  int reached = 0;
  window.KeyWatchers.push_back([&](const QKeyEvent&, ShellAction) { ++reached; });
  window.PointerWatchers.push_back([&] { ++reached; });
  const QImage picture = window.Screen().Surface().copy();
  // Tab would reach the window, a click at (300, 190) would press the title's first button.
  for (const bool click : {false, true}) {
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier), tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(&window.Screen(), &f1);
    ASSERT_TRUE(panel.IsOpen() && panel.geometry() == window.Screen().rect());
    reached = 0;
    if (click) {
      testing::SendMouse(panel, QEvent::MouseButtonPress, QPointF(300, 190));
      testing::SendMouse(panel, QEvent::MouseButtonRelease, QPointF(300, 190));
    } else {
      QApplication::sendEvent(QApplication::focusWidget(), &tab);
    }
    EXPECT_FALSE(panel.IsOpen()) << click;
    EXPECT_EQ(QApplication::focusWidget(), &window.Screen()) << click;
    EXPECT_EQ(reached + game.form().State.PressedButton, 0) << click;
    EXPECT_EQ(window.Screen().Surface(), picture) << click;
  }
  for (const KeyHelpLine& line : KeyHelp()) EXPECT_TRUE(panel.Text().contains(line.Keys + ": " + line.Does));
}

}  // namespace
}  // namespace velmora
