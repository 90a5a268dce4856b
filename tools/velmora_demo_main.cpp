// velmora_demo DIR: writes the demo game (DIR/data/qelvart.red and DIR/wav/) into DIR.
#include <cstdio>
#include <exception>

#include <QGuiApplication>

#include "tools/demo/demo_content.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n  writes DIR/data/qelvart.red and DIR/wav/01.wav .. 04.wav\n", argv[0]);
    return 2;
  }
  // The pictures' text is drawn by QtGui; no window is needed, so run headless unless
  // told otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  try {
    velmora::WriteDemoGameFolder(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "velmora_demo: %s\n", e.what());
    return 1;
  }
  std::printf("demo game written to %s\n", argv[1]);
  return 0;
}
