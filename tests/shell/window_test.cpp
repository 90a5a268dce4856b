#include <gtest/gtest.h>

#include <QMenuBar>
#include <QScreen>
#include <QWindow>

#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsFor;
using testing::RunEventsUntil;
using testing::SendMouse;
using testing::ShellGame;

// Counts the paints the client area receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int Count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Count;
    return false;
  }
};

TEST(ShellWindow, FixedBlackClientAreaUnderTheMenuBar) {
  ShellGame game(/*withAssets=*/false);
  GameWindow& window = game.window();
  window.show();
  EXPECT_EQ(window.Screen().size(), QSize(640, 480));
  EXPECT_EQ(window.Screen().minimumSize(), window.Screen().maximumSize());
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_EQ(window.Screen().y(), window.menuBar()->height());
  const QPoint centre = window.screen()->availableGeometry().center();
  EXPECT_LE((window.frameGeometry().center() - centre).manhattanLength(), 2);
  EXPECT_EQ(window.font().family().toStdString(), "ＭＳ Ｐゴシック");
  EXPECT_EQ(window.font().pointSize(), 9);
  // ImageBa is hidden without the asset file: the window stays black.
  EXPECT_EQ(window.Screen().Surface().pixel(320, 240), qRgb(0, 0, 0));
}

// A close from the desktop that Qt hands over while the game's code runs (the Wayland
// platform does, when a wipe takes in the compositor's answers) waits for the entry's end;
// the game's own exit closes at once, as it always did.
TEST(ShellWindow, ADesktopCloseDuringAnEntryWaitsForItsEnd) {
  for (const bool byGame : {false, true}) {
    ShellGame game;
    GameWindow& window = game.window();
    window.show();
    bool openInside = false;
    window.RunGameEntry([&] {
      byGame ? window.CloseWindow() : void(window.close());
      openInside = window.isVisible() && game.form().AssetStream != nullptr;
    });
    EXPECT_EQ(openInside, !byGame) << byGame;
    EXPECT_TRUE(RunEventsUntil([&] { return !window.isVisible() && !game.form().AssetStream; })) << byGame;
  }
}

TEST(ShellWindow, MessageBoxesBlockEveryOtherEntry) {
  ShellGame game(/*withAssets=*/false);
  GameWindow& window = game.window();
  TForm1& form = game.form();
  testing::RecordingServices& record = game.record();
  ASSERT_EQ(record.Messages.size(), 1u);

  // While a box is open, a menu pick and a click are dropped, not run and not queued.
  record.WhileMessageOpen = [&] {
    window.Menus().ActionOf(form.About_Btn1)->trigger();
    window.Menus().ActionOf(form.OFF1)->trigger();
  };
  window.Menus().ActionOf(form.About_Btn1)->trigger();
  ASSERT_EQ(record.Messages.size(), 2u);
  EXPECT_EQ(record.Messages[1].toStdString(), TForm1::AboutText());
  EXPECT_TRUE(form.ON1.Checked());
  EXPECT_TRUE(window.Menus().ActionOf(form.ON1)->isChecked());

  // Afterwards the game answers again.
  record.WhileMessageOpen = nullptr;
  window.Menus().ActionOf(form.OFF1)->trigger();
  EXPECT_TRUE(form.OFF1.Checked());
}

TEST(ShellWindow, AnErrorInAHandlerIsShownAndTheGameGoesOn) {
  ShellGame game(/*withAssets=*/false);
  TForm1& form = game.form();
  game.record().Messages.clear();
  // A title button pressed with no asset file open: the picture read fails.
  form.State.ScreenMode = 1;
  SendMouse(game.window().Screen(), QEvent::MouseButtonPress, QPointF(300, 190));
  ASSERT_EQ(game.record().Messages.size(), 1u);
  EXPECT_EQ(game.record().Messages[0].toStdString(), "アセットファイルが開かれていません");
  game.window().Menus().ActionOf(form.About_Btn1)->trigger();
  EXPECT_EQ(game.record().Messages.size(), 2u);
}

