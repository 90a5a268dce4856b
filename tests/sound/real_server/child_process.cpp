#include "child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sstream>

extern char** environ;

namespace velmora::testing {

namespace {

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (std::string& s : strings) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

}  // namespace

pid_t StartChild(const ChildOptions& options) {
  std::vector<std::string> argv = options.Argv;
  std::vector<std::string> env = options.Environment;
  std::vector<char*> argvPtr = Pointers(argv);
  std::vector<char*> envPtr = Pointers(env);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, options.LogPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
  if (options.StdoutFd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, options.StdoutFd, 1);
    posix_spawn_file_actions_addclose(&actions, options.StdoutFd);
  } else {
    posix_spawn_file_actions_adddup2(&actions, 2, 1);
  }
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, argvPtr[0], &actions, nullptr, argvPtr.data(),
                                  env.empty() ? environ : envPtr.data());
  posix_spawn_file_actions_destroy(&actions);
  return failed ? -1 : pid;
}

void StopChild(pid_t& pid, int signal) {
  if (pid <= 0) return;
  kill(pid, signal);
  while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
  }
  pid = -1;
}

bool ProgramOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');)
    if (!folder.empty() && access((folder + "/" + name).c_str(), X_OK) == 0) return true;
  return false;
}

}  // namespace velmora::testing
