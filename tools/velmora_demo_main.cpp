// velmora_demo DIR: writes the demo game (DIR/data/qelvart.red and DIR/wav/) into DIR.
#include <cstdio>
#include <exception>

#include "tools/demo/demo_content.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n  writes DIR/data/qelvart.red and DIR/wav/01.wav .. 04.wav\n", argv[0]);
    return 2;
  }
  try {
    velmora::WriteDemoGameFolder(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "velmora_demo: %s\n", e.what());
    return 1;
  }
  std::printf("demo game written to %s\n", argv[1]);
  return 0;
}
