#pragma once
// Starting and stopping the helper programs the sound tests need (the sound server and
// its recorder) as child processes of the test, each ended by its own process id.

#include <sys/types.h>

#include <string>
#include <vector>

namespace velmora::testing {

struct ChildOptions {
  std::vector<std::string> Argv;
  // The whole environment of the child ("NAME=value"); empty inherits the test's own.
  std::vector<std::string> Environment;
  // Where standard output goes: a descriptor to hand over, or -1 for the log file.
  int StdoutFd = -1;
  // Standard error (and standard output without StdoutFd) is appended here.
  std::string LogPath = "/dev/null";
};

// Starts the program; returns its process id, or -1 when it could not be started.
pid_t StartChild(const ChildOptions& options);
// Sends Signal to the child and waits for it to end.
void StopChild(pid_t& pid, int signal);
// True when Name is an executable on the PATH.
bool ProgramOnPath(const std::string& name);

}  // namespace velmora::testing
