// Skipping read pages in the window: Tab and Ctrl held alone turn read pages by themselves
// and stop at the first unread page and where the game rests with no page to turn; a
// chord, a click, another key, a message box or letting go of Ctrl stop or never start it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "app/live_targets.h"
#include "app/reading_pace.h"
#include "platform/qt/backlog_panel.h"
#include "platform/qt/reading_control.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsFor;
using testing::RunEventsUntil;
using testing::SendMouse;
using testing::ShellGame;

void Key(QEvent::Type type, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent event(type, key, mods);
  QApplication::sendEvent(QApplication::focusWidget(), &event);
}
void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { Key(QEvent::KeyPress, key, mods); }

class Skipping : public ::testing::Test {
 protected:
  Skipping()
      : reading(window, [this] { return game.dir().Path() + "/read/demo.dat"; }, new BacklogPanel(window)) {
    window.show();
    EXPECT_TRUE(RunEventsUntil([&] { return AtRest() && form.State.ScreenMode == 1; }, 10000));
  }
  bool AtRest() { return !form.G_Timer.Enabled() && !form.CG_Timer.Enabled() && !window.Busy(); }
  void NewGame() {
    SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(320, 198));
    SendMouse(window.Screen(), QEvent::MouseButtonRelease, QPointF(320, 198));
    ASSERT_TRUE(RunEventsUntil([&] { return AtRest() && form.State.ScreenMode == 6; }, 10000));
  }
  void BackToTitle() {
    window.Menus().ActionOf(form.ReSet_Btn1)->trigger();
    ASSERT_TRUE(RunEventsUntil([&] { return AtRest() && form.State.ScreenMode == 1; }, 10000));
  }
  // Reads Pages pages by clicking, then goes back to the title.
  void ReadOpening(int pages) {
    NewGame();
    for (int i = 1; i < pages && PageButtonTarget(form); ++i) {
      window.AdvancePage();
      ASSERT_TRUE(RunEventsUntil([&] { return AtRest() && !form.Play_Timer.Enabled(); }, 10000));
    }
    BackToTitle();
  }
  std::string Shown() { return form.Feed.Current() ? form.Feed.Current()->Id : std::string(); }
  bool SkipStopped() { return RunEventsUntil([&] { return !reading.Skipping(); }, 20000); }

  ShellGame game;
  GameWindow& window = game.window();
  TForm1& form = game.form();
  ReadingControl reading;
};

TEST_F(Skipping, TabTurnsReadPagesAndStopsAtTheFirstUnreadOne) {
  ReadOpening(3);
  const std::deque<ReadUnit> read = form.Feed.History();
  NewGame();
  Press(Qt::Key_Tab);
  EXPECT_TRUE(reading.Skipping());
  EXPECT_EQ(reading.Mark().Text(), QStringLiteral("▶▶ SKIP"));
  EXPECT_TRUE(window.Hurry());
  ASSERT_TRUE(SkipStopped());
  // The fourth page is up, the first one never read, and it stays.
  EXPECT_EQ(form.Feed.History().size(), read.size() + 4);
  EXPECT_EQ(form.Feed.History()[read.size() + 2].Id, read.back().Id);
  const std::string unread = Shown();
  RunEventsFor(200);
  EXPECT_EQ(Shown(), unread);
  EXPECT_EQ(reading.Mark().Text(), QString());
  EXPECT_FALSE(window.Hurry());
}

TEST_F(Skipping, TheOpeningReadSkipsToThePhotoGameAndWhatStopsIt) {
  ReadOpening(40);  // to the photo game, where the pages end
  NewGame();
  const size_t before = form.Feed.History().size();
  Press(Qt::Key_Control);
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 3 && AtRest(); }, 10000));
  EXPECT_GE(form.Feed.History().size(), before + 4);
  ASSERT_TRUE(SkipStopped());
  EXPECT_NE(form.State.GamePhase, 2);

  // What stops it, or never lets it start, on a read page.
  BackToTitle();
  NewGame();
  const std::string first = Shown();
  const struct {
    const char* Name;
    std::function<void()> Start;
    std::function<void()> Stop;
  } cases[] = {
      {"a chord", [] { Press(Qt::Key_Control); Press(Qt::Key_S, Qt::ControlModifier); },
       [] { Key(QEvent::KeyRelease, Qt::Key_Control); }},
      {"Ctrl let go", [] { Press(Qt::Key_Control); }, [] { Key(QEvent::KeyRelease, Qt::Key_Control); }},
      {"a second Tab", [] { Press(Qt::Key_Tab); }, [] { Press(Qt::Key_Tab); }},
      {"another key", [] { Press(Qt::Key_Tab); }, [] { Press(Qt::Key_F1); }},
      {"a click", [] { Press(Qt::Key_Tab); },
       [this] { SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(10, 10)); }},
      {"a message box", [] { Press(Qt::Key_Tab); }, [this] { window.ShowMessage("box"); }},
  };
  for (const auto& c : cases) {
    c.Start();
    // Holding back the step that would turn a page: the stop comes before it runs.
    c.Stop();
    EXPECT_FALSE(reading.Skipping()) << c.Name;
    RunEventsFor(ReadingControl::kHoldDelayMs + 100);
    EXPECT_FALSE(reading.Skipping()) << c.Name;
    EXPECT_EQ(Shown(), first) << c.Name;
    SendMouse(window.Screen(), QEvent::MouseButtonRelease, QPointF(10, 10));
  }
  // At the title nothing turns.
  BackToTitle();
  Press(Qt::Key_Tab);
  EXPECT_TRUE(SkipStopped());
  EXPECT_EQ(form.State.ScreenMode, 1);
}

TEST_F(Skipping, AutoReadWaitsLongerOnLongerPagesAndRemembersItsSpeed) {
  const QString conf = QString::fromStdString(game.dir().Path() + "/velmora.conf");
  reading.UseSettings(ReadingSettings(conf));
  NewGame();
  Press(Qt::Key_Minus);  // slower: 17.5 s a 250 characters
  EXPECT_EQ(ReadingSettings(conf).LoadPageSeconds(), 17.5);
  Press(Qt::Key_Plus);
  Press(Qt::Key_Plus);  // 12.5 s
  EXPECT_EQ(ReadingSettings(conf).LoadPageSeconds(), 12.5);
  Press(Qt::Key_A);
  EXPECT_EQ(reading.Mark().Text(), QStringLiteral("▶ AUTO"));
  ASSERT_TRUE(RunEventsUntil([&] { return reading.AutoDelayMs() > 0; }));
  EXPECT_EQ(reading.AutoDelayMs(), static_cast<int>(AutoReadDelayMs(form.Feed.Current(), 12.5)));
  const std::string first = Shown();
  ASSERT_TRUE(RunEventsUntil([&] { return Shown() != first; }, 10000));  // it turned by itself
  // Any other key stops it, and the pause with it.
  Press(Qt::Key_Down);
  EXPECT_FALSE(reading.AutoReading());
  EXPECT_EQ(reading.AutoDelayMs(), 0);
  EXPECT_EQ(reading.Mark().Text(), QString());
}

}  // namespace
}  // namespace velmora
