#pragma once
// An ordered list of byte strings (the script's lines, Shift-JIS). Reading past the end
// raises the list's range error instead of touching other memory.

#include <cstdint>
#include <string>
#include <vector>

#include "app/game_error.h"

namespace velmora {

class StringList {
 public:
  StringList() = default;
  explicit StringList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  int64_t Count() const { return static_cast<int64_t>(lines_.size()); }
  const std::string& operator[](int64_t index) const {
    if (index < 0 || index >= Count()) ThrowListIndexError(index);
    return lines_[static_cast<size_t>(index)];
  }
  void Clear() { lines_.clear(); }
  void Assign(std::vector<std::string> lines) { lines_ = std::move(lines); }
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

}  // namespace velmora
