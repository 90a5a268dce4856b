#include "script/interpreter.h"
#include "app/form.h"
namespace velmora {
// PLACEHOLDER
void Interpreter::RunScriptCommand(int) {}
void Interpreter::ShowTextPage() {}
}  // namespace velmora
