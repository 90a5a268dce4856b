// The backlog over the window: it opens where a page is read, holds what was read with the
// newest line at the bottom, scrolls, keeps every key and click from the game, and closes
// leaving the picture as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

#include "platform/qt/backlog_panel.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;
using testing::SendMouse;
using testing::ShellGame;

void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods);
  QApplication::sendEvent(QApplication::focusWidget(), &press);
}

void Wheel(QWidget& widget, int angle) {
  QWheelEvent event(QPointF(320, 240), widget.mapToGlobal(QPointF(320, 240)), QPoint(), QPoint(0, angle),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &event);
}

TEST(Backlog, HoldsWhatWasReadAndLeavesTheGameAndThePictureAsTheyWere) {
  ShellGame game;
  GameWindow& window = game.window();
  TForm1& form = game.form();
  window.show();
  auto* backlog = new BacklogPanel(window);
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1 && !form.G_Timer.Enabled(); }, 10000));
  EXPECT_FALSE(backlog->Open());  // the title: nothing to read back
  // A long history read before, then the opening's first pages.
  for (int i = 0; i < 190; ++i) {
    form.Feed.Begin(UnitKind::Page, "page:" + std::to_string(i));
    form.Feed.Line("line " + std::to_string(i));
    form.Feed.Settle();
  }
  SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(300, 190));
  SendMouse(window.Screen(), QEvent::MouseButtonRelease, QPointF(300, 190));
  const auto resting = [&] { return BacklogMayOpen(form); };
  for (int page = 0; page < 3; ++page) {
    ASSERT_TRUE(RunEventsUntil(resting, 10000)) << "page " << page;
    if (page < 2) window.AdvancePage();
  }
  ASSERT_EQ(form.Feed.History().size(), 193u);
  const QImage before = window.Screen().grab().toImage();
  const GameState state = form.State;

  Wheel(window.Screen(), 120);  // away from the player
  ASSERT_TRUE(backlog->IsOpen());
  EXPECT_EQ(QApplication::focusWidget(), backlog);
  const auto& rows = backlog->Rows();
  ASSERT_GT(static_cast<int>(rows.size()), backlog->RowsShown());
  EXPECT_EQ(rows.front().Text, QStringLiteral("line 0"));
  EXPECT_EQ(rows[190 * 2].Text, QStringLiteral("今でも時々、この写真を見返す。"));
  EXPECT_EQ(rows.back().Text.toStdString(), form.Feed.Current()->Lines.back());
  const int bottom = static_cast<int>(rows.size()) - backlog->RowsShown();
  EXPECT_EQ(backlog->FirstShown(), bottom);
  const struct {
    int Key;
    int First;
  } scrolls[] = {{Qt::Key_Up, bottom - 1}, {Qt::Key_Home, 0}, {Qt::Key_Down, 1}, {Qt::Key_End, bottom},
                 {Qt::Key_PageUp, bottom - backlog->RowsShown() + 1}, {Qt::Key_PageDown, bottom}};
  for (const auto& scroll : scrolls) {
    Key(scroll.Key);
    EXPECT_EQ(backlog->FirstShown(), std::max(0, scroll.First)) << "key " << scroll.Key;
  }
  // Keys that would turn the page, and a hover, reach the panel, not the game.
  for (int key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Tab, Qt::Key_A}) Key(key);
  SendMouse(*backlog, QEvent::MouseMove, QPointF(460, 450), Qt::NoButton);
  EXPECT_TRUE(backlog->IsOpen());
  Wheel(*backlog, 360);
  EXPECT_EQ(backlog->FirstShown(), bottom - 9);
  Wheel(*backlog, -360);
  EXPECT_TRUE(backlog->IsOpen());
  Wheel(*backlog, -120);  // toward the player past the newest line
  EXPECT_FALSE(backlog->IsOpen());

  // PageUp opens it too; a click or Esc closes it, and the click is not the game's.
  for (const std::function<void()>& close : std::vector<std::function<void()>>{
           [&] { SendMouse(*backlog, QEvent::MouseButtonPress, QPointF(460, 450)); },
           [&] { Key(Qt::Key_Escape); }}) {
    Key(Qt::Key_PageUp);
    ASSERT_TRUE(backlog->IsOpen());
    close();
    SendMouse(window.Screen(), QEvent::MouseButtonRelease, QPointF(460, 450));
    EXPECT_FALSE(backlog->IsOpen());
  }
  EXPECT_EQ(QApplication::focusWidget(), &window.Screen());
  EXPECT_EQ(form.State.ScriptPos, state.ScriptPos);
  EXPECT_EQ(form.State.PressedButton, state.PressedButton);
  EXPECT_EQ(window.Screen().grab().toImage(), before);

  // While the game moves it stays shut.
  form.G_Timer.SetEnabled(true);
  EXPECT_FALSE(backlog->Open());
  form.G_Timer.SetEnabled(false);
}

}  // namespace
}  // namespace velmora
