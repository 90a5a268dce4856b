// Speech in the real window on the offscreen platform, with no speech server to reach: V
// says it is on and remembers it beside the display choice, the first utterance brings the
// overlay's note that speech is unavailable, once, and the game goes on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <cstdlib>

#include "platform/qt/display_settings.h"
#include "platform/qt/focus_ring.h"
#include "platform/qt/speech.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;
using testing::ShellGame;

void SendKey(QWidget& to, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&to, &press);
}

TEST(Speech, WithoutAServerTheOverlaySaysSoOnceAndTheChoiceIsKept) {
  testing::ScratchDir config;
  const QString path = QString::fromStdString(config.Path() + "/velmora.conf");
  ASSERT_TRUE(DisplaySettings(path).Save({2, false}).isEmpty());
  setenv("SPEECHD_ADDRESS", ("unix_socket:" + config.Path() + "/no-server.sock").c_str(), 1);

  ShellGame game;
  GameWindow& window = game.window();
  FocusRing ring(window);
  Speech speech(window, ring, path, /*autospawn=*/false);
  window.show();
  TForm1& f = game.form();
  ASSERT_TRUE(RunEventsUntil([&] { return f.State.ScreenMode == 1 && !f.G_Timer.Enabled(); }, 10000));
  EXPECT_FALSE(speech.On());

  SendKey(window, Qt::Key_V);
  EXPECT_TRUE(speech.On());
  EXPECT_EQ(window.Overlay().Text(), QString::fromUtf8(kSpeechOnNote));
  EXPECT_TRUE(LoadSpeechOn(path));
  EXPECT_EQ(DisplaySettings(path).Load().Zoom, 2) << "the display choice is kept beside it";

  SendKey(window, Qt::Key_Down);  // the focused button is to be spoken
  EXPECT_TRUE(RunEventsUntil([&] { return window.Overlay().Text() == QString::fromUtf8(kNoSpeechServerNote); }));
  window.Overlay().hide();
  SendKey(window, Qt::Key_Down);
  testing::RunEventsFor(500);
  EXPECT_TRUE(window.Overlay().Text().isEmpty()) << "said once only";

  SendKey(window, Qt::Key_V);
  EXPECT_FALSE(LoadSpeechOn(path));
  EXPECT_TRUE(game.record().Messages.empty());
  unsetenv("SPEECHD_ADDRESS");
}

}  // namespace
}  // namespace velmora
