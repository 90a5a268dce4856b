// The reading tools' feed: --texthook's values, the clipboard, and a WebSocket client on
// the loopback address that receives the opening's first pages as the game draws them.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QWebSocket>

#include "app/page_feed.h"
#include "platform/qt/command_line.h"
#include "platform/qt/text_hooks.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;
using testing::SendMouse;
using testing::ShellGame;

TEST(TextHooks, TheOptionsValues) {
  using Mode = TextHookChoice::Mode;
  const struct {
    const char* Value;
    std::optional<std::pair<Mode, quint16>> Taken;
  } values[] = {{"stdout", {{Mode::Stdout, 6677}}},       {"clipboard", {{Mode::Clipboard, 6677}}},
                {"websocket", {{Mode::WebSocket, 6677}}}, {"websocket:9001", {{Mode::WebSocket, 9001}}},
                {"websocket:", {}}, {"websocket:0", {}}, {"websocket:65536", {}}, {"websocket:+80", {}}, {"tts", {}}};
  for (const auto& v : values) {
    QString problem;
    const std::optional<TextHookChoice> choice = ParseTextHook(QString::fromUtf8(v.Value), problem);
    ASSERT_EQ(choice.has_value(), v.Taken.has_value()) << v.Value;
    EXPECT_EQ(problem.isEmpty(), v.Taken.has_value()) << v.Value;
    if (choice) {
      EXPECT_EQ(std::make_pair(choice->What, choice->Port), *v.Taken) << v.Value;
    }
  }
  EXPECT_EQ(ParseCommandLine({"--texthook=websocket:70000"}).What, LaunchOptions::Action::Refuse);
  EXPECT_EQ(ParseCommandLine({"--texthook=clipboard"}).TextHook, QStringLiteral("clipboard"));
}

TEST(TextHooks, EachUnitGoesOnTheClipboard) {
  PageFeed feed;
  TextHooks hooks(feed, {TextHookChoice::Mode::Clipboard});
  feed.Begin(UnitKind::Choice, "choice:1");
  feed.Line("撮ってみる？");
  feed.BeginOptions();
  feed.Line("撮る");
  feed.Line("やめておく");
  feed.Settle();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("撮ってみる？\n撮る\nやめておく"));
}

TEST(TextHooks, AWebSocketClientOnTheLoopbackReceivesTheFirstPages) {
  ShellGame game;
  GameWindow& window = game.window();
  TForm1& form = game.form();
  TextHooks hooks(form.Feed, {TextHookChoice::Mode::WebSocket, 0});  // a free port
  ASSERT_NE(hooks.ListeningPort(), 0);
  // A second hook on the same port is told it is in use, and the game goes on.
  TextHooks refused(form.Feed, {TextHookChoice::Mode::WebSocket, hooks.ListeningPort()});
  EXPECT_EQ(refused.ListeningPort(), 0);

  QWebSocket client;
  QStringList frames;
  QObject::connect(&client, &QWebSocket::textMessageReceived, [&](const QString& text) { frames.append(text); });
  client.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(hooks.ListeningPort())));
  ASSERT_TRUE(RunEventsUntil([&] { return hooks.Clients() == 1; }));

  window.show();
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1 && !form.G_Timer.Enabled(); }, 10000));
  SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(320, 198));
  SendMouse(window.Screen(), QEvent::MouseButtonRelease, QPointF(320, 198));
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 6 && !form.G_Timer.Enabled(); }, 10000));
  window.AdvancePage();
  ASSERT_TRUE(RunEventsUntil([&] { return frames.size() >= 2; }));
  EXPECT_TRUE(frames[0].startsWith(QStringLiteral("今でも時々、この写真を見返す。\n")));
  EXPECT_EQ(frames[1], TextHookText(form.Feed.History()[1]));
}

}  // namespace
}  // namespace velmora
