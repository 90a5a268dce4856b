// qelvart_check [--graph MAP] FILE: checks an asset file slot by slot and walks its script
// through every path the game can take; FILE may also be a bare UTF-8 script. Errors (what
// would stop or derail the game) give exit status 1; warnings alone do not. --graph draws
// the walk as a story map.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <QGuiApplication>

#include "app/game_error.h"
#include "gfx/asset_table.h"
#include "script/script_text.h"
#include "tools/asset_file.h"
#include "tools/script_check.h"
#include "tools/script_encoding.h"
#include "tools/story_graph_dot.h"
#include "tools/story_graph_render.h"

namespace {

constexpr const char* kHelp = R"(usage: qelvart_check [--graph MAP] FILE

Checks FILE, an asset file (data/qelvart.red) or a script as qelvart_extract writes it
(UTF-8 text): every picture slot, and the script walked through every way the game can
play it (the opening, every event, every choice, *ending and every photo result), with
each problem reported by line. Errors give exit status 1; warnings alone do not.

  --graph MAP   also draw the walk as a story map: a box per block (its label, its lines,
                the pages, scenes, CGs, photo game and choice question it shows, how it
                goes back to the map), an arrow for every way play goes from block to
                block (a new game or an event arriving at a place, each choice option with
                its caption, each photo result, *ending, *end, a block running on into the
                next label). Blocks no path reaches are grey; blocks with an error are red,
                with the message. MAP ends in .svg or .png (drawn by Graphviz's dot
                program, Debian package graphviz) or .dot (Graphviz text). When the map
                cannot be drawn or written, the exit status is 2.
  --help        show this text
)";

// Prints the script's findings; the number of errors. Draws the walk into Graph when given.
int ReportScript(const std::vector<std::string>& lines, velmora::StoryGraph* graph) {
  int errors = 0, warnings = 0;
  for (const velmora::ScriptFinding& finding : velmora::CheckScript(lines, graph)) {
    std::printf("%s\n", velmora::DescribeFinding(finding).c_str());
    (finding.Error ? errors : warnings) += 1;
  }
  std::printf("script: %d error%s, %d warning%s\n", errors, errors == 1 ? "" : "s", warnings, warnings == 1 ? "" : "s");
  return errors;
}

}  // namespace

// Draws Graph into MapPath; the exit status Checked becomes (2 when the map failed).
int DrawMap(const velmora::StoryGraph& graph, const std::string& mapPath, int checked) {
  const std::string problem = velmora::WriteStoryMap(velmora::StoryGraphDot(graph), mapPath);
  if (problem.empty()) return checked;
  std::fprintf(stderr, "qelvart_check: %s\n", problem.c_str());
  return 2;
}

int main(int argc, char** argv) {
  std::string mapPath;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (arg == "--graph" && i + 1 < argc) mapPath = argv[++i];
    else if (arg.rfind("--graph=", 0) == 0) mapPath = arg.substr(8);
    else files.push_back(arg);
  }
  if (files.size() != 1 || files[0] == "--graph" || files[0].empty()) {
    std::fprintf(stderr, "usage: qelvart_check [--graph MAP.svg|.png|.dot] data/qelvart.red | script.txt (--help tells more)\n");
    return 2;
  }
  const char* const path = files[0].c_str();
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "qelvart_check: cannot open %s\n", path);
    return 2;
  }
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Text is measured with the game's font, which QtGui rasterises; no window is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  velmora::StoryGraph graph;
  const bool assetFile = file.size() >= 2 && file[0] == 'B' && file[1] == 'M';
  if (!assetFile) {
    // A bare script as a translator edits it: UTF-8 text.
    std::string sjis;
    try {
      sjis = velmora::EncodeScriptText(std::string(file.begin(), file.end()), path);
    } catch (const velmora::GameError& e) {
      std::printf("%sthe script cannot be built into an asset file\n", e.what());
      return 1;
    }
    const int checked = ReportScript(velmora::ScriptText::SplitLines(sjis), mapPath.empty() ? nullptr : &graph) > 0 ? 1 : 0;
    return mapPath.empty() ? checked : DrawMap(graph, mapPath, checked);
  }

  int bad = 0;
  for (const velmora::SlotReport& r : velmora::CheckAssetFile(file)) {
    std::printf("%10d  %-20s %s\n", r.Offset, r.Name.c_str(), r.Problem.empty() ? "ok" : r.Problem.c_str());
    bad += r.Problem.empty() ? 0 : 1;
  }
  if (file.size() > static_cast<size_t>(velmora::ScriptOffset)) {
    const std::string sjis(file.begin() + velmora::ScriptOffset, file.end());
    bad += ReportScript(velmora::ScriptText::SplitLines(sjis), mapPath.empty() ? nullptr : &graph);
  }
  std::printf("%s\n", bad ? "the file has problems" : "the file is fine");
  return mapPath.empty() ? (bad ? 1 : 0) : DrawMap(graph, mapPath, bad ? 1 : 0);
}
