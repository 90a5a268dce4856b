#include "platform/qt/pad_keys.h"

#include <QKeyEvent>
#include <cstdlib>

#include "platform/qt/shell_keys.h"

namespace velmora {

namespace {

PadKey Plain(int key) { return PadKey{key, Qt::NoModifier}; }

// Whether the key follows a held key's repeats in the shell's own key table.
bool KeyRepeats(const PadKey& key) {
  const QKeyEvent event(QEvent::KeyPress, key.Key, key.Mods);
  return ShellActionRepeats(ShellActionFor(event));
}

}  // namespace

const std::vector<PadBinding>& PadBindings() {
  static const std::vector<PadBinding> bindings = {
      {PadControl::DPadUp, Plain(Qt::Key_Up), {}, "D-pad up"},
      {PadControl::DPadDown, Plain(Qt::Key_Down), {}, "D-pad down"},
      {PadControl::DPadLeft, Plain(Qt::Key_Left), {}, "D-pad left"},
      {PadControl::DPadRight, Plain(Qt::Key_Right), {}, "D-pad right"},
      {PadControl::StickUp, Plain(Qt::Key_Up), {}, "left stick up"},
      {PadControl::StickDown, Plain(Qt::Key_Down), {}, "left stick down"},
      {PadControl::StickLeft, Plain(Qt::Key_Left), {}, "left stick left"},
      {PadControl::StickRight, Plain(Qt::Key_Right), {}, "left stick right"},
      {PadControl::A, Plain(Qt::Key_Return), {}, "A"},
      {PadControl::B, Plain(Qt::Key_Backspace), Plain(Qt::Key_Escape), "B"},
      {PadControl::LeftShoulder, Plain(Qt::Key_PageUp), {}, "left shoulder"},
      {PadControl::RightTrigger, Plain(Qt::Key_Control), {}, "right trigger"},
      {PadControl::Y, Plain(Qt::Key_A), {}, "Y"},
      {PadControl::Start, PadKey{Qt::Key_L, Qt::ControlModifier}, {}, "Start"},
      {PadControl::Back, Plain(Qt::Key_F12), {}, "Back (View)"},
  };
  return bindings;
}

PadKeyboard::PadKeyboard(SendKey send, std::function<bool()> panelHasFocus)
    : send_(std::move(send)), panelHasFocus_(std::move(panelHasFocus)) {
  QObject::connect(&repeat_, &QTimer::timeout, [this] { Repeat(); });
}

PadKeyboard::~PadKeyboard() = default;

void PadKeyboard::Control(int pad, PadControl control, bool down) {
  PadState& state = pads_[pad];
  if (down) Press(state, control);
  else Release(state, control);
}

void PadKeyboard::Press(PadState& pad, PadControl control) {
  if (pad.Held.contains(control)) return;
  for (const PadBinding& binding : PadBindings()) {
    if (binding.Control != control) continue;
    // B closes an open panel as Esc does; on the game's screen it is Backspace.
    const PadKey key = binding.PanelKey && panelHasFocus_() ? *binding.PanelKey : binding.Key;
    pad.Held[control] = key;
    if (holders_[key]++ > 0) return;
    send_(QEvent::KeyPress, key, false);
    if (KeyRepeats(key)) {
      repeating_ = key;
      repeat_.start(kRepeatDelayMs);
    }
    return;
  }
}

void PadKeyboard::Release(PadState& pad, PadControl control) {
  const auto held = pad.Held.find(control);
  if (held == pad.Held.end()) return;
  const PadKey key = held->second;
  pad.Held.erase(held);
  if (--holders_[key] > 0) return;
  holders_.erase(key);
  if (repeating_ == key) {
    repeat_.stop();
    repeating_.reset();
  }
  send_(QEvent::KeyRelease, key, false);
}

void PadKeyboard::Repeat() {
  if (!repeating_ || !holders_.contains(*repeating_)) {
    repeat_.stop();
    return;
  }
  repeat_.setInterval(kRepeatIntervalMs);
  send_(QEvent::KeyPress, *repeating_, true);
}

void PadKeyboard::Stick(int pad, int x, int y) {
  PadState& state = pads_[pad];
  state.StickX = x;
  state.StickY = y;
  // The stick points the way of its larger lean once past kStickPoint, and keeps pointing
  // it until it comes back inside the dead zone.
  std::optional<PadControl> way;
  const bool across = std::abs(x) >= std::abs(y);
  const int lean = across ? x : y;
  if (std::abs(lean) >= kStickPoint) {
    way = across ? (lean < 0 ? PadControl::StickLeft : PadControl::StickRight)
                 : (lean < 0 ? PadControl::StickUp : PadControl::StickDown);
  } else if (state.StickWay) {
    const bool wasAcross = *state.StickWay == PadControl::StickLeft || *state.StickWay == PadControl::StickRight;
    const bool wasNegative = *state.StickWay == PadControl::StickLeft || *state.StickWay == PadControl::StickUp;
    const int still = (wasAcross ? x : y) * (wasNegative ? -1 : 1);
    if (still >= kStickDeadZone) way = state.StickWay;
  }
  if (way == state.StickWay) return;
  if (state.StickWay) Release(state, *state.StickWay);
  state.StickWay = way;
  if (way) Press(state, *way);
}

void PadKeyboard::Trigger(int pad, int value) {
  PadState& state = pads_[pad];
  const bool pulled = state.Held.contains(PadControl::RightTrigger);
  if (!pulled && value >= kTriggerPull) Press(state, PadControl::RightTrigger);
  else if (pulled && value < kTriggerLetGo) Release(state, PadControl::RightTrigger);
}

void PadKeyboard::Unplugged(int pad) {
  const auto found = pads_.find(pad);
  if (found == pads_.end()) return;
  PadState& state = found->second;
  while (!state.Held.empty()) Release(state, state.Held.begin()->first);
  pads_.erase(found);
}

}  // namespace velmora
