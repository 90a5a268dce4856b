#include "platform/qt/pad_input.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/qt/game_window.h"

namespace velmora {

namespace {

constexpr const char* kInputFolder = "/dev/input";
// After a device came or went: read SDL again after these many milliseconds each, since
// the system may take a moment to let us open a new device.
constexpr std::array<int, 4> kSettleMs = {100, 150, 250, 500};
// A pad's device file is looked at again this long after it was read, so a pad that
// reports all the time (PlayStation pads through SDL's own driver do) is read no more
// often than a pad without a device file.
constexpr int kCooldownMs = 16;
// Pads without a device file of their own are read this often.
constexpr int kTimerPadMs = 16;

std::optional<PadControl> ControlOf(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return PadControl::A;
    case SDL_CONTROLLER_BUTTON_B: return PadControl::B;
    case SDL_CONTROLLER_BUTTON_Y: return PadControl::Y;
    case SDL_CONTROLLER_BUTTON_START: return PadControl::Start;
    case SDL_CONTROLLER_BUTTON_BACK: return PadControl::Back;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return PadControl::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PadControl::DPadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PadControl::DPadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PadControl::DPadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PadControl::DPadRight;
    default: return std::nullopt;
  }
}

// The text a keyboard gives with the key, for widgets that read it.
QString TextOf(const PadKey& key) {
  if (key.Mods != Qt::NoModifier) return {};
  switch (key.Key) {
    case Qt::Key_Return: return QStringLiteral("\r");
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    case Qt::Key_Backspace: return QStringLiteral("\b");
    case Qt::Key_A: return QStringLiteral("a");
    default: return {};
  }
}

// Reads everything waiting in a non-blocking file; false once it has gone away.
bool Drain(int fd) {
  std::array<char, 4096> buffer;
  for (;;) {
    const ssize_t got = read(fd, buffer.data(), buffer.size());
    if (got > 0) continue;
    if (got < 0 && errno == EINTR) continue;
    return got < 0 && errno == EAGAIN;
  }
}

}  // namespace

PadInput::PadInput(GameWindow& window)
    : window_(window),
      keys_([this](QEvent::Type type, const PadKey& key, bool repeat) { SendKey(type, key, repeat); },
            [this] { return PanelHasFocus(); }) {
  // SDL must not take over Ctrl+C and the end signal: the program ends as it always did.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Whether our window has the focus is Qt's business; SDL has no window to ask.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "velmora: game pads cannot be used: %s\n", SDL_GetError());
    return;
  }
  started_ = true;
  settle_.setSingleShot(true);
  connect(&settle_, &QTimer::timeout, this, [this] {
    Pump();
    if (++settleStep_ < static_cast<int>(kSettleMs.size())) settle_.start(kSettleMs[settleStep_]);
  });
  cooldown_.setSingleShot(true);
  cooldown_.setInterval(kCooldownMs);
  connect(&cooldown_, &QTimer::timeout, this, [this] {
    for (auto& [id, pad] : pads_)
      if (pad.Readable) pad.Readable->setEnabled(true);
  });
  timerPads_.setInterval(kTimerPadMs);
  connect(&timerPads_, &QTimer::timeout, this, &PadInput::Pump);
  WatchDevices();
  Pump();  // the pads connected already
}

PadInput::~PadInput() {
  if (!started_) return;
  while (!pads_.empty()) Close(pads_.begin()->first);
  if (inotify_ >= 0) close(inotify_);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS);
}

void PadInput::WatchDevices() {
  if (inotify_ < 0) {
    inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotify_ < 0) return;  // pads connected at the start still work
    devices_ = new QSocketNotifier(inotify_, QSocketNotifier::Read, this);
    connect(devices_, &QSocketNotifier::activated, this, &PadInput::DevicesChanged);
  }
  // A new device file appears, one goes, or one is made readable for us.
  devicesWatch_ = inotify_add_watch(inotify_, kInputFolder, IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM);
  watchingDev_ = devicesWatch_ < 0;
  // No input devices at all yet: wait for the folder to appear.
  if (watchingDev_) devicesWatch_ = inotify_add_watch(inotify_, "/dev", IN_CREATE | IN_MOVED_TO);
}

