// qelvart_build PICTURES SCRIPT OUT: builds an asset file from a folder with one BMP per
// slot (named after the slot, e.g. title_backdrop.bmp) and a UTF-8 script text.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/asset_layout.h"
#include "gfx/sjis.h"
#include "tools/asset_file.h"

namespace {

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s PICTURE_FOLDER SCRIPT.txt OUT.red\n", argv[0]);
    return 2;
  }
  try {
    std::vector<std::vector<uint8_t>> pictures;
    for (const velmora::AssetSlot& slot : velmora::AssetSlots())
      pictures.push_back(ReadAll(std::filesystem::path(argv[1]) / (std::string(slot.Name) + ".bmp")));
    const std::vector<uint8_t> script = ReadAll(argv[2]);
    const auto file = velmora::BuildAssetFile(
        pictures, velmora::EncodeCp932(std::string(script.begin(), script.end())));
    std::ofstream out(argv[3], std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[3]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qelvart_build: %s\n", e.what());
    return 1;
  }
  return 0;
}
