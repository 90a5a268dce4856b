#pragma once
// Game pads, through SDL2's game controller part (never its video: the window stays Qt's).
// Every pad SDL knows as a game controller (its own database, SDL_GAMECONTROLLERCONFIG,
// the Steam Deck's controls) may come and go at any time, several at once; what its
// controls mean is pad_keys' table, and each becomes the key press or release the keyboard
// would send, delivered to the widget that has the keyboard focus.
//
// Nothing polls while no pad is connected: the folder of input devices is watched for
// devices coming and going, and SDL is read then (and a few times over the next second,
// while the system sets the new device up). A connected pad is read when its own device
// file has something to read; only a pad without one (SDL's virtual pads) is read on a
// timer, and only while it is connected.

#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

#include "platform/qt/pad_keys.h"

struct _SDL_GameController;
union SDL_Event;
class QSocketNotifier;
class QWidget;

namespace velmora {

class GameWindow;

class PadInput : public QObject {
  Q_OBJECT

 public:
  // Starts SDL's game controller part and looks for pads; without it (SDL could not
  // start) says why on the error output once and does nothing more.
  explicit PadInput(GameWindow& window);
  ~PadInput() override;
  PadInput(const PadInput&) = delete;
  PadInput& operator=(const PadInput&) = delete;

  bool Started() const { return started_; }
  // How many pads are open now.
  int Pads() const { return static_cast<int>(pads_.size()); }
  // Reads what SDL has now: pads come and go, controls move. The watches call it; so may
  // a test after attaching one of SDL's virtual pads.
  void Pump();

 private:
  struct Pad {
    _SDL_GameController* Controller = nullptr;
    int Fd = -1;  // our own reading of the pad's device file, to know when to read SDL
    QSocketNotifier* Readable = nullptr;
    int StickX = 0, StickY = 0;
  };
  void WatchDevices();
  void DevicesChanged();
  void PadReadable(int id);
  void Open(int deviceIndex);
  void Close(int id);
  void Handle(const SDL_Event& event);
  void SendKey(QEvent::Type type, const PadKey& key, bool autoRepeat);
  QWidget* KeyTarget() const;
  bool PanelHasFocus() const;
  void UpdateTimer();

  GameWindow& window_;
  bool started_ = false;
  int inotify_ = -1;
  int devicesWatch_ = -1;  // /dev/input, or /dev until /dev/input appears
  bool watchingDev_ = false;
  QSocketNotifier* devices_ = nullptr;
  QTimer settle_;     // the reads after a device came or went
  int settleStep_ = 0;
  QTimer cooldown_;   // a pad's device file is looked at again after this
  QTimer timerPads_;  // reads pads that have no device file of their own
  std::map<int, Pad> pads_;  // by SDL's instance id
  PadKeyboard keys_;
};

}  // namespace velmora
