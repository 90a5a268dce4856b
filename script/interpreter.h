#pragma once
// The interpreter: plays one block of the script as text pages of up to three lines and
// runs the tag lines it meets.

namespace velmora {

class TForm1;

class Interpreter {
 public:
  explicit Interpreter(TForm1& form) : form_(form) {}

  // Tag 0 starts the block of CurrentEvent (when none is under way); 1..14 runs the
  // command of the tag line at ScriptPos.
  void RunScriptCommand(int tag);
  // The next page, or the command when the line at ScriptPos is a tag.
  void ShowTextPage();

 private:
  TForm1& form_;
};

}  // namespace velmora
