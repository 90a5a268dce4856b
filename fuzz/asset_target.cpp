// Fuzz target: a damaged asset file (the demo file with patches laid over it, maybe cut
// short) played from start-up through the title into a new game and a few clicks.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "gfx/asset_table.h"
#include "platform/headless/headless_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  fuzz::InputReader in(data, size);
  const auto base = fuzz::DemoAsset();
  int64_t fileSize = static_cast<int64_t>(base->size());
  if (in.Byte() & 1) fileSize = in.Dword() % (fileSize + 1);  // cut short
  std::vector<FileStream::Layer> layers;
  while (!in.AtEnd() && layers.size() < 16) {
    const int64_t offset = in.Dword() % (static_cast<int64_t>(base->size()) + 64);
    layers.push_back({offset, in.Bytes(in.Byte())});
  }
  HeadlessHost host("/nonexistent", HeadlessHost::Watch::Unwatched);
  host.SetMemoryFile("data/qelvart.red", base, std::move(layers), fileSize);
  host.Start();
  host.RunFor(500);
  host.RunUntilIdle(4000);
  host.Click(320, 198);  // new game
  host.RunUntilIdle(4000);
  for (int page = 0; page < 4; ++page) {
    host.Click(460, 450);
    host.Click(570, 445);
    host.RunUntilIdle(4000);
  }
  return 0;
}
