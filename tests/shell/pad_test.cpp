// Game pads: what each control stands for, and one of SDL's virtual pads (no device
// needed) playing the real window on the offscreen platform with the keyboard focus, the
// backlog and skipping.
#include <SDL.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

#include "app/live_targets.h"
#include "platform/qt/backlog_panel.h"
#include "platform/qt/focus_ring.h"
#include "platform/qt/pad_input.h"
#include "platform/qt/pad_keys.h"
#include "platform/qt/reading_control.h"
#include "platform/qt/shell_keys.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::RunEventsFor;
using testing::RunEventsUntil;
using testing::ShellGame;

// What a PadKeyboard sends: each press's key, and every key as +key pressed, -key let go.
struct Recorder {
  std::vector<PadKey> Pressed;
  std::vector<int> Keys;
  bool Panel = false;
  PadKeyboard Pad{[this](QEvent::Type type, const PadKey& key, bool) {
                    if (type == QEvent::KeyPress) Pressed.push_back(key);
                    Keys.push_back(type == QEvent::KeyPress ? key.Key : -key.Key);
                  },
                  [this] { return Panel; }};
};

TEST(PadKeys, EachControlIsTheKeyOfItsAction) {
  const struct {
    PadControl Control;
    bool Panel;
    ShellAction Action;  // None for the trigger: Ctrl held alone, the skip key
  } cases[] = {
      {PadControl::A, false, ShellAction::AdvancePage},     {PadControl::B, false, ShellAction::Back},
      {PadControl::B, true, ShellAction::Escape},           {PadControl::LeftShoulder, false, ShellAction::OpenBacklog},
      {PadControl::RightTrigger, false, ShellAction::None}, {PadControl::Y, false, ShellAction::ToggleAutoRead},
      {PadControl::Start, false, ShellAction::LoadScreen},  {PadControl::Back, false, ShellAction::Screenshot},
      {PadControl::DPadUp, false, ShellAction::FocusUp},    {PadControl::DPadDown, false, ShellAction::FocusDown},
      {PadControl::DPadLeft, false, ShellAction::FocusLeft}, {PadControl::StickRight, true, ShellAction::FocusRight},
  };
  for (const auto& c : cases) {
    Recorder r;
    r.Panel = c.Panel;
    r.Pad.Control(0, c.Control, true);
    r.Panel = !r.Panel;  // the release goes with the key that was pressed
    r.Pad.Control(0, c.Control, false);
    ASSERT_EQ(r.Pressed.size(), 1u);
    const QKeyEvent press(QEvent::KeyPress, r.Pressed[0].Key, r.Pressed[0].Mods);
    EXPECT_EQ(r.Keys, (std::vector<int>{press.key(), -press.key()}));
    EXPECT_EQ(ShellActionFor(press), c.Action) << static_cast<int>(c.Control);
    EXPECT_EQ(IsSkipHoldKey(press), c.Control == PadControl::RightTrigger);
  }
}