void PadInput::DevicesChanged() {
  bool folderCame = false;
  alignas(inotify_event) std::array<char, 4096> buffer;
  for (;;) {
    const ssize_t got = read(inotify_, buffer.data(), buffer.size());
    if (got <= 0) break;
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
      if (watchingDev_ && event->len > 0 && std::strcmp(event->name, "input") == 0) folderCame = true;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  if (watchingDev_ && !folderCame) return;  // something else in /dev
  if (folderCame) {
    inotify_rm_watch(inotify_, devicesWatch_);
    WatchDevices();
  }
  Pump();
  settleStep_ = 0;
  settle_.start(kSettleMs[0]);
}

void PadInput::PadReadable(int id) {
  const auto found = pads_.find(id);
  if (found == pads_.end()) return;
  Pad& pad = found->second;
  if (!Drain(pad.Fd)) {
    // Unplugged: SDL tells its side when it is read.
    pad.Readable->setEnabled(false);
    pad.Readable->deleteLater();
    pad.Readable = nullptr;
    close(pad.Fd);
    pad.Fd = -1;
  }
  Pump();
  for (auto& [other, each] : pads_)
    if (each.Readable) each.Readable->setEnabled(false);
  cooldown_.start();
}

void PadInput::Pump() {
  if (!started_) return;
  SDL_PumpEvents();
  // One event at a time: a key may open a message box whose own event loop reads pads
  // too, and then takes the next events in their order.
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) Handle(event);
  UpdateTimer();
}

void PadInput::Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_JOYDEVICEADDED:
      if (!SDL_IsGameController(event.jdevice.which)) {
        const char* name = SDL_JoystickNameForIndex(event.jdevice.which);
        std::fprintf(stderr,
                     "velmora: the pad \"%s\" is not known as a game pad; describe its buttons in "
                     "SDL_GAMECONTROLLERCONFIG to use it\n",
                     name ? name : "?");
      }
      break;
    case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which); break;
    case SDL_CONTROLLERDEVICEREMOVED: Close(event.cdevice.which); break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (const auto control = ControlOf(event.cbutton.button); control && pads_.contains(event.cbutton.which))
        keys_.Control(event.cbutton.which, *control, event.type == SDL_CONTROLLERBUTTONDOWN);
      break;
    case SDL_CONTROLLERAXISMOTION: {
      const auto found = pads_.find(event.caxis.which);
      if (found == pads_.end()) break;
      Pad& pad = found->second;
      switch (event.caxis.axis) {
        case SDL_CONTROLLER_AXIS_LEFTX:
          pad.StickX = event.caxis.value;
          keys_.Stick(found->first, pad.StickX, pad.StickY);
          break;
        case SDL_CONTROLLER_AXIS_LEFTY:
          pad.StickY = event.caxis.value;
          keys_.Stick(found->first, pad.StickX, pad.StickY);
          break;
        case SDL_CONTROLLER_AXIS_TRIGGERRIGHT: keys_.Trigger(found->first, event.caxis.value); break;
        default: break;
      }
      break;
    }
    default: break;
  }
}

void PadInput::Open(int deviceIndex) {
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (id < 0 || pads_.contains(id)) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (!controller) {
    std::fprintf(stderr, "velmora: a game pad could not be opened: %s\n", SDL_GetError());
    return;
  }
  Pad& pad = pads_[id];
  pad.Controller = controller;
  // Our own reading of the device file (each reader gets every event) says when there is
  // something for SDL to read.
  if (const char* path = SDL_GameControllerPath(controller)) pad.Fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (pad.Fd >= 0) {
    pad.Readable = new QSocketNotifier(pad.Fd, QSocketNotifier::Read, this);
    connect(pad.Readable, &QSocketNotifier::activated, this, [this, id] { PadReadable(id); });
  }
}

void PadInput::Close(int id) {
  const auto found = pads_.find(id);
  if (found == pads_.end()) return;
  Pad pad = found->second;
  pads_.erase(found);
  if (pad.Readable) {
    pad.Readable->setEnabled(false);
    pad.Readable->deleteLater();  // it may be the one telling us now
  }
  if (pad.Fd >= 0) close(pad.Fd);
  SDL_GameControllerClose(pad.Controller);
  // A trigger held as the pad is pulled out lets Ctrl go, as any held control does.
  keys_.Unplugged(id);
  UpdateTimer();
}

void PadInput::UpdateTimer() {
  bool anyWithoutFile = false;
  for (const auto& [id, pad] : pads_) anyWithoutFile = anyWithoutFile || pad.Fd < 0;
  if (anyWithoutFile && !timerPads_.isActive()) timerPads_.start();
  if (!anyWithoutFile) timerPads_.stop();
}

QWidget* PadInput::KeyTarget() const {
  // Where the keyboard's keys go; while the window is not active, where they will go when
  // it is (an open panel keeps its keys then too).
  if (QWidget* focus = QApplication::focusWidget()) return focus;
  if (QWidget* focus = window_.focusWidget()) return focus;
  return &window_;
}

bool PadInput::PanelHasFocus() const {
  const QWidget* target = KeyTarget();
  return target != &window_.Screen() && target != &window_;
}

void PadInput::SendKey(QEvent::Type type, const PadKey& key, bool autoRepeat) {
  QWidget* to = KeyTarget();
  QKeyEvent event(type, key.Key, key.Mods, TextOf(key), autoRepeat);
  QCoreApplication::sendEvent(to, &event);
}

}  // namespace velmora
