#include "pulse_daemon.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "child_process.h"

namespace velmora::testing {

namespace {

bool Answers(const std::string& socketPath) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof(address.sun_path) - 1);
  const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  close(fd);
  return ok;
}

}  // namespace

PulseDaemon::~PulseDaemon() { StopChild(pid_, SIGTERM); }

bool PulseDaemon::Installed() { return ProgramOnPath("pulseaudio") && ProgramOnPath("parec"); }

bool PulseDaemon::Start(std::string& why) {
  const std::string root = folder_.Path();
  for (const char* sub : {"/runtime", "/home", "/config", "/state"}) std::filesystem::create_directories(root + sub);
  std::filesystem::permissions(root + "/runtime", std::filesystem::perms::owner_all);
  ChildOptions options;
  // A user daemon, also under root: no system mode, no default script, and nothing but
  // the socket and the null sink (no suspend on idle, so the sink's monitor
  // runs on at the sink's own pace and every sample has its time). The sink does not
  // rewind: a rewind renders again what its monitor has already sent, and the monitor
  // then drops the new start of a stream. Without rewinds a new stream waits for the
  // sink's short render-ahead, which can only make the onset measured later. The
  // recorder stays connected all through a test; should the test itself die, the daemon
  // ends on its own ten seconds after its last client.
  options.Argv = {"pulseaudio", "--daemonize=no", "--system=no", "-n", "--exit-idle-time=10",
                  "--use-pid-file=no", "--disable-shm=yes", "--log-target=stderr", "--log-level=warning",
                  "--load=module-native-protocol-unix auth-anonymous=1 socket=" + Socket(),
                  std::string("--load=module-null-sink sink_name=") + kSink +
                      " norewinds=1 format=s16le channels=2 rate=" + std::to_string(kSinkRate)};
  const char* path = std::getenv("PATH");
  options.Environment = {"PATH=" + std::string(path ? path : "/usr/bin:/bin"), "HOME=" + root + "/home",
                         "XDG_RUNTIME_DIR=" + root + "/runtime", "PULSE_RUNTIME_PATH=" + root + "/runtime/pulse",
                         "XDG_CONFIG_HOME=" + root + "/config", "PULSE_STATE_PATH=" + root + "/state",
                         // No session bus: the daemon would only try to register on it.
                         "DBUS_SESSION_BUS_ADDRESS=disabled:"};
  options.LogPath = root + "/pulseaudio.log";
  pid_ = StartChild(options);
  if (pid_ < 0) {
    why = "pulseaudio could not be started";
    return false;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (std::chrono::steady_clock::now() < deadline) {
    if (Answers(Socket())) return true;
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  why = "pulseaudio did not answer on its socket: " + Log();
  StopChild(pid_, SIGKILL);
  return false;
}

void PulseDaemon::Kill() { StopChild(pid_, SIGKILL); }

std::string PulseDaemon::Log() const {
  std::ifstream in(folder_.Path() + "/pulseaudio.log");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace velmora::testing
