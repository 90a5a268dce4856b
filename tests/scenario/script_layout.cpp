#include "scenario/script_layout.h"

namespace velmora::scenario {

namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

int Columns(std::string_view sjis) {
  int columns = 0;
  for (size_t i = 0; i < sjis.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size()) {
      columns += 2;  // the pair is one full-width character
      ++i;
    } else {
      columns += 1;
    }
  }
  return columns;
}

int TextRight(std::string_view sjis) { return kTextX + Columns(sjis) * kColumnWidth; }

std::vector<Caption> CaptionsOf(std::string_view sjis) {
  std::vector<Caption> captions;
  int column = 0;
  bool inCaption = false;
  for (size_t i = 0; i < sjis.size(); ++i) {
    const auto c = static_cast<unsigned char>(sjis[i]);
    const bool wide = IsLeadByte(c) && i + 1 < sjis.size();
    const bool blank = c == ' ' || (wide && c == 0x81 && static_cast<unsigned char>(sjis[i + 1]) == 0x40);
    const int width = wide ? 2 : 1;
    if (blank) {
      inCaption = false;
    } else {
      if (!inCaption) captions.push_back({kTextX + column * kColumnWidth, 0});
      inCaption = true;
      captions.back().Right = kTextX + (column + width) * kColumnWidth - 1;
    }
    column += width;
    if (wide) ++i;
  }
  return captions;
}

std::vector<OptionArea> ChoiceOptionAreas(int set) {
  std::vector<OptionArea> areas = {{63, 143}, {173, 253}, {283, 363}};
  if (set == 6) areas.push_back({393, 473});
  return areas;
}

std::vector<OptionArea> ChoiceLowerRowAreas(int set) {
  std::vector<OptionArea> areas;
  if (set == 6) areas = {{63, 143}, {173, 253}};
  areas.push_back({447, 479});
  return areas;
}

}  // namespace velmora::scenario
