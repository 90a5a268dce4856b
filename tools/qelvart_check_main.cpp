// qelvart_check FILE: checks an asset file slot by slot and says what is wrong.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/asset_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s data/qelvart.red\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot open %s\n", argv[0], argv[1]);
    return 2;
  }
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int bad = 0;
  for (const velmora::SlotReport& r : velmora::CheckAssetFile(file)) {
    std::printf("%10d  %-20s %s\n", r.Offset, r.Name.c_str(), r.Problem.empty() ? "ok" : r.Problem.c_str());
    bad += r.Problem.empty() ? 0 : 1;
  }
  std::printf("%s\n", bad ? "the file has problems" : "the file is fine");
  return bad ? 1 : 0;
}
