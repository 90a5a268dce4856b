#pragma once
// Running the asset-file tools as a translator would from a shell, and the demo taken
// apart once per test program.

#include <string>
#include <vector>

namespace velmora::tools_test {

struct ToolRun {
  int Status;          // exit status
  std::string Output;  // standard output and error together
};

// Runs build/tools/<Tool> with Arguments (each quoted).
ToolRun RunTool(const std::string& tool, const std::vector<std::string>& arguments);

// The folder qelvart_extract made from the demo asset file (made on first use, removed at
// exit), and the demo asset file it came from.
const std::string& ExtractedDemo();
const std::string& DemoAssetPath();

}  // namespace velmora::tools_test
