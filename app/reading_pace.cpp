#include "app/reading_pace.h"

#include <algorithm>
#include <cmath>

#include "app/page_feed.h"

namespace velmora {

int UnitCharacters(const ReadUnit& unit) {
  int count = 0;
  for (const auto* part : {&unit.Lines, &unit.Options})
    for (const std::string& line : *part)
      for (const char c : line) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

uint32_t AutoReadDelayMs(const ReadUnit* unit, double pageSeconds) {
  const int characters = unit != nullptr ? UnitCharacters(*unit) : 0;
  return static_cast<uint32_t>(std::lround((characters + 25) * CheckedPageSeconds(pageSeconds) * 1000.0 / 250.0));
}

double CheckedPageSeconds(double pageSeconds) {
  if (!(pageSeconds >= kFastestPageSeconds && pageSeconds <= kSlowestPageSeconds)) return kDefaultPageSeconds;
  return pageSeconds;
}

double SlowerPageSeconds(double pageSeconds) {
  return std::min(kSlowestPageSeconds, CheckedPageSeconds(pageSeconds) + kPageSecondsStep);
}

double FasterPageSeconds(double pageSeconds) {
  return std::max(kFastestPageSeconds, CheckedPageSeconds(pageSeconds) - kPageSecondsStep);
}

}  // namespace velmora
