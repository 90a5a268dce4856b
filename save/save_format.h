#pragma once
// The save file: the town screen's whole state in a small versioned file.
//
//   offset  size  content (all numbers little-endian)
//        0     8  "VLMRSAVE"
//        8     4  format version (1)
//       12     8  fingerprint of the asset file the save was made with
//       20     4  number of values N (70 in version 1)
//       24    4N  the values, each a signed 32-bit integer, in the order of SavedFields
//   24 + 4N    4  CRC-32 of every byte before it
//
// Every value is stored 32 bits wide whatever its width in the game, so a value too
// wide for its field is seen and refused rather than cut. Reading checks the whole file
// (length, version, sum, and the range of every value) into a state of its own; only a
// file proven good ever reaches the running game.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/game_state.h"

namespace velmora {

inline constexpr char kSaveMagic[8] = {'V', 'L', 'M', 'R', 'S', 'A', 'V', 'E'};
inline constexpr uint32_t kSaveVersion = 1;
inline constexpr size_t kSaveHeaderSize = 24;

// The number of values a version-1 file holds.
size_t SavedValueCount();
// The size of a version-1 file.
size_t SaveFileSize();

std::vector<uint8_t> EncodeSave(const GameState& state, uint64_t assetFingerprint);

struct DecodedSave {
  uint64_t AssetFingerprint = 0;
  GameState State;
};
// The save in Bytes, or nothing with Problem set to a sentence for the player.
std::optional<DecodedSave> DecodeSave(const uint8_t* bytes, size_t size, std::string& problem);
inline std::optional<DecodedSave> DecodeSave(const std::vector<uint8_t>& bytes, std::string& problem) {
  return DecodeSave(bytes.data(), bytes.size(), problem);
}

// Each saved value of State in file order, with its name and the range a save may hold.
struct SavedValue {
  std::string Name;  // "EventState[3]"
  int64_t Min;
  int64_t Max;
  int32_t Value;
};
std::vector<SavedValue> SavedValues(const GameState& state);

// Whether two states agree in every saved value but Points (the one value the town
// screen's settle step changes).
bool SameSavedValuesExceptPoints(const GameState& a, const GameState& b);

}  // namespace velmora
