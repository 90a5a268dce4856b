#include "tools/tool_run.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <sys/wait.h>

#include "support/fixtures.h"

namespace velmora::tools_test {

namespace fs = std::filesystem;

namespace {

std::string Quote(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The tools sit beside the tests in the build tree: build/tools next to build/tests.
fs::path ToolsFolder() { return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "tools"; }

testing::ScratchDir& Scratch() {
  static testing::ScratchDir dir;
  return dir;
}

}  // namespace

ToolRun RunTool(const std::string& tool, const std::vector<std::string>& arguments) {
  std::string command = Quote((ToolsFolder() / tool).string());
  for (const std::string& argument : arguments) {
    command += ' ';
    command += Quote(argument);
  }
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run " + command);
  std::string output;
  std::array<char, 4096> buffer;
  while (const size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

const std::string& DemoAssetPath() {
  static const std::string path = [] {
    const std::vector<uint8_t>& bytes = testing::DemoAssetBytes();
    Scratch().Write("demo.red", bytes);
    return (fs::path(Scratch().Path()) / "demo.red").string();
  }();
  return path;
}

const std::string& ExtractedDemo() {
  static const std::string folder = [] {
    const std::string out = (fs::path(Scratch().Path()) / "demo").string();
    const ToolRun run = RunTool("qelvart_extract", {DemoAssetPath(), out});
    if (run.Status != 0) throw std::runtime_error("qelvart_extract failed: " + run.Output);
    return out;
  }();
  return folder;
}

}  // namespace velmora::tools_test
