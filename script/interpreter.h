#pragma once
// The interpreter: plays one block of the script as text pages of up to three lines and
// runs the tag lines it meets.

#include <cstdint>

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

  // The choice sets the choice panel knows (2, 3, 6).
  static bool IsChoiceSet(int32_t set);
  // Whether the portrait commands accept Frame for heroine Partner (1..3).
  static bool IsPortraitFrame(int partner, int32_t frame);

 private:
  // Runs command Tag with ScriptPos on its first argument line; false when the command
  // stays (no mode change follows it).
  bool RunCommand(int tag, bool start);
  // "<f_Change>" up to its page: reads the frame and changes the face on the screen.
  void ChangeFace(bool start);
  // Moves ScriptPos by Lines, refusing a position the 16-bit word cannot hold.
  void AdvanceScriptPos(int64_t lines);
  // Reads the argument line at ScriptPos as an integer and steps past it.
  int32_t ReadArgument();
  // The portrait commands' frame number, checked against the partner's face sheet.
  void CheckPortraitFrame(int32_t frame) const;

  TForm1& form_;
};

}  // namespace velmora
