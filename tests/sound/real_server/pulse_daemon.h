#pragma once
// A PulseAudio server of the test's own: a user daemon with one null sink, its runtime,
// home and configuration folders in a scratch folder, reached only through its own
// socket. No system daemon is asked or touched.

#include <sys/types.h>

#include <string>

#include "support/fixtures.h"

namespace velmora::testing {

class PulseDaemon {
 public:
  // The sink everything plays to; its monitor is what the recorder hears.
  static constexpr const char* kSink = "velmora_test";
  static constexpr int kSinkRate = 48000;

  PulseDaemon() = default;
  ~PulseDaemon();
  PulseDaemon(const PulseDaemon&) = delete;
  PulseDaemon& operator=(const PulseDaemon&) = delete;

  // True when the daemon and the recorder are installed.
  static bool Installed();
  // Starts the daemon (again, on the same socket) and waits until it answers.
  bool Start(std::string& why);
  // Ends it at once, as a crash would.
  void Kill();
  // What PULSE_SERVER names to reach it.
  std::string Server() const { return "unix:" + Socket(); }
  // What PULSE_COOKIE names for its clients: a client writes a missing cookie, and this
  // one is kept here instead of in the home folder.
  std::string ClientCookie() const { return folder_.Path() + "/client-cookie"; }
  std::string Log() const;

 private:
  std::string Socket() const { return folder_.Path() + "/runtime/native"; }
  ScratchDir folder_;
  pid_t pid_ = -1;
};

}  // namespace velmora::testing
