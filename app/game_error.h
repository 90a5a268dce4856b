#pragma once
// The one error type of the game. Whatever goes wrong inside a handler (a bad picture,
// a script argument that is not a number, an index outside its table) leaves the handler
// as a GameError; the host shows its text in a message box and the game goes on.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora {

class GameError : public std::runtime_error {
 public:
  explicit GameError(const std::string& utf8Message) : std::runtime_error(utf8Message) {}
};

// "リストのインデックスが範囲を超えています (%d)": a read past the last script line.
[[noreturn]] void ThrowListIndexError(int64_t index);

// "<what>の番号が範囲外です (%d)": a number from the data that names no entry of a table.
[[noreturn]] void ThrowRangeError(std::string_view what, int64_t value);

}  // namespace velmora
