// qelvart_check FILE: checks an asset file slot by slot and walks its script through every
// path the game can take; FILE may also be a bare UTF-8 script. Errors (what would stop
// or derail the game) give exit status 1; warnings alone do not.
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

namespace {

// Prints the script's findings; the number of errors.
int ReportScript(const std::vector<std::string>& lines) {
  int errors = 0, warnings = 0;
  for (const velmora::ScriptFinding& finding : velmora::CheckScript(lines)) {
    std::printf("%s\n", velmora::DescribeFinding(finding).c_str());
    (finding.Error ? errors : warnings) += 1;
  }
  std::printf("script: %d error%s, %d warning%s\n", errors, errors == 1 ? "" : "s", warnings, warnings == 1 ? "" : "s");
  return errors;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s data/qelvart.red | script.txt\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot open %s\n", argv[0], argv[1]);
    return 2;
  }
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Text is measured with the game's font, which QtGui rasterises; no window is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const bool assetFile = file.size() >= 2 && file[0] == 'B' && file[1] == 'M';
  if (!assetFile) {
    // A bare script as a translator edits it: UTF-8 text.
    std::string sjis;
    try {
      sjis = velmora::EncodeScriptText(std::string(file.begin(), file.end()), argv[1]);
    } catch (const velmora::GameError& e) {
      std::printf("%sthe script cannot be built into an asset file\n", e.what());
      return 1;
    }
    return ReportScript(velmora::ScriptText::SplitLines(sjis)) > 0 ? 1 : 0;
  }

  int bad = 0;
  for (const velmora::SlotReport& r : velmora::CheckAssetFile(file)) {
    std::printf("%10d  %-20s %s\n", r.Offset, r.Name.c_str(), r.Problem.empty() ? "ok" : r.Problem.c_str());
    bad += r.Problem.empty() ? 0 : 1;
  }
  if (file.size() > static_cast<size_t>(velmora::ScriptOffset)) {
    const std::string sjis(file.begin() + velmora::ScriptOffset, file.end());
    bad += ReportScript(velmora::ScriptText::SplitLines(sjis));
  }
  std::printf("%s\n", bad ? "the file has problems" : "the file is fine");
  return bad ? 1 : 0;
}