TEST(ShellWindow, QtTimersMirrorTheGameTimersWithTheCoarseInterval) {
  ShellGame game;
  TForm1& form = game.form();
  const TimerMirror& timers = game.window().Timers();
  const QTimer& g = timers.Timer(TimerId::G_Timer);
  const QTimer& cg = timers.Timer(TimerId::CG_Timer);
  const QTimer& play = timers.Timer(TimerId::Play_Timer);
  EXPECT_TRUE(g.isActive());
  EXPECT_EQ(g.interval(), 500);
  EXPECT_EQ(g.timerType(), Qt::PreciseTimer);
  EXPECT_FALSE(cg.isActive());
  EXPECT_FALSE(play.isActive());

  // The 1 ms panning timer ticks once a frame, not a thousand times a second.
  form.CG_Timer.SetEnabled(true);
  EXPECT_TRUE(cg.isActive());
  EXPECT_EQ(cg.interval(), 16);
  form.CG_Timer.SetInterval(15);
  EXPECT_EQ(cg.interval(), 16);
  form.CG_Timer.SetInterval(17);
  EXPECT_EQ(cg.interval(), 17);
  form.Play_Timer.SetEnabled(true);
  EXPECT_EQ(play.interval(), 50);
  form.CG_Timer.SetEnabled(false);
  form.Play_Timer.SetEnabled(false);
  EXPECT_FALSE(cg.isActive());
  EXPECT_FALSE(play.isActive());
  form.G_Timer.SetInterval(1);
  EXPECT_EQ(g.interval(), 16);
  EXPECT_TRUE(g.isActive());
}

TEST(ShellWindow, TicksThatFallDuringAMessageBoxAreDropped) {
  ShellGame game;
  TForm1& form = game.form();
  // The first tick of the mode timer (500 ms) falls while a box is open.
  game.record().WhileMessageOpen = [] { RunEventsFor(700); };
  game.window().ShowMessage("待って");
  EXPECT_EQ(form.State.ScreenMode, 0);
  game.record().WhileMessageOpen = nullptr;
  // The timer goes on and its next tick enters the opening.
  EXPECT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1; }));
}

TEST(ShellWindow, ScreenPictureAndDirectPaintsReachTheWindow) {
  ShellGame game;
  GameWindow& window = game.window();
  TForm1& form = game.form();
  form.G_Timer.SetEnabled(false);
  window.show();
  ASSERT_TRUE(RunEventsUntil([&] { return window.windowHandle() && window.windowHandle()->isExposed(); }));
  form.ImageBa.Bitmap.Fill(0x102030);
  form.ImageBa.Bitmap.SetPixelColor(639, 479, 0xFF00FF);
  // Any entry shows ImageBa afterwards; a move on the opening screen draws nothing.
  SendMouse(window.Screen(), QEvent::MouseMove, QPointF(5, 5));
  EXPECT_EQ(window.Screen().Surface().pixel(0, 0), qRgb(0x10, 0x20, 0x30));
  EXPECT_EQ(window.Screen().Surface().pixel(639, 479), qRgb(0xFF, 0x00, 0xFF));
  RunEventsFor(50);
  const QImage shown = window.Screen().grab().toImage();
  EXPECT_EQ(shown.pixel(639, 479), qRgb(0xFF, 0x00, 0xFF));
  EXPECT_EQ(shown.pixel(638, 479), qRgb(0x10, 0x20, 0x30));

  // A wipe step's paints are on the window once the wipe reads the clock to wait for its
  // deadline, with no event handled, and in one paint of the area they cover.
  PaintCounter paints(window.Screen());
  Picture red(10, 10);
  red.Fill(0xFF0000);
  window.PaintWindow(red, 630, 460);
  window.PaintWindow(red, 630, 470);
  window.Milliseconds();
  EXPECT_EQ(paints.Count, 1);
  const QPoint origin = window.Screen().mapToGlobal(QPoint(0, 0));
  const QImage now = window.screen()->grabWindow(0).toImage();
  EXPECT_EQ(now.pixel(origin + QPoint(639, 479)), qRgb(0xFF, 0, 0));
  EXPECT_EQ(now.pixel(origin + QPoint(630, 460)), qRgb(0xFF, 0, 0));
  EXPECT_EQ(now.pixel(origin + QPoint(629, 474)), qRgb(0x10, 0x20, 0x30));

  // A hidden ImageBa leaves the window black.
  form.ImageBa.Visible = false;
  SendMouse(window.Screen(), QEvent::MouseMove, QPointF(6, 6));
  EXPECT_EQ(window.Screen().Surface().pixel(639, 479), qRgb(0, 0, 0));
}

