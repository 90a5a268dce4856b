#pragma once
// A fixed array indexed First..Last, as the game's tables and state lists are numbered.
// Every index comes from data sooner or later, so every access is checked: an index
// outside the range raises the game's error report instead of touching other memory.

#include <array>
#include <cstdint>

#include "app/game_error.h"

namespace velmora {

template <typename T, int First, int Last>
class IndexedArray {
  static_assert(Last >= First);

 public:
  static constexpr int kFirst = First;
  static constexpr int kLast = Last;

  constexpr IndexedArray() = default;
  constexpr explicit IndexedArray(const char* name) : name_(name) {}

  T& operator[](int64_t i) { return values_[Offset(i)]; }
  const T& operator[](int64_t i) const { return values_[Offset(i)]; }

  static constexpr bool Contains(int64_t i) { return i >= First && i <= Last; }
  void Fill(const T& value) { values_.fill(value); }
  auto begin() { return values_.begin(); }
  auto end() { return values_.end(); }
  auto begin() const { return values_.begin(); }
  auto end() const { return values_.end(); }
  bool operator==(const IndexedArray& other) const { return values_ == other.values_; }

 private:
  size_t Offset(int64_t i) const {
    if (!Contains(i)) ThrowRangeError(name_, i);
    return static_cast<size_t>(i - First);
  }

  std::array<T, Last - First + 1> values_{};
  const char* name_ = "表";
};

}  // namespace velmora
