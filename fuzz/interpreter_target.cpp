// Fuzz target: an arbitrary script played on the demo pictures through an arbitrary
// sequence of pointer events, menu clicks and timer runs.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "gfx/asset_table.h"
#include "platform/headless/headless_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  const auto demo = fuzz::DemoAsset();
  fuzz::InputReader in(data, size);
  const size_t scriptLength = in.Word();
  std::vector<uint8_t> script = in.Bytes(scriptLength);
  const int64_t fileSize = ScriptOffset + static_cast<int64_t>(script.size());
  HeadlessHost host("/nonexistent", HeadlessHost::Watch::Unwatched);
  host.SetMemoryFile("data/qelvart.red", demo, {{ScriptOffset, std::move(script)}}, fileSize);
  TForm1& form = host.Start();
  host.RunFor(500);
  host.RunUntilIdle(4000);
  host.Click(320, 198);  // new game
  for (int step = 0; step < 64 && !in.AtEnd() && !host.Closed(); ++step) {
    const uint8_t op = in.Byte();
    const int x = in.Word() % 640;
    const int y = in.Word() % 480;
    switch (op % 6) {
      case 0:
        host.Press(x, y);
        break;
      case 1:
        host.Move(x, y);
        break;
      case 2:
        host.Release(x, y);
        break;
      case 3:
        host.RunFor(static_cast<uint32_t>(y) * 8);
        break;
      case 4:
        host.RunUntilIdle(4000);
        break;
      case 5: {
        MenuItem* items[] = {&form.Start_Btn1, &form.ReSet_Btn1, &form.About_Btn1, &form.ON1, &form.OFF1,
                             &form.TEXT1};
        form.MenuClick(*items[x % 6]);
        break;
      }
    }
  }
  return 0;
}