TEST(PadKeys, StickAndTriggerThresholdsAndKeysHeldByTwoPads) {
  Recorder r;
  const struct {
    int X, Y;
    std::vector<int> Sends;
  } stick[] = {
      {kStickPoint - 1, 0, {}},  // not far enough
      {kStickPoint, 3000, {Qt::Key_Right}},
      {kStickDeadZone, 0, {}},  // eased back, still out of the dead zone
      {kStickDeadZone - 1, 0, {-Qt::Key_Right}},
      {-20000, -25000, {Qt::Key_Up}},  // the larger lean wins
      {-26000, -25000, {-Qt::Key_Up, Qt::Key_Left}},
      {0, 0, {-Qt::Key_Left}},
  };
  for (const auto& s : stick) {
    r.Keys.clear();
    r.Pad.Stick(1, s.X, s.Y);
    EXPECT_EQ(r.Keys, s.Sends) << s.X << "," << s.Y;
  }
  r.Keys.clear();
  r.Pad.Trigger(1, kTriggerPull - 1);
  r.Pad.Trigger(1, kTriggerPull);
  r.Pad.Trigger(2, 32767);          // a second pad pulls too: Ctrl is down already
  r.Pad.Trigger(1, kTriggerLetGo);  // not let go yet
  r.Pad.Trigger(1, 0);
  EXPECT_EQ(r.Keys, std::vector<int>{Qt::Key_Control});
  r.Pad.Unplugged(2);  // the last holder goes
  EXPECT_EQ(r.Keys, (std::vector<int>{Qt::Key_Control, -Qt::Key_Control}));
  EXPECT_FALSE(r.Pad.Holding());
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

bool AtRest(const TForm1& f) { return !f.G_Timer.Enabled() && !f.Play_Timer.Enabled() && !f.CG_Timer.Enabled(); }

bool HasTarget(const TForm1& f, TargetKind kind) {
  const std::vector<LiveTarget> targets = LiveTargets(f);
  return std::any_of(targets.begin(), targets.end(), [kind](const LiveTarget& t) { return t.Kind == kind; });
}

// The real window with keyboard focus, the backlog and skipping, and a virtual pad in the
// hand: the pad alone from the title to the first choice, then a skip cut off by pulling
// the pad out.
TEST(PadInput, AVirtualPadPlaysToTheFirstChoiceAndUnpluggedMidSkipStopsSkipping) {
  ShellGame game;
  GameWindow& window = game.window();
  TForm1& form = game.form();
  FocusRing ring(window);
  auto* backlog = new BacklogPanel(window);
  ReadingControl reading(window, [&] { return game.dir().Path() + "/read/demo.dat"; }, backlog);
  window.show();
  PadInput pads(window);
  ASSERT_TRUE(pads.Started());
  VirtualPad pad;
  ASSERT_TRUE(pad.Attached()) << SDL_GetError();
  pad.Set(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);  // at rest
  pads.Pump();  // found on the next read; from then on read by the pads' timer
  ASSERT_EQ(pads.Pads(), 1);
  // Each press and release read at once, so none is lost between two reads.
  const auto tap = [&](SDL_GameControllerButton button) {
    pad.Set(button, true);
    pads.Pump();
    pad.Set(button, false);
    pads.Pump();
  };
  const auto lean = [&](int x) {
    pad.Set(SDL_CONTROLLER_AXIS_LEFTX, x);
    pads.Pump();
    pad.Set(SDL_CONTROLLER_AXIS_LEFTX, 0);
    pads.Pump();
  };
  const auto focused = [&] { return ring.Focus().Focused() ? ring.Focus().Focused()->Id : 0; };
  const auto rest = [&] { return RunEventsUntil([&] { return AtRest(form) && !window.Busy(); }, 10000); };

  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1 && AtRest(form); }, 10000));
  const auto newGame = [&] {
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);  // the focus on the new game button
    ASSERT_EQ(ring.Focus().Focused()->Name, "最初から");
    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 6 && AtRest(form); }, 10000));
  };
  newGame();

  // The left shoulder opens the backlog; B, which is Esc there, closes it.
  const uint16_t page = form.State.ScriptPos;
  tap(SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
  ASSERT_TRUE(backlog->IsOpen());
  tap(SDL_CONTROLLER_BUTTON_B);
  EXPECT_FALSE(backlog->IsOpen());
  EXPECT_EQ(QApplication::focusWidget(), &window.Screen());
  EXPECT_EQ(form.State.ScriptPos, page);

  // A reads on; on the cards the stick points at one that asks "try again?".
  for (int steps = 0; steps < 300 && !HasTarget(form, TargetKind::Option); ++steps) {
    RunEventsUntil([&] { return (AtRest(form) || form.CG_Timer.Enabled()) && !window.Busy(); }, 10000);
    if (HasTarget(form, TargetKind::Card)) {
      int card = 1;
      while (form.State.GameCards[card] != 2 && form.State.GameCards[card] != 3) ++card;
      lean(32767);  // the first lean shows the focus on the first card
      for (int moves = 0; moves < 4 && focused() != kCardIds + card; ++moves) lean(32767);
      ASSERT_EQ(focused(), kCardIds + card);
    }
    tap(SDL_CONTROLLER_BUTTON_A);
  }
  ASSERT_TRUE(rest());
  ASSERT_TRUE(HasTarget(form, TargetKind::Option)) << "no choice came";
  // The first option deals again, for ten points.
  const int32_t points = form.State.Points;
  tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  tap(SDL_CONTROLLER_BUTTON_A);
  ASSERT_TRUE(RunEventsUntil([&] { return HasTarget(form, TargetKind::Card); }, 10000));
  EXPECT_EQ(form.State.Points, points - 10);

  // The opening read, a new game skips it while the trigger is pulled, until the pad goes.
  window.Menus().ActionOf(form.ReSet_Btn1)->trigger();
  ASSERT_TRUE(RunEventsUntil([&] { return form.State.ScreenMode == 1 && AtRest(form); }, 10000));
  newGame();
  std::vector<int> keys;  // +key pressed, -key let go
  window.KeyWatchers.push_back([&](const QKeyEvent& key, ShellAction) { keys.push_back(key.key()); });
  window.KeyReleaseWatchers.push_back([&](const QKeyEvent& key) { keys.push_back(-key.key()); });
  const size_t before = form.Feed.History().size();
  // Pulled out as soon as the first read page has been skipped.
  bool pulledOut = false, wasSkipping = false;
  window.EntryWatchers.push_back([&] {
    if (pulledOut || form.Feed.History().size() <= before) return;
    pulledOut = true;
    wasSkipping = reading.Skipping();
    pad.Unplug();
    pads.Pump();
  });
  pad.Set(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  ASSERT_TRUE(RunEventsUntil([&] { return pulledOut; }, 5000));
  EXPECT_TRUE(wasSkipping);
  EXPECT_EQ(pads.Pads(), 0);
  EXPECT_FALSE(reading.Skipping());
  EXPECT_EQ(keys, (std::vector<int>{Qt::Key_Control, -Qt::Key_Control}));
  ASSERT_TRUE(rest());  // a turn under way when the pad went ends
  const size_t stopped = form.Feed.History().size();
  RunEventsFor(500);
  EXPECT_EQ(form.Feed.History().size(), stopped);
  EXPECT_EQ(form.State.ScreenMode, 6) << "stopped in the middle of the opening";
  EXPECT_TRUE(game.record().Messages.empty());
}

}  // namespace
}  // namespace velmora
