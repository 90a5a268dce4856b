#include "support/fixtures.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "gfx/asset_layout.h"
#include "gfx/asset_table.h"
#include "gfx/sjis.h"
#include "tools/asset_file.h"
#include "tools/bmp_writer.h"
#include "tools/demo/demo_content.h"

namespace velmora::testing {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  path_ = (fs::temp_directory_path() / ("velmora-test-" + std::to_string(getpid()) + "-" +
                                        std::to_string(counter++)))
              .string();
  fs::remove_all(path_);
  fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void ScratchDir::Write(const std::string& relative, const std::vector<uint8_t>& bytes) const {
  const fs::path file = fs::path(path_) / relative;
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void ScratchDir::Write(const std::string& relative, const std::string& text) const {
  Write(relative, std::vector<uint8_t>(text.begin(), text.end()));
}

namespace {

const std::vector<std::vector<uint8_t>>& DemoBmps() {
  static const std::vector<std::vector<uint8_t>> bmps = [] {
    std::vector<std::vector<uint8_t>> out;
    for (const Picture& p : DrawDemoPictures()) out.push_back(WriteBmp(p));
    return out;
  }();
  return bmps;
}

std::vector<uint8_t> LoadOrBuildDemoAsset() {
  // The build draws the demo game once; drawing it again here is the fallback.
  std::ifstream in(VELMORA_DEMO_ASSET_FILE, std::ios::binary);
  if (in) {
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() > static_cast<size_t>(ScriptOffset)) return bytes;
  }
  return BuildAssetFile(DemoBmps(), EncodeCp932(DemoScript()));
}

}  // namespace

std::shared_ptr<const std::vector<uint8_t>> DemoAssetShared() {
  static const auto bytes = std::make_shared<const std::vector<uint8_t>>(LoadOrBuildDemoAsset());
  return bytes;
}

const std::vector<uint8_t>& DemoAssetBytes() { return *DemoAssetShared(); }

std::vector<uint8_t> AssetFileWithScript(const std::string& scriptUtf8) {
  std::vector<uint8_t> file(DemoAssetBytes().begin(), DemoAssetBytes().begin() + ScriptOffset);
  const std::string script = EncodeCp932(scriptUtf8);
  file.insert(file.end(), script.begin(), script.end());
  return file;
}

void WriteSounds(const ScratchDir& dir) {
  for (int id = 1; id <= 4; ++id) dir.Write("wav/0" + std::to_string(id) + ".wav", DemoSound(id));
}

TestGame::TestGame(std::shared_ptr<const std::vector<uint8_t>> base, std::vector<FileStream::Layer> layers,
                   int64_t size, bool withSounds) {
  if (withSounds) WriteSounds(dir_);
  host_ = std::make_unique<HeadlessHost>(dir_.Path());
  host_->SetMemoryFile("data/qelvart.red", std::move(base), std::move(layers), size);
  host_->Start();
}

TestGame::TestGame(const std::vector<uint8_t>& asset, bool withSounds)
    : TestGame(&asset == &DemoAssetBytes() ? DemoAssetShared() : std::make_shared<const std::vector<uint8_t>>(asset),
               {}, static_cast<int64_t>(asset.size()), withSounds) {}

TestGame::TestGame(const std::string& scriptUtf8) : TestGame(ScriptBytes{EncodeCp932(scriptUtf8)}) {}

TestGame::TestGame(const ScriptBytes& script)
    : TestGame(DemoAssetShared(),
               {FileStream::Layer{ScriptOffset, std::vector<uint8_t>(script.Bytes.begin(), script.Bytes.end())}},
               ScriptOffset + static_cast<int64_t>(script.Bytes.size()), true) {}

void TestGame::RunToTitle() {
  host_->RunFor(500);   // the opening picture
  host_->RunUntilIdle();  // the title's wipe and settle
}

}  // namespace velmora::testing
