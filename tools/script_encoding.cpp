#include "tools/script_encoding.h"

#include <algorithm>

#include "app/game_error.h"
#include "gfx/sjis.h"

namespace velmora {

namespace {

// Length of the UTF-8 sequence starting at Text[At], 0 when the bytes there are no UTF-8.
size_t SequenceLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  else return 0;
  if (at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  return length;
}

// The problems of one line (without its break), numbered Line.
void CheckLine(std::string_view line, const std::string& name, int number, std::string& problems) {
  const std::string where = name + " line " + std::to_string(number) + ", column ";
  // Most lines encode whole; only a line that gains a '?' is looked at character by character.
  bool utf8 = true;
  for (size_t at = 0; at < line.size();) {
    const size_t length = SequenceLength(line, at);
    if (length == 0) {
      utf8 = false;
      break;
    }
    at += length;
  }
  const auto questionMarks = [](std::string_view s) { return std::count(s.begin(), s.end(), '?'); };
  if (utf8 && questionMarks(EncodeCp932(line)) == questionMarks(line)) return;
  int column = 1;
  for (size_t at = 0; at < line.size(); ++column) {
    const size_t length = SequenceLength(line, at);
    if (length == 0) {
      problems += where + std::to_string(column) + ": these bytes are not UTF-8 text; save the script as UTF-8\n";
      return;
    }
    const std::string_view character = line.substr(at, length);
    // The encoder writes '?' for each byte of a character it cannot convert.
    if (character != "?" && EncodeCp932(character).find('?') != std::string::npos)
      problems += where + std::to_string(column) + ": '" + std::string(character) +
                  "' cannot be written in the game's Japanese text encoding (code page 932)\n";
    at += length;
  }
}

}  // namespace

std::string EncodeScriptText(std::string_view utf8, const std::string& name) {
  if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  std::string problems;
  int number = 1;
  for (size_t start = 0; start <= utf8.size();) {
    size_t end = start;
    while (end < utf8.size() && utf8[end] != '\r' && utf8[end] != '\n') ++end;
    CheckLine(utf8.substr(start, end - start), name, number++, problems);
    if (end >= utf8.size()) break;
    if (utf8[end] == '\r' && end + 1 < utf8.size() && utf8[end + 1] == '\n') ++end;
    start = end + 1;
  }
  if (!problems.empty()) throw GameError(problems);
  return EncodeCp932(utf8);
}

}  // namespace velmora
