#include "save/slot_store.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "gfx/sjis.h"
#include "save/checksum.h"
#include "save/save_format.h"
#include "save/save_keeper.h"
#include "save/save_store.h"
#include "town/calendar.h"
#include "town/status_panel.h"

namespace velmora {

namespace {

// A slot is a save and a small picture; anything much larger is not one of ours.
constexpr size_t kSlotReadLimit = 4 << 20;

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

const char* kDamagedSlot = "このスロットのファイルは壊れているので読み込めません。";

}  // namespace

SlotLabels LabelsOf(const GameState& state) {
  SlotLabels labels;
  labels.Date = std::to_string(state.DayCount) + "日目";
  labels.Weekday = DecodeCp932(Calendar::WeekdayText(state.DayCount));
  labels.Clock = Calendar::ClockText(state.TimeSlot);
  if (state.Partner != 0) labels.Partner = DecodeCp932(StatusPanel::PartnerLabelIn(state, state.Partner));
  return labels;
}

std::vector<uint8_t> EncodeSlot(const std::vector<uint8_t>& save, const std::vector<uint8_t>& png,
                                int64_t savedAtMs) {
  std::vector<uint8_t> out(kSlotMagic, kSlotMagic + 8);
  out.reserve(kSlotHeaderSize + save.size() + png.size());
  Put32(out, kSlotVersion);
  Put32(out, static_cast<uint32_t>(static_cast<uint64_t>(savedAtMs)));
  Put32(out, static_cast<uint32_t>(static_cast<uint64_t>(savedAtMs) >> 32));
  Put32(out, static_cast<uint32_t>(save.size()));
  Put32(out, static_cast<uint32_t>(png.size()));
  Put32(out, Crc32(out.data(), out.size()));
  out.insert(out.end(), save.begin(), save.end());
  out.insert(out.end(), png.begin(), png.end());
  return out;
}

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

SlotStore::SlotStore(std::string folder, uint64_t fingerprint, FileOps& ops)
    : folder_(std::move(folder)), fingerprint_(fingerprint), ops_(ops) {}

std::string SlotStore::PathOf(SlotId id) const {
  switch (id.Of) {
    case SlotId::Kind::Auto: return SaveStore(folder_).PathOf(SaveSlot::Auto);
    case SlotId::Kind::Quick: return SaveStore(folder_).PathOf(SaveSlot::Quick);
    case SlotId::Kind::Numbered: break;
  }
  char name[24];
  std::snprintf(name, sizeof name, "/slot-%02d.vsl", id.Number);
  return folder_ + name;
}

SlotEntry SlotStore::Read(SlotId id) const {
  SlotEntry entry;
  entry.Id = id;
  std::string raw;
  const int error = ops_.ReadAll(PathOf(id), raw, kSlotReadLimit);
  if (error == ENOENT || error == ENOTDIR) return entry;
  auto damaged = [&](std::string problem) {
    entry.State = SlotEntry::Status::Damaged;
    entry.Problem = std::move(problem);
    entry.Save.clear();
    entry.Thumbnail.clear();
    return entry;
  };
  if (error) return damaged("セーブファイルを読めませんでした: " + FileProblem(error) + " (" + PathOf(id) + ")。");
  const auto* bytes = reinterpret_cast<const uint8_t*>(raw.data());

  if (id.Of == SlotId::Kind::Numbered) {
    if (raw.size() < kSlotHeaderSize || std::memcmp(bytes, kSlotMagic, 8) != 0 ||
        Get32(bytes + 28) != Crc32(bytes, 28))
      return damaged(kDamagedSlot);
    if (Get32(bytes + 8) != kSlotVersion)
      return damaged("このスロットは新しい版の Velmora で作られたので読み込めません。");
    entry.SavedAtMs = static_cast<int64_t>(static_cast<uint64_t>(Get32(bytes + 12)) |
                                           static_cast<uint64_t>(Get32(bytes + 16)) << 32);
    const size_t saveSize = Get32(bytes + 20);
    const size_t pngSize = Get32(bytes + 24);
    if (saveSize > raw.size() - kSlotHeaderSize) return damaged(kDamagedSlot);
    entry.Save.assign(bytes + kSlotHeaderSize, bytes + kSlotHeaderSize + saveSize);
    // A picture cut short is kept as it is: the shell shows an empty frame for it.
    const size_t pngAt = kSlotHeaderSize + saveSize;
    entry.Thumbnail.assign(bytes + pngAt, bytes + pngAt + std::min(pngSize, raw.size() - pngAt));
  } else {
    entry.Save.assign(bytes, bytes + raw.size());
    struct stat st {};
    if (::stat(PathOf(id).c_str(), &st) == 0)
      entry.SavedAtMs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
  }

  std::string problem;
  const std::optional<DecodedSave> save = DecodeSave(entry.Save, problem);
  if (!save) return damaged(problem);
  entry.Labels = LabelsOf(save->State);
  if (save->AssetFingerprint != fingerprint_) {
    entry.State = SlotEntry::Status::Foreign;
    entry.Problem = kOtherAssetMessage;
    entry.Save.clear();
    return entry;
  }
  entry.State = SlotEntry::Status::Ready;
  return entry;
}

bool SlotStore::Write(int number, const std::vector<uint8_t>& save, const std::vector<uint8_t>& png,
                      int64_t savedAtMs, bool replace, std::string& problem) {
  const std::string path = PathOf({SlotId::Kind::Numbered, number});
  if (!replace) {
    std::string present;
    if (ops_.ReadAll(path, present, 0) != ENOENT) {
      problem = "このスロットにはもうセーブがあります。上書きするかどうかを先に選んでください。";
      return false;
    }
  }
  return WriteFileSafely(ops_, folder_, path, EncodeSlot(save, png, savedAtMs), problem);
}

bool SlotStore::Remove(int number, std::string& problem) {
  const std::string path = PathOf({SlotId::Kind::Numbered, number});
  ops_.Remove(path);
  std::string left;
  if (const int error = ops_.ReadAll(path, left, 0); error != ENOENT) {
    problem = "セーブを消せませんでした: " + (error ? FileProblem(error) : std::string("ファイルが残っています")) + " (" +
              path + ")。";
    return false;
  }
  ops_.FlushFolder(folder_);
  return true;
}

}  // namespace velmora
