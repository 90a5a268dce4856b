#pragma once
// The save slots of the slot screen: sixty numbered slots in the asset file's save folder,
// beside the quick save and the autosave. A slot is one file, slot-NN.vsl:
//
//   offset  size  content (numbers little-endian)
//        0     8  "VLMRSLOT"
//        8     4  slot file version (1)
//       12     8  the real time of saving, milliseconds since 1970-01-01 UTC
//       20     4  length S of the save
//       24     4  length T of the thumbnail
//       28     4  CRC-32 of bytes 0..27
//       32     S  the save: a save file exactly as quick.sav holds it (save_format.h)
//     32+S     T  the thumbnail: a 160x120 PNG of the screen at the moment of saving
//
// The thumbnail lives inside the slot file, not beside it, so a slot is written, replaced
// and removed in one step (one rename, one unlink): no crash can leave the picture of one
// save beside another save, or a picture without its save. Each part keeps its own check
// (the header its CRC, the save its own, the PNG its chunks'), and the picture comes last,
// so a damaged or cut-off picture leaves the save loadable. This file is plain C++: the
// PNG's bytes are made and read by the shell.

#include <cstdint>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "save/file_ops.h"

namespace velmora {

inline constexpr int kSlotCount = 60;
inline constexpr int kThumbnailWidth = 160;
inline constexpr int kThumbnailHeight = 120;
inline constexpr char kSlotMagic[8] = {'V', 'L', 'M', 'R', 'S', 'L', 'O', 'T'};
inline constexpr uint32_t kSlotVersion = 1;
inline constexpr size_t kSlotHeaderSize = 32;

// One save the slot screen shows: the autosave, the quick save or slot 1..kSlotCount.
struct SlotId {
  enum class Kind { Auto, Quick, Numbered };
  Kind Of = Kind::Numbered;
  int Number = 0;  // 1..kSlotCount for a numbered slot
  bool operator==(const SlotId&) const = default;
};

// What the status panel shows of a saved state, in UTF-8 and with the game's own words.
struct SlotLabels {
  std::string Date;     // "3日目"
  std::string Weekday;  // "水"
  std::string Clock;    // "12 : 10"
  std::string Partner;  // the partner's name as the panel writes it; empty with none
};
SlotLabels LabelsOf(const GameState& state);

struct SlotEntry {
  enum class Status { Empty, Ready, Damaged, Foreign };
  SlotId Id;
  Status State = Status::Empty;
  std::string Problem;             // why a damaged or foreign save cannot be loaded
  SlotLabels Labels;               // of a ready or foreign save
  int64_t SavedAtMs = 0;           // the real time of saving (quick, auto: the file's time)
  std::vector<uint8_t> Save;       // the save file's bytes, for loading (ready)
  std::vector<uint8_t> Thumbnail;  // PNG bytes; may be missing or damaged
  bool Filled() const { return State != Status::Empty; }
};

// The slot file of a save file's bytes, a PNG and the time of saving.
std::vector<uint8_t> EncodeSlot(const std::vector<uint8_t>& save, const std::vector<uint8_t>& png,
                                int64_t savedAtMs);

// The real time now, in milliseconds since 1970-01-01 UTC.
int64_t NowMs();

class SlotStore {
 public:
  // Folder is the asset file's save folder; Fingerprint the asset file's, which a save
  // must carry to be loadable.
  SlotStore(std::string folder, uint64_t fingerprint, FileOps& ops = RealFileOps());

  std::string PathOf(SlotId id) const;
  // What is in a slot now; a file that cannot be read or checked is Damaged, with a
  // sentence for the player, never an error.
  SlotEntry Read(SlotId id) const;

  // Writes numbered slot Number the safe way saves are written. A file there already is
  // replaced only with Replace (the player has said yes); otherwise nothing is written.
  bool Write(int number, const std::vector<uint8_t>& save, const std::vector<uint8_t>& png, int64_t savedAtMs,
             bool replace, std::string& problem);
  // Removes numbered slot Number's file (the player has said yes).
  bool Remove(int number, std::string& problem);

 private:
  std::string folder_;
  uint64_t fingerprint_;
  FileOps& ops_;
};

}  // namespace velmora
