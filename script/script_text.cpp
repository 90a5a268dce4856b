#include "script/script_text.h"
#include "app/form.h"
namespace velmora {
// PLACEHOLDER
void ScriptText::LoadScript() {}
std::vector<std::string> ScriptText::SplitLines(std::string_view) { return {}; }
int ScriptText::TagIndex(std::string_view) { return 0; }
int ScriptText::FindLabel(std::string_view) const { return 0; }
int ScriptText::MapEventNumber(int n, int) const { return n; }
int ScriptText::EventLabelLine(int) const { return 0; }
int ScriptText::GameResultLine(int) const { return 0; }
std::string ScriptText::EventLabel(int) const { return {}; }
std::string ScriptText::GameResultLabel(int) const { return {}; }
int32_t ScriptText::ArgumentAt(int64_t) const { return 0; }
int32_t ScriptText::ParseArgument(std::string_view) { return 0; }
}  // namespace velmora
