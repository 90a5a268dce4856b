// qelvart_extract FILE DIR: takes an asset file apart into DIR: one PNG per picture slot,
// named as qelvart_build expects, the script as UTF-8 text and a manifest.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/asset_folder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s data/qelvart.red FOLDER\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "qelvart_extract: cannot open %s\n", argv[1]);
    return 2;
  }
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  try {
    const velmora::ExtractReport report = velmora::ExtractAssetFile(file, argv[2]);
    for (const std::string& note : report.Notes) std::printf("note: %s\n", note.c_str());
    for (const std::string& problem : report.Problems) std::fprintf(stderr, "qelvart_extract: %s\n", problem.c_str());
    std::printf("%s written to %s\n", report.Problems.empty() ? "everything" : "the rest", argv[2]);
    return report.Problems.empty() ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qelvart_extract: %s\n", e.what());
    return 1;
  }
}
