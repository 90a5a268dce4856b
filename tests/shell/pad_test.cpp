// Game pads: what each control stands for, and one of SDL's virtual pads (no device
// needed) playing the real window on the offscreen platform.
#include <SDL.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "platform/qt/pad_input.h"
#include "platform/qt/pad_keys.h"
#include "platform/qt/shell_keys.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;
using testing::SendMouse;
using testing::ShellGame;

struct Sent {
  QEvent::Type Type;
  PadKey Key;
  bool Repeat;
};

ShellAction ActionOf(const PadKey& key) {
  return ShellActionFor(QKeyEvent(QEvent::KeyPress, key.Key, key.Mods));
}

TEST(PadKeys, EachControlIsTheKeyOfItsAction) {
  struct Case {
    PadControl Control;
    bool PanelOpen;
    ShellAction Action;  // None: the skip key held
  };
  const Case cases[] = {
      {PadControl::A, false, ShellAction::AdvancePage},
      {PadControl::B, false, ShellAction::Back},
      {PadControl::B, true, ShellAction::Escape},
      {PadControl::LeftShoulder, false, ShellAction::OpenBacklog},
      {PadControl::RightTrigger, false, ShellAction::None},
      {PadControl::Y, false, ShellAction::ToggleAutoRead},
      {PadControl::Start, false, ShellAction::LoadScreen},
      {PadControl::Back, false, ShellAction::Screenshot},
      {PadControl::DPadUp, false, ShellAction::FocusUp},
      {PadControl::DPadDown, false, ShellAction::FocusDown},
      {PadControl::DPadLeft, false, ShellAction::FocusLeft},
      {PadControl::DPadRight, true, ShellAction::FocusRight},
  };
  for (const Case& c : cases) {
    std::vector<Sent> sent;
    bool panel = c.PanelOpen;
    PadKeyboard keys([&](QEvent::Type type, const PadKey& key, bool repeat) { sent.push_back({type, key, repeat}); },
                     [&] { return panel; });
    keys.Control(0, c.Control, true);
    panel = !panel;  // the release goes with the key that was pressed
    keys.Control(0, c.Control, false);
    ASSERT_EQ(sent.size(), 2u) << static_cast<int>(c.Control);
    EXPECT_EQ(sent[0].Type, QEvent::KeyPress);
    EXPECT_EQ(sent[1].Type, QEvent::KeyRelease);
    EXPECT_EQ(sent[0].Key, sent[1].Key);
    EXPECT_EQ(ActionOf(sent[0].Key), c.Action) << static_cast<int>(c.Control);
    if (c.Control == PadControl::RightTrigger) {
      EXPECT_TRUE(IsSkipHoldKey(QKeyEvent(QEvent::KeyPress, sent[0].Key.Key, sent[0].Key.Mods)));
    }
  }
}

TEST(PadKeys, StickAndTriggerThresholdsAndKeysHeldByTwoPads) {
  std::vector<Sent> sent;
  PadKeyboard keys([&](QEvent::Type type, const PadKey& key, bool repeat) { sent.push_back({type, key, repeat}); },
                   [] { return false; });
  const auto last = [&] { return sent.empty() ? 0 : sent.back().Key.Key * (sent.back().Type == QEvent::KeyPress ? 1 : -1); };
  // {x, y, the last key sent (negative: released), how many keys sent so far}
  const struct { int X, Y, Last; size_t Count; } stick[] = {
      {kStickPoint - 1, 0, 0, 0},             // inside the point: nothing
      {kStickPoint, 3000, Qt::Key_Right, 1},  // right
      {kStickDeadZone, 0, Qt::Key_Right, 1},  // eased back, still out of the dead zone
      {kStickDeadZone - 1, 0, -Qt::Key_Right, 2},
      {-20000, -25000, Qt::Key_Up, 3},        // the larger lean wins
      {-26000, -25000, Qt::Key_Left, 5},      // up let go, left pressed
      {0, 0, -Qt::Key_Left, 6},
  };
  for (const auto& s : stick) {
    keys.Stick(1, s.X, s.Y);
    EXPECT_EQ(last(), s.Last) << s.X << "," << s.Y;
    EXPECT_EQ(sent.size(), s.Count) << s.X << "," << s.Y;
  }
  sent.clear();
  keys.Trigger(1, kTriggerPull - 1);
  EXPECT_TRUE(sent.empty());
  keys.Trigger(1, kTriggerPull);
  keys.Trigger(2, 32767);        // a second pad pulls too: Ctrl is already down
  keys.Trigger(1, kTriggerLetGo);  // not let go yet
  keys.Trigger(1, 0);
  ASSERT_EQ(sent.size(), 1u);
  keys.Unplugged(2);  // the last holder goes: Ctrl is let go
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1].Type, QEvent::KeyRelease);
  EXPECT_EQ(sent[1].Key.Key, Qt::Key_Control);
  EXPECT_FALSE(keys.Holding());
}

