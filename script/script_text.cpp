#include "script/script_text.h"

#include <limits>

#include "app/form.h"
#include "gfx/asset_table.h"
#include "gfx/sjis.h"

namespace velmora {

namespace {

// Lead bytes of a Shift-JIS double-byte character: its trail byte may look like an ASCII
// letter, and must never be case-folded.
bool IsSjisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

unsigned char AsciiLower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

// Whole-line comparison that ignores the case of ASCII letters only; double-byte
// characters are compared byte for byte, so "*ア" (83 41) never matches "*チ" (83 61).
bool SameLabel(std::string_view line, std::string_view label) {
  if (line.size() != label.size()) return false;
  for (size_t i = 0; i < line.size(); ++i) {
    const auto a = static_cast<unsigned char>(line[i]);
    const auto b = static_cast<unsigned char>(label[i]);
    if (IsSjisLeadByte(a)) {
      if (a != b) return false;
      if (i + 1 < line.size() && line[i + 1] != label[i + 1]) return false;
      ++i;
      continue;
    }
    if (AsciiLower(a) != AsciiLower(b)) return false;
  }
  return true;
}

// ScriptPos is a 16-bit word: a line after 65535 cannot be played. Rather than let the
// position wrap round to the top of the script, such a jump is refused with the list's
// own range error.
int AddressableLine(int line) {
  if (line > std::numeric_limits<uint16_t>::max()) ThrowListIndexError(line);
  return line;
}

[[noreturn]] void ThrowNotAnInteger(std::string_view line) {
  throw GameError("'" + DecodeCp932(line) + "' は整数ではありません");
}

}  // namespace

void ScriptText::LoadScript() {
  form_.ScriptLines.Clear();
  if (!form_.AssetStream) return;  // no asset file, nothing to read
  FileStream& stream = *form_.AssetStream;
  stream.Seek(0);
  stream.Seek(ScriptOffset);
  const std::vector<uint8_t> bytes = stream.ReadToEnd();
  // Lines past 65535 are kept, but no ScriptPos can reach them (see AddressableLine).
  form_.ScriptLines.Assign(SplitLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
}

std::vector<std::string> ScriptText::SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t p = 0;
  const size_t end = text.size();
  // CR and LF never occur inside a Shift-JIS character (trail bytes are 0x40 and up),
  // so the bytes can be scanned one by one.
  while (p < end && text[p] != '\0') {
    const size_t start = p;
    while (p < end && text[p] != '\0' && text[p] != '\r' && text[p] != '\n') ++p;
    lines.emplace_back(text.substr(start, p - start));
    if (p < end && text[p] == '\r') ++p;
    if (p < end && text[p] == '\n') ++p;
  }
  return lines;
}

int ScriptText::TagIndex(std::string_view line) {
  for (size_t i = 0; i < ScriptTags.size(); ++i)
    if (line == ScriptTags[i].Line) return static_cast<int>(i) + 1;
  return 0;
}

int ScriptText::FindLabel(std::string_view label) const { return FindLabelIn(form_.ScriptLines.Lines(), label); }

int ScriptText::FindLabelIn(const std::vector<std::string>& lines, std::string_view label) {
  for (size_t i = 0; i < lines.size(); ++i)
    if (SameLabel(lines[i], label)) return static_cast<int>(i) + 1;
  return 0;
}

int ScriptText::MapEventNumber(int n, int kind) const { return MapEventNumberFor(n, kind, form_.State.Partner); }

int ScriptText::MapEventNumberFor(int n, int kind, int partner) {
  if (kind == 0) {
    if (n <= 8) return n;
    if (n <= 10) return 1;
    return n - 10;
  }
  if (kind == 1) {
    switch (partner) {
      case 0:
        return n + 10;
      case 1:
        return n;
      case 2:
        return n + 8;
      case 3:
        return n + 9;
      default:
        ThrowRangeError("ヒロイン", partner);
    }
  }
  return n;
}

std::string ScriptText::EventLabel(int event) const { return EventLabelFor(event, form_.State.Partner); }

std::string ScriptText::EventLabelFor(int event, int partner) {
  if (event == 0) return "*OP";
  const int block = MapEventNumberFor(event, 0, partner);
  if (partner != 0) return std::string(HeroineNames[partner].LabelPrefix) + std::to_string(block);
  if (block >= 1 && block <= 3) return "*pan_1";
  if (block == 4) return "*mir_b_end";
  return "";  // finds the first empty line of the script, if any
}

int ScriptText::EventLabelLine(int event) const { return AddressableLine(FindLabel(EventLabel(event))); }

std::string ScriptText::GameResultLabel(int result) const {
  return GameResultLabelFor(result, form_.State.CurrentEvent, form_.State.Partner);
}

std::string ScriptText::GameResultLabelFor(int result, int event, int partner) {
  if (result < 1 || result > 5) ThrowRangeError("写真の結果", result);
  const int block = MapEventNumberFor(event, 0, partner);
  const std::string r = std::to_string(result);
  if (partner != 0) {
    const std::string prefix = HeroineNames[partner].LabelPrefix;
    return result == 1 ? prefix + std::to_string(block) + "_1" : "*pan_10_" + r;
  }
  if (result == 1) return "*pan_" + std::to_string(block) + "_1";
  if (block == 9) return "*pan_9_" + r;
  if (block == 10 || block == 11) return "*pan_10_" + r;
  return "*pan_" + r;
}

int ScriptText::GameResultLine(int result) const { return AddressableLine(FindLabel(GameResultLabel(result))); }

int32_t ScriptText::ArgumentAt(int64_t index) const { return ParseArgument(form_.ScriptLines[index]); }

int32_t ScriptText::ParseArgument(std::string_view line) {
  size_t p = 0;
  while (p < line.size() && line[p] == ' ') ++p;
  bool negative = false;
  if (p < line.size() && (line[p] == '+' || line[p] == '-')) {
    negative = line[p] == '-';
    ++p;
  }
  if (p == line.size()) ThrowNotAnInteger(line);
  // The magnitude may reach 2147483648 (for the negative end); anything beyond is no
  // 32-bit number however many digits follow.
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  int64_t value = 0;
  for (; p < line.size(); ++p) {
    const char c = line[p];
    if (c < '0' || c > '9') ThrowNotAnInteger(line);
    value = value * 10 + (c - '0');
    if (value > kMax + 1) ThrowNotAnInteger(line);
  }
  if (negative) value = -value;
  if (value < kMin || value > kMax) ThrowNotAnInteger(line);
  return static_cast<int32_t>(value);
}

}  // namespace velmora
