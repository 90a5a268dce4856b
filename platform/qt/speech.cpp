#include "platform/qt/speech.h"

#include <libspeechd.h>

#include <QFileInfo>
#include <QSettings>
#include <cstdio>

#include "app/live_targets.h"
#include "app/page_feed.h"
#include "platform/qt/display_settings.h"
#include "platform/qt/focus_ring.h"
#include "platform/qt/game_window.h"

namespace velmora {

namespace {

const QString kSpeechKey = QStringLiteral("speech/on");

SPDConnection* Connection(void* p) { return static_cast<SPDConnection*>(p); }

}  // namespace

bool LoadSpeechOn(const QString& settingsPath) {
  if (!QFileInfo(settingsPath).isFile()) return false;
  const QSettings settings(settingsPath, QSettings::IniFormat);
  return settings.status() == QSettings::NoError && settings.value(kSpeechKey).toString() == u"true";
}

QString SaveSpeechOn(const QString& settingsPath, bool on) {
  return RewriteSettings(settingsPath, [on](QSettings& settings) {
    settings.setValue(kSpeechKey, on ? QStringLiteral("true") : QStringLiteral("false"));
  });
}

Speech::Speech(GameWindow& window, FocusRing& ring, QString settingsPath, bool autospawn)
    : window_(window), ring_(ring), settingsPath_(std::move(settingsPath)), autospawn_(autospawn) {
  on_ = LoadSpeechOn(settingsPath_);
  thread_ = std::thread([this] { Run(); });
  window.SetActionHandler(ShellAction::ToggleSpeech, [this] { Toggle(); });
  window.Form().Feed.OnUnit([this](const ReadUnit& unit) { Say(UnitText(unit)); });
  ring.FocusWatchers.push_back([this] {
    if (const LiveTarget* target = ring_.Focus().Focused()) {
      Say(target->Name);
      return;
    }
    // A new screen with nothing focused: its page is read as it comes; a screen without one
    // (the title, the map, the cards) says what it asks.
    const std::vector<LiveTarget>& targets = ring_.Focus().Targets();
    const uint64_t key = ScreenKey(window_.Form());
    if (targets.empty() || key == screenKey_) return;
    screenKey_ = key;
    if (!window_.Form().Feed.Current()) Say(ScreenPrompt(targets));
  });
}

Speech::~Speech() {
  window_.SetActionHandler(ShellAction::ToggleSpeech, nullptr);
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void Speech::Toggle() {
  SetOn(!on_);
  window_.Overlay().Show(QString::fromUtf8(on_ ? kSpeechOnNote : kSpeechOffNote));
  const QString problem = SaveSpeechOn(settingsPath_, on_);
  if (!problem.isEmpty()) std::fprintf(stderr, "velmora: the speech choice was not kept: %s\n", qPrintable(problem));
}

void Speech::SetOn(bool on) {
  on_ = on;
  if (!on) {
    {
      const std::lock_guard lock(mutex_);
      next_.reset();
      cancel_ = true;
    }
    wake_.notify_one();
    return;
  }
  // Switched on: the focused target, or what the screen says now.
  if (const LiveTarget* target = ring_.Focus().Focused())
    Say(target->Name);
  else if (const ReadUnit* unit = window_.Form().Feed.Current())
    Say(UnitText(*unit));
  else
    Say(ScreenPrompt(ring_.Focus().Targets()));
}

void Speech::Say(const std::string& text) {
  if (!on_ || text.empty()) return;
  {
    const std::lock_guard lock(mutex_);
    next_ = text;
  }
  wake_.notify_one();
}

void Speech::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || cancel_ || next_.has_value(); });
    if (stop_) break;
    const bool cancel = cancel_;
    std::optional<std::string> text = std::move(next_);
    next_.reset();
    cancel_ = false;
    lock.unlock();
    if (cancel && connection_) spd_cancel(Connection(connection_));
    if (text && Connect()) {
      spd_cancel(Connection(connection_));
      if (spd_say(Connection(connection_), SPD_TEXT, text->c_str()) < 0) {
        // The server went away: start afresh with the next utterance.
        spd_close(Connection(connection_));
        connection_ = nullptr;
      }
    }
    lock.lock();
  }
  lock.unlock();
  if (connection_) spd_close(Connection(connection_));
}

bool Speech::Connect() {
  if (connection_) return true;
  char* error = nullptr;
  SPDConnection* c = spd_open2("velmora", "main", nullptr, SPD_MODE_SINGLE, nullptr, autospawn_ ? 1 : 0, &error);
  const QString reason = QString::fromUtf8(error ? error : "");
  free(error);
  if (!c) {
    if (!toldNoServer_) {
      toldNoServer_ = true;
      std::fprintf(stderr, "velmora: speech is unavailable: %s\n", qPrintable(reason.trimmed()));
      Tell(QString::fromUtf8(kNoSpeechServerNote));
    }
    return false;
  }
  spd_set_language(c, "ja");
  connection_ = c;
  return true;
}

void Speech::Tell(const QString& note) {
  QMetaObject::invokeMethod(this, [this, note] { window_.Overlay().Show(note); }, Qt::QueuedConnection);
}

}  // namespace velmora