// One of SDL's virtual pads, with the buttons and axes of a standard pad.
class VirtualPad {
 public:
  VirtualPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "test pad";
    index_ = SDL_JoystickAttachVirtualEx(&desc);
    joystick_ = SDL_JoystickOpen(index_);
  }
  ~VirtualPad() { Unplug(); }
  bool Attached() const { return joystick_ != nullptr; }
  void Set(SDL_GameControllerButton button, bool down) { SDL_JoystickSetVirtualButton(joystick_, button, down); }
  void Set(SDL_GameControllerAxis axis, int value) { SDL_JoystickSetVirtualAxis(joystick_, axis, value); }
  void Unplug() {
    if (!joystick_) return;
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    SDL_JoystickDetachVirtual(index_);
  }

 private:
  int index_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

TEST(PadInput, AVirtualPadTurnsPagesAndLetsCtrlGoWhenUnplugged) {
  ShellGame game;
  GameWindow& window = game.window();
  TForm1& form = game.form();
  window.show();
  PadInput pads(window);
  ASSERT_TRUE(pads.Started());
  VirtualPad pad;
  ASSERT_TRUE(pad.Attached()) << SDL_GetError();
  pad.Set(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);  // at rest
  // Found on the next read; from then on read by the pads' timer.
  pads.Pump();
  ASSERT_EQ(pads.Pads(), 1);

  std::vector<std::pair<QEvent::Type, int>> keys;
  window.KeyWatchers.push_back([&](const QKeyEvent& key, ShellAction) { keys.push_back({key.type(), key.key()}); });
  window.KeyReleaseWatchers.push_back([&](const QKeyEvent& key) { keys.push_back({key.type(), key.key()}); });
  const auto press = [&](SDL_GameControllerButton button) {
    pad.Set(button, true);
    RunEventsUntil([&] { return !keys.empty(); }, 2000);
    pad.Set(button, false);
    RunEventsUntil([&] { return keys.size() >= 2; }, 2000);
  };

  // The title wants its button clicked (the pad moves no focus here); then A reads on.
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1 && !form.G_Timer.Enabled(); }, 10000));
  SendMouse(window.Screen(), QEvent::MouseButtonPress, QPointF(300, 190));
  SendMouse(window.Screen(), QEvent::MouseButtonRelease, QPointF(300, 190));
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 6 && !form.G_Timer.Enabled(); }, 10000));
  for (int page = 0; page < 3; ++page) {
    const uint16_t before = form.State.ScriptPos;
    game.record().Sounds.clear();
    keys.clear();
    press(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScriptPos != before && !form.G_Timer.Enabled(); }, 10000))
        << "page " << page;
    EXPECT_EQ(keys, (decltype(keys){{QEvent::KeyPress, Qt::Key_Return}, {QEvent::KeyRelease, Qt::Key_Return}}));
    ASSERT_FALSE(game.record().Sounds.empty());
    EXPECT_TRUE(game.record().Sounds.front().endsWith("wav/01.wav"));  // the page button's own click
  }

  // B is Esc to a panel that has the focus, and the panel keeps it.
  QWidget panel(&window.Screen());
  panel.setFocusPolicy(Qt::StrongFocus);
  panel.show();
  panel.setFocus();
  ASSERT_EQ(QApplication::focusWidget(), &panel);
  struct Keys : QObject {
    std::vector<std::pair<QEvent::Type, int>> Got;
    bool eventFilter(QObject*, QEvent* event) override {
      const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
      if (key) Got.push_back({event->type(), static_cast<QKeyEvent*>(event)->key()});
      return key;
    }
  } eaten;
  panel.installEventFilter(&eaten);
  keys.clear();
  pad.Set(SDL_CONTROLLER_BUTTON_B, true);
  RunEventsUntil([&] { return !eaten.Got.empty(); }, 2000);
  pad.Set(SDL_CONTROLLER_BUTTON_B, false);
  RunEventsUntil([&] { return eaten.Got.size() >= 2; }, 2000);
  EXPECT_EQ(eaten.Got, (decltype(keys){{QEvent::KeyPress, Qt::Key_Escape}, {QEvent::KeyRelease, Qt::Key_Escape}}));
  EXPECT_TRUE(keys.empty());
  window.Screen().setFocus();
  panel.hide();

  // The trigger held is Ctrl held; the pad pulled out mid-hold lets it go.
  keys.clear();
  pad.Set(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  ASSERT_TRUE(RunEventsUntil([&] { return !keys.empty(); }, 2000));
  EXPECT_EQ(keys.front(), std::make_pair(QEvent::KeyPress, static_cast<int>(Qt::Key_Control)));
  pad.Unplug();
  ASSERT_TRUE(RunEventsUntil([&] { return pads.Pads() == 0; }, 2000));
  EXPECT_EQ(keys.back(), std::make_pair(QEvent::KeyRelease, static_cast<int>(Qt::Key_Control)));
  EXPECT_EQ(keys.size(), 2u);
  EXPECT_TRUE(game.record().Messages.empty());
}

}  // namespace
}  // namespace velmora
