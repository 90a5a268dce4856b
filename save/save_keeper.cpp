#include "save/save_keeper.h"

#include "app/form.h"
#include "save/checksum.h"
#include "save/rest_guard.h"
#include "save/save_format.h"

namespace velmora {

SaveKeeper::SaveKeeper(TForm1& form, std::string root, FileOps& ops)
    : form_(form), root_(std::move(root)), ops_(ops) {}

std::optional<SaveKeeper::Outcome> SaveKeeper::AfterEntry() {
  const GameState& s = form_.State;
  const bool changing = form_.G_Timer.Enabled();
  if (!store_ && !changing && form_.AssetStream) {
    // The asset file's fingerprint takes some milliseconds: taken at the first still
    // moment (the title), so no save or load later waits for it.
    std::string ignored;
    OpenStore(ignored);
  }
  if (s.ScreenMode == 4 && changing && form_.G_Timer.Tag != 0) {
    // The town screen is built and shown; its settle step runs on the next tick.
    entered_ = s;
    enteredValid_ = true;
    settled_ = false;
    return std::nullopt;
  }
  if (changing || s.ScreenMode != 4) {
    enteredValid_ = false;
    return std::nullopt;
  }
  if (!enteredValid_ || settled_) return std::nullopt;
  settled_ = true;
  if (s.TownPhase != 0 || s.DayCount == lastMorning_ || !TownAtRest(form_)) return std::nullopt;
  lastMorning_ = s.DayCount;
  std::function<Outcome()> write = Writing(SaveSlot::Auto, "");
  if (!WriteAutosave) return write();
  WriteAutosave(std::move(write));
  return std::nullopt;
}

std::optional<GameState> SaveKeeper::StateToSave() const {
  if (!TownAtRest(form_) || !enteredValid_ || !settled_) return std::nullopt;
  // Only the settle step's own change may lie between the entered and the present state.
  if (!SameSavedValuesExceptPoints(entered_, form_.State)) return std::nullopt;
  return entered_;
}

SaveKeeper::Outcome SaveKeeper::QuickSave() { return Write(SaveSlot::Quick, kSavedMessage); }

SaveKeeper::Outcome SaveKeeper::Write(SaveSlot slot, const char* success) { return Writing(slot, success)(); }

std::function<SaveKeeper::Outcome()> SaveKeeper::Writing(SaveSlot slot, const char* success) {
  const std::optional<GameState> state = StateToSave();
  if (!state) return [] { return Outcome{false, kSaveOnlyOnMapMessage}; };
  std::string problem;
  if (!OpenStore(problem)) return [problem] { return Outcome{false, problem}; };
  // The store lives as long as this keeper and keeps no state of its own between writes.
  return [store = store_.get(), slot, bytes = EncodeSave(*state, fingerprint_), success] {
    std::string problem;
    if (!store->Write(slot, bytes, problem)) return Outcome{false, problem};
    return Outcome{true, success};
  };
}

SaveKeeper::Outcome SaveKeeper::QuickLoad() {
  if (!GameIdle(form_)) return {false, kLoadBusyMessage};
  std::string problem;
  if (!OpenStore(problem)) return {false, problem};
  std::vector<uint8_t> bytes;
  const char* success = kLoadedMessage;
  SaveStore::ReadResult read = store_->Read(SaveSlot::Quick, bytes, problem);
  if (read == SaveStore::ReadResult::Missing) {
    read = store_->Read(SaveSlot::Auto, bytes, problem);
    success = kLoadedAutosaveMessage;
  }
  if (read == SaveStore::ReadResult::Missing) return {false, kNoSaveMessage};
  if (read == SaveStore::ReadResult::Failed) return {false, problem};
  return Load(bytes, success);
}

SaveKeeper::Outcome SaveKeeper::Load(const std::vector<uint8_t>& bytes, const char* success) {
  if (!GameIdle(form_)) return {false, kLoadBusyMessage};
  std::string problem;
  if (!OpenStore(problem)) return {false, problem};
  std::optional<DecodedSave> save = DecodeSave(bytes, problem);
  if (!save) return {false, problem};
  if (save->AssetFingerprint != fingerprint_) return {false, kOtherAssetMessage};

  // The album remembers every picture seen in this run, as it does across new games.
  using Album = decltype(GameState::CgSeen);
  for (int i = Album::kFirst; i <= Album::kLast; ++i)
    if (form_.State.CgSeen[i] != 0) save->State.CgSeen[i] = form_.State.CgSeen[i];
  form_.State = save->State;
  enteredValid_ = false;
  lastMorning_ = form_.State.DayCount;
  form_.Modes.StartGame(2);
  return {true, success};
}

std::string SaveKeeper::Folder() {
  std::string ignored;
  return OpenStore(ignored) ? store_->Folder() : std::string();
}

bool SaveKeeper::OpenStore(std::string& problem) {
  if (store_) return true;
  if (!form_.AssetStream) {
    problem = "ゲームデータが開かれていないので、セーブもロードもできません。";
    return false;
  }
  fingerprint_ = FingerprintOf(*form_.AssetStream);
  store_ = std::make_unique<SaveStore>(SaveFolderFor(root_, fingerprint_), ops_);
  return true;
}

}  // namespace velmora
