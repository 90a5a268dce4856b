// Fuzz target: the save reader. The first byte chooses whether the target makes the sum
// right before reading, so the fuzzer reaches the checks of every value and not only the
// sum. A file the reader takes must be exactly the file the writer makes of what it read,
// and the state it holds must enter the town screen of the demo game without an error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/headless/headless_host.h"
#include "save/checksum.h"
#include "save/save_format.h"

namespace {

velmora::HeadlessHost& Game() {
  static velmora::HeadlessHost* host = [] {
    const auto demo = velmora::fuzz::DemoAsset();
    auto* h = new velmora::HeadlessHost("/nonexistent");
    h->SetMemoryFile("data/qelvart.red", demo, {}, static_cast<int64_t>(demo->size()));
    h->Start();
    h->RunFor(500);
    h->RunUntilIdle(4000);
    return h;
  }();
  return *host;
}

}  // namespace

// The demo game is drawn and started before the first input, so its drawing (seconds
// under the sanitizers) is not taken for an input that hangs.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Game();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  if (size == 0) return 0;
  std::vector<uint8_t> bytes(data + 1, data + size);
  if ((data[0] & 1) != 0 && bytes.size() >= 4) {
    const uint32_t sum = Crc32(bytes.data(), bytes.size() - 4);
    for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + static_cast<size_t>(i)] = static_cast<uint8_t>(sum >> (8 * i));
  }
  std::string problem;
  const std::optional<DecodedSave> save = DecodeSave(bytes, problem);
  if (!save) {
    if (problem.empty()) std::abort();  // refused without a word for the player
    return 0;
  }
  if (EncodeSave(save->State, save->AssetFingerprint) != bytes) std::abort();

  HeadlessHost& host = Game();
  TForm1& form = host.Form();
  host.ClearRecords();
  form.State = save->State;
  form.Modes.StartGame(2);
  host.RunUntilIdle(4000);
  if (!host.Messages().empty() || form.State.ScreenMode != 4 || form.G_Timer.Enabled()) std::abort();
  return 0;
}
