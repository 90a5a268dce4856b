// qelvart_build PICTURES SCRIPT OUT: builds an asset file from a folder with one picture
// per slot (PNG or BMP, named after the slot, e.g. title_backdrop.png) and a UTF-8 script.
// OUT is written only when everything fits, so a file that was there is never half lost.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/asset_folder.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s PICTURE_FOLDER SCRIPT.txt OUT.red\n", argv[0]);
    return 2;
  }
  try {
    const std::vector<uint8_t> file = velmora::BuildAssetFileFromFolder(argv[1], argv[2]);
    const std::filesystem::path out = argv[3];
    const std::filesystem::path partial = out.string() + ".partial";
    {
      std::ofstream stream(partial, std::ios::binary);
      stream.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
      if (!stream) throw std::runtime_error("cannot write " + partial.string());
    }
    std::filesystem::rename(partial, out);
  } catch (const std::exception& e) {
    std::string message = e.what();
    while (!message.empty() && message.back() == '\n') message.pop_back();
    std::fprintf(stderr, "qelvart_build: %s\n", message.c_str());
    return 1;
  }
  return 0;
}
