#include "app/game_error.h"

namespace velmora {

void ThrowListIndexError(int64_t index) {
  throw GameError("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
}

void ThrowRangeError(std::string_view what, int64_t value) {
  throw GameError(std::string(what) + "の番号が範囲外です (" + std::to_string(value) + ")");
}

}  // namespace velmora
