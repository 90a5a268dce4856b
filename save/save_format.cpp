#include "save/save_format.h"

#include <cstring>
#include <limits>

#include "save/checksum.h"

namespace velmora {

namespace {

constexpr int64_t kI32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kI32Max = std::numeric_limits<int32_t>::max();

// One saved value: its name for messages (with its index, or -1), the field, and the
// range a state the town screen can rest in may hold.
template <typename Visit>
struct FieldVisitor {
  Visit& visit;
  template <typename T>
  void operator()(const char* name, T& field, int64_t min, int64_t max) {
    visit(name, -1, field, min, max);
  }
  template <typename Array>
  void Each(const char* name, Array& array, int64_t min, int64_t max) {
    for (int i = Array::kFirst; i <= Array::kLast; ++i) visit(name, i, array[i], min, max);
  }
};

// Every value of the state, in file order. The town screen is saved at rest, so the
// mode is the town's and no button is held.
template <typename State, typename Visit>
void SavedFields(State& s, Visit&& visit) {
  FieldVisitor<Visit> f{visit};
  f("DayCount", s.DayCount, 0, kI32Max);
  f("TimeSlot", s.TimeSlot, 0, 255);
  f("TownPhase", s.TownPhase, 0, 7);
  f("ChoiceSet", s.ChoiceSet, kI32Min, kI32Max);
  f("CurrentPlace", s.CurrentPlace, 1, 16);
  f("TargetPlace", s.TargetPlace, 0, 255);  // checked further below
  f("Partner", s.Partner, 0, 3);
  f("Points", s.Points, kI32Min, kI32Max);
  f.Each("HeroineWait", s.HeroineWait, 0, kI32Max);
  f.Each("HeroineGauge", s.HeroineGauge, kI32Min, kI32Max);
  f.Each("EventState", s.EventState, 0, 2);
  f.Each("PlaceOpen", s.PlaceOpen, 0, kI32Max);
  f("CurrentEvent", s.CurrentEvent, 0, 14);
  f("ScriptPos", s.ScriptPos, 0, 65535);
  f("CgShown", s.CgShown, 0, 1);
  f("ModeArg", s.ModeArg, 0, 2);
  f("CurrentCg", s.CurrentCg, 0, 8);
  f("ScreenMode", s.ScreenMode, 4, 4);
  f("PressedButton", s.PressedButton, 0, 0);
  f("PanY", s.PanY, kI32Min, kI32Max);
  f("PanX", s.PanX, kI32Min, kI32Max);
  f("GamePhase", s.GamePhase, 0, 2);
  f("GamePick", s.GamePick, 0, 5);
  f("GameRetries", s.GameRetries, 0, kI32Max);
  f.Each("GameCards", s.GameCards, 0, 5);
  f.Each("CgSeen", s.CgSeen, 0, 1);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

std::string FieldName(const char* name, int index) {
  return index < 0 ? std::string(name) : std::string(name) + "[" + std::to_string(index) + "]";
}

// The town screen rests only in the morning, on the map with nothing picked, and on the
// three screens of the night; a scene it shows must be one of its seventeen.
bool RestingTownPhase(const GameState& s, std::string& problem) {
  const int phase = s.TownPhase;
  if (phase != 0 && phase != 1 && phase != 5 && phase != 6 && phase != 7) {
    problem = "セーブファイルの町の場面 (TownPhase " + std::to_string(phase) + ") はセーブできる場面ではありません。";
    return false;
  }
  const int scene = s.TargetPlace & 0x7F;
  if (s.TargetPlace != 0 && (phase == 1 || scene < 1 || scene > 17)) {
    problem = "セーブファイルの値が範囲外です: TargetPlace = " + std::to_string(s.TargetPlace) + "。";
    return false;
  }
  return true;
}

}  // namespace

size_t SavedValueCount() {
  size_t n = 0;
  GameState s;
  SavedFields(s, [&](const char*, int, auto&, int64_t, int64_t) { ++n; });
  return n;
}

size_t SaveFileSize() { return kSaveHeaderSize + 4 * SavedValueCount() + 4; }

std::vector<uint8_t> EncodeSave(const GameState& state, uint64_t assetFingerprint) {
  std::vector<uint8_t> out(kSaveMagic, kSaveMagic + sizeof kSaveMagic);
  Put32(out, kSaveVersion);
  Put32(out, static_cast<uint32_t>(assetFingerprint));
  Put32(out, static_cast<uint32_t>(assetFingerprint >> 32));
  Put32(out, static_cast<uint32_t>(SavedValueCount()));
  SavedFields(state, [&](const char*, int, const auto& field, int64_t, int64_t) {
    Put32(out, static_cast<uint32_t>(static_cast<int32_t>(field)));
  });
  Put32(out, Crc32(out.data(), out.size()));
  return out;
}

std::optional<DecodedSave> DecodeSave(const uint8_t* bytes, size_t size, std::string& problem) {
  const size_t expected = SaveFileSize();
  if (size < sizeof kSaveMagic || std::memcmp(bytes, kSaveMagic, sizeof kSaveMagic) != 0) {
    problem = size < sizeof kSaveMagic && (size == 0 || std::memcmp(bytes, kSaveMagic, size) == 0)
                  ? "セーブファイルが途中で切れています。"
                  : "Velmora のセーブファイルではありません。";
    return std::nullopt;
  }
  if (size < kSaveHeaderSize) {
    problem = "セーブファイルが途中で切れています。";
    return std::nullopt;
  }
  const uint32_t version = Get32(bytes + 8);
  if (version != kSaveVersion) {
    problem = version > kSaveVersion
                  ? "新しい版の Velmora で作られたセーブファイルです (形式 " + std::to_string(version) +
                        ")。この版では読めません。"
                  : "セーブファイルの形式 (" + std::to_string(version) + ") が正しくありません。";
    return std::nullopt;
  }
  if (Get32(bytes + 20) != SavedValueCount()) {
    problem = "セーブファイルが壊れています (値の数が合いません)。";
    return std::nullopt;
  }
  if (size != expected) {
    problem = size < expected ? "セーブファイルが途中で切れています。"
                              : "セーブファイルが壊れています (余分なデータがあります)。";
    return std::nullopt;
  }
  if (Crc32(bytes, size - 4) != Get32(bytes + size - 4)) {
    problem = "セーブファイルが壊れています (チェックサムが合いません)。";
    return std::nullopt;
  }

  DecodedSave save;
  save.AssetFingerprint = Get32(bytes + 12) | static_cast<uint64_t>(Get32(bytes + 16)) << 32;
  const uint8_t* value = bytes + kSaveHeaderSize;
  bool good = true;
  SavedFields(save.State, [&](const char* name, int index, auto& field, int64_t min, int64_t max) {
    const int32_t v = static_cast<int32_t>(Get32(value));
    value += 4;
    if (!good) return;
    if (v < min || v > max) {
      problem = "セーブファイルの値が範囲外です: " + FieldName(name, index) + " = " + std::to_string(v) + "。";
      good = false;
      return;
    }
    field = static_cast<std::remove_reference_t<decltype(field)>>(v);
  });
  if (!good || !RestingTownPhase(save.State, problem)) return std::nullopt;
  return save;
}

std::vector<SavedValue> SavedValues(const GameState& state) {
  std::vector<SavedValue> out;
  SavedFields(state, [&](const char* name, int index, const auto& field, int64_t min, int64_t max) {
    out.push_back({FieldName(name, index), min, max, static_cast<int32_t>(field)});
  });
  return out;
}

bool SameSavedValuesExceptPoints(const GameState& a, const GameState& b) {
  GameState left = a;
  left.Points = b.Points;
  left.ScreenMode = b.ScreenMode;
  left.PressedButton = b.PressedButton;
  return EncodeSave(left, 0) == EncodeSave(b, 0);
}

}  // namespace velmora
