#pragma once
// Self-voicing: with speech on (V, remembered in the settings file) each new page, choice,
// remark and ending line and each focused target is spoken through speech-dispatcher, in
// Japanese. A new utterance cuts off the one before. The talking happens on a thread of
// its own, so the window never waits for the speech server; without a server the overlay
// says so once and the game goes on silently. With speech off nothing is sent anywhere.

#include <QObject>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace velmora {

class FocusRing;
class GameWindow;

// Said in the overlay when speech is switched, or cannot be had.
inline constexpr const char* kSpeechOnNote = "音声読み上げ：オン";
inline constexpr const char* kSpeechOffNote = "音声読み上げ：オフ";
inline constexpr const char* kNoSpeechServerNote =
    "音声読み上げを使えません（speech-dispatcher に接続できません）\n"
    "Speech is unavailable: no speech-dispatcher server could be reached.";

// Whether speech is on, kept in the same file as the display choice.
bool LoadSpeechOn(const QString& settingsPath);
// An empty string when written, else what went wrong in plain words.
QString SaveSpeechOn(const QString& settingsPath, bool on);

class Speech : public QObject {
  Q_OBJECT

 public:
  // Registers V and watches the page feed and the focus; the window's game must have been
  // started. Autospawn lets libspeechd start the desktop's server when none runs.
  Speech(GameWindow& window, FocusRing& ring, QString settingsPath, bool autospawn = true);
  ~Speech() override;

  void SetOn(bool on);
  bool On() const { return on_; }
  void Toggle();
  // Speaks Text (UTF-8) now, cutting off what is being said; nothing while speech is off.
  void Say(const std::string& text);

 private:
  void Run();
  // On the speech thread: connected, or told the window once why not.
  bool Connect();
  void Tell(const QString& note);

  GameWindow& window_;
  FocusRing& ring_;
  QString settingsPath_;
  bool autospawn_;
  bool on_ = false;
  uint64_t screenKey_ = 0;  // the screen whose prompt was last considered

  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<std::string> next_;  // the latest utterance not yet sent
  bool cancel_ = false;
  bool stop_ = false;
  bool toldNoServer_ = false;  // on the speech thread only
  void* connection_ = nullptr;  // SPDConnection, on the speech thread only
  std::thread thread_;
};

}  // namespace velmora
