#include "fuzz/fuzz_support.h"

#include <QGuiApplication>

#include "gfx/sjis.h"
#include "tools/asset_file.h"
#include "tools/bmp_writer.h"
#include "tools/demo/demo_content.h"

namespace velmora::fuzz {

void EnsureGuiApplication() {
  static int argc = 1;
  static char name[] = "velmora-fuzz";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  new QGuiApplication(argc, argv);  // lives as long as the process
}

std::shared_ptr<const std::vector<uint8_t>> DemoAsset() {
  static const auto asset = [] {
    EnsureGuiApplication();
    return std::make_shared<const std::vector<uint8_t>>(DemoAssetFile());
  }();
  return asset;
}

}  // namespace velmora::fuzz
