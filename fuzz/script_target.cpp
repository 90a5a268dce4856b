// Fuzz target: arbitrary script text cut into lines, tags and arguments read, and every
// label the game can build looked up.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/form.h"
#include "fuzz/fuzz_support.h"
#include "gfx/sjis.h"
#include "platform/headless/headless_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  fuzz::EnsureGuiApplication();
  const std::string text(reinterpret_cast<const char*>(data), size);
  // One game for the whole run: only its script lines and play position change.
  static HeadlessHost host("/nonexistent");
  static TForm1 form(host);
  form.ScriptLines.Assign(ScriptText::SplitLines(text));
  for (const std::string& line : form.ScriptLines.Lines()) {
    (void)ScriptText::TagIndex(line);
    (void)DecodeCp932(line);
    try {
      (void)ScriptText::ParseArgument(line);
    } catch (const GameError&) {
    }
  }
  for (int partner = 0; partner <= 3; ++partner) {
    form.State.Partner = static_cast<uint8_t>(partner);
    for (int event = 0; event <= 14; ++event) {
      form.State.CurrentEvent = static_cast<uint8_t>(event);
      (void)form.Script.EventLabelLine(event);
      for (int result = 1; result <= 5; ++result) (void)form.Script.GameResultLine(result);
    }
  }
  return 0;
}
