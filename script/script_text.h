#pragma once
// The scenario script: lines cut from the end of the asset file, the fourteen tags, the
// heroines' label prefixes and the rules that build the labels play jumps to.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/indexed_array.h"

namespace velmora {

class TForm1;

struct ScriptTag {
  const char* Line;
  int Arguments;  // argument lines that follow the tag
};

// Tags 1..14; the number is the command the interpreter runs.
inline constexpr std::array<ScriptTag, 14> ScriptTags = {{
    {"<B>", 1}, {"<CG>", 1}, {"<CG_text>", 1}, {"BL", 0}, {"<Aite_f>", 1}, {"<Aite_h>", 1}, {"<Aite0>", 0},
    {"<Sentaku>", 1}, {"<Game>", 0}, {"*next_ba", 0}, {"*next_time", 0}, {"*ending", 0}, {"*end", 0},
    {"<f_Change>", 1},
}};

struct TMen_Rec {
  const char* DisplayName;
  const char* LabelPrefix;
};

inline const IndexedArray<TMen_Rec, 1, 3> HeroineNames = [] {
  IndexedArray<TMen_Rec, 1, 3> names("ヒロイン");
  names[1] = {"Mirel", "*mirel_"};
  names[2] = {"Sanu", "*sanu_"};
  names[3] = {"Orika", "*orika_"};
  return names;
}();

class ScriptText {
 public:
  explicit ScriptText(TForm1& form) : form_(form) {}

  // Reads the script from ScriptOffset to the end of the asset file into ScriptLines.
  void LoadScript();
  // Cuts text into lines: CR, LF or CR LF end a line, NUL ends the text, a break at the
  // very end adds no empty line.
  static std::vector<std::string> SplitLines(std::string_view text);

  // Tag number 1..14 of a whole line (letter case counts), 0 for any other line.
  static int TagIndex(std::string_view line);
  // Index + 1 of the first line equal to Label ignoring letter case, 0 when none is.
  int FindLabel(std::string_view label) const;
  // Kind 0: block number of event N; kind 1: event number of block N for Partner.
  int MapEventNumber(int n, int kind) const;
  // The line after the start label of Event for the current Partner.
  int EventLabelLine(int event) const;
  // The line after the label that follows a photo result 1..5.
  int GameResultLine(int result) const;
  // The labels those two look up.
  std::string EventLabel(int event) const;
  std::string GameResultLabel(int result) const;

  // The same rules for a given event and partner, without a game (the script checker
  // walks every path with them).
  static int MapEventNumberFor(int n, int kind, int partner);
  static std::string EventLabelFor(int event, int partner);
  static std::string GameResultLabelFor(int result, int event, int partner);
  // FindLabel over any list of lines.
  static int FindLabelIn(const std::vector<std::string>& lines, std::string_view label);

  // Reads script line Index as a signed 32-bit argument.
  int32_t ArgumentAt(int64_t index) const;
  // A whole decimal number: optional blanks, an optional sign, digits, nothing after.
  // Anything else raises "'%s' は整数ではありません".
  static int32_t ParseArgument(std::string_view line);

 private:
  TForm1& form_;
};

}  // namespace velmora