TEST(ShellWindow, PointerEventsReachTheGameAtTheirPixel) {
  ShellGame game;
  GameWindow& window = game.window();
  TForm1& form = game.form();
  form.G_Timer.SetEnabled(false);
  form.State.ScreenMode = 1;
  // Title button 1 covers x 280..360, y 183..213.
  SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(279, 183));
  EXPECT_EQ(form.State.PressedButton, 0);
  SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(280, 182));
  EXPECT_EQ(form.State.PressedButton, 0);
  SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(300, 190), Qt::RightButton);
  EXPECT_EQ(form.State.PressedButton, 0);
  EXPECT_TRUE(game.record().Sounds.empty());
  SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(280, 183));
  EXPECT_EQ(form.State.PressedButton, 1);
  // The press sound plays from the game folder, the working directory.
  ASSERT_EQ(game.record().Sounds.size(), 1u);
  EXPECT_EQ(game.record().Sounds[0].toStdString(), game.dir().Path() + "/wav/01.wav");
}

TEST(ShellWindow, ClosingRunsTheCloseHandlerOnceAndStopsTheTimers) {
  ShellGame game(/*withAssets=*/false);
  GameWindow& window = game.window();
  TForm1& form = game.form();
  window.show();
  window.Menus().ActionOf(form.Exit_Btn1)->trigger();
  EXPECT_FALSE(window.isVisible());
  window.close();
  EXPECT_FALSE(window.Timers().Timer(TimerId::G_Timer).isActive());
  // Closed: nothing reaches the game any more.
  window.Menus().ActionOf(form.About_Btn1)->trigger();
  EXPECT_EQ(game.record().Messages.size(), 1u);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(ShellWindow, WithoutAJapaneseFaceTheStartSaysSoOnceInBothLanguages) {
  testing::ShellGame withFont(/*withAssets=*/true, /*japaneseFont=*/true);
  EXPECT_TRUE(withFont.record().Messages.empty());

  testing::ShellGame without(/*withAssets=*/false, /*japaneseFont=*/false);
  const std::vector<QString>& messages = without.record().Messages;
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].toStdString(), kNoJapaneseFontNotice);
  EXPECT_TRUE(messages[0].contains("日本語"));
  EXPECT_TRUE(messages[0].contains("Japanese"));
  // Then the game's own start-up message; the notice is not repeated later.
  EXPECT_EQ(messages[1].toStdString(), "ファイルが足りません\n");
  without.window().Menus().ActionOf(without.form().About_Btn1)->trigger();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[2].toStdString(), TForm1::AboutText());
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(ShellWindow, StoryTextGoesToStandardOutputOnlyWhenAsked) {
  testing::ScratchDir dir;
  testing::WorkingDirectory cwd(dir.Path());
  testing::RecordingServices record;
  qunsetenv("VELMORA_TEXTHOOK");
  GameWindow quiet(record.Services());
  qputenv("VELMORA_TEXTHOOK", "0");
  GameWindow stillQuiet(record.Services());
  qputenv("VELMORA_TEXTHOOK", "1");
  GameWindow hooked(record.Services());
  qunsetenv("VELMORA_TEXTHOOK");

  ::testing::internal::CaptureStdout();
  quiet.StoryText("静かな朝");
  stillQuiet.StoryText("静かな昼");
  hooked.StoryText("「おはよう」");
  hooked.StoryText("二行目");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "「おはよう」\n二行目\n");
}

}  // namespace
}  // namespace velmora
