#pragma once
// The saves of one running game: the quick save (F5) and quick load (F9) and the morning
// autosave. The host calls AfterEntry after every entry into the game (a tick, a pointer
// event, a menu pick) and runs QuickLoad as an entry of its own.
//
// What is saved is the town screen's state as it stood when the screen was last entered,
// just before its settle step: the settle step adds the morning's bonus or takes the
// night's walk home, and loading goes through the game's own continue path, which enters
// and settles the town screen again. Saving the settled state would pay those twice.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "save/file_ops.h"
#include "save/save_store.h"

namespace velmora {

class TForm1;

inline constexpr const char* kSavedMessage = "セーブしました";
inline constexpr const char* kLoadedMessage = "ロードしました";
inline constexpr const char* kLoadedAutosaveMessage = "ロードしました (朝のオートセーブ)";
inline constexpr const char* kSaveOnlyOnMapMessage = "セーブは町の画面 (地図や朝・夜の画面) でできます。";
inline constexpr const char* kLoadBusyMessage = "画面が動いている間はロードできません。";
inline constexpr const char* kNoSaveMessage = "セーブデータがありません。";
inline constexpr const char* kOtherAssetMessage =
    "別のゲームデータ (qelvart.red) で作られたセーブなので読み込めません。";

class SaveKeeper {
 public:
  struct Outcome {
    bool Ok = false;
    std::string Message;  // a sentence for the player, success or not
  };

  // Root holds one save folder per asset file (DefaultSaveRoot() in the program).
  SaveKeeper(TForm1& form, std::string root, FileOps& ops = RealFileOps());

  // After every entry: notes the town screen's state as it is entered, and writes the
  // autosave when the screen settles on the morning of a new day. Returns the outcome of
  // an autosave made now.
  std::optional<Outcome> AfterEntry();
  Outcome QuickSave();
  // Restores the quick save (the autosave when there is none) and continues on the town
  // screen; a save that cannot be read leaves the game exactly as it was.
  Outcome QuickLoad();
  // Continues from the save file in Bytes as QuickLoad does, saying Success when it works.
  Outcome Load(const std::vector<uint8_t>& bytes, const char* success);

  // The folder this asset file's saves are kept in (empty until the asset file is known).
  std::string Folder();
  // The asset file's fingerprint that saves carry (0 until the asset file is known).
  uint64_t Fingerprint() { return Folder().empty() ? 0 : fingerprint_; }
  // The state a save made now would hold, if one may be made.
  std::optional<GameState> StateToSave() const;

  // Runs the morning autosave's disk work (writing and flushing a state taken and encoded
  // at once). Unset, it runs at once and AfterEntry returns its outcome; the shell hands
  // it to a thread of its own and AfterEntry returns nothing.
  std::function<void(std::function<Outcome()> write)> WriteAutosave;

 private:
  bool OpenStore(std::string& problem);
  Outcome Write(SaveSlot slot, const char* success);
  // The state to save taken now, and the disk work that writes it.
  std::function<Outcome()> Writing(SaveSlot slot, const char* success);

  TForm1& form_;
  std::string root_;
  FileOps& ops_;
  std::unique_ptr<SaveStore> store_;
  uint64_t fingerprint_ = 0;

  GameState entered_;         // the town screen's state before its settle step
  bool enteredValid_ = false;
  bool settled_ = false;      // that screen has settled since
  int64_t lastMorning_ = -1;  // the day whose morning was last autosaved or loaded
};

}  // namespace velmora
