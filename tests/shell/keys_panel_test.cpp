// The keys panel on the offscreen platform: F1 opens it over the picture with every key
// of the key table, and a key or a click closes it without reaching the game.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "platform/qt/keys_panel.h"
#include "platform/qt/shell_keys.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;
using testing::SendMouse;
using testing::ShellGame;

void SendKey(QWidget& to, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&to, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(&to, &release);
}

TEST(KeysPanel, F1ListsEveryKeyAndAKeyOrAClickClosesItWithoutReachingTheGame) {
  ShellGame game;
  GameWindow& window = game.window();
  TForm1& form = game.form();
  KeysPanel panel(window);
  window.show();
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1 && !form.G_Timer.Enabled(); }, 10000));
  int keysSeen = 0, pressesSeen = 0;
  window.KeyWatchers.push_back([&](const QKeyEvent&, ShellAction) { ++keysSeen; });
  window.PointerWatchers.push_back([&] { ++pressesSeen; });

  // Tab would reach the window (or move the focus), a click at (300, 190) would press
  // the title's first button.
  for (const char* what : {"Tab", "a click"}) {
    const QImage before = window.Screen().Surface().copy();
    SendKey(window.Screen(), Qt::Key_F1);
    ASSERT_TRUE(panel.IsOpen()) << what;
    EXPECT_EQ(panel.geometry(), window.Screen().rect()) << what;
    keysSeen = pressesSeen = 0;
    if (what[0] == 'T') {
      SendKey(*QApplication::focusWidget(), Qt::Key_Tab);
    } else {
      SendMouse(panel, QEvent::MouseButtonPress, QPointF(300, 190));
      SendMouse(panel, QEvent::MouseButtonRelease, QPointF(300, 190));
    }
    EXPECT_FALSE(panel.IsOpen()) << what;
    EXPECT_EQ(QApplication::focusWidget(), &window.Screen()) << what;
    EXPECT_EQ(keysSeen + pressesSeen, 0) << what << " reached the window";
    EXPECT_EQ(form.State.PressedButton, 0) << what << " reached the game";
    EXPECT_EQ(window.Screen().Surface(), before) << what << ": the picture changed";
  }
  for (const KeyHelpLine& line : KeyHelp())
    EXPECT_TRUE(panel.Text().contains(line.Keys + ": " + line.Does)) << line.Keys.toStdString();
}

}  // namespace
}  // namespace velmora
