#include "platform/qt/save_keys.h"

#include <cstdio>

#include "platform/qt/game_window.h"

namespace velmora {

SaveKeys::SaveKeys(GameWindow& window, std::string root) : window_(window), keeper_(window.Form(), std::move(root)) {
  window_.OnQuickSave = [this] { Tell(keeper_.QuickSave()); };
  // The window runs this as an entry of its own: one at a time, shown when it is done.
  window_.OnQuickLoad = [this] { Tell(keeper_.QuickLoad()); };
  window_.AfterEntry = [this] {
    // A morning's autosave is quiet when it works; a failure is said like any other.
    if (auto autosave = keeper_.AfterEntry(); autosave && !autosave->Ok) Tell(*autosave);
  };
}

SaveKeys::~SaveKeys() {
  window_.OnQuickSave = nullptr;
  window_.OnQuickLoad = nullptr;
  window_.AfterEntry = nullptr;
}

void SaveKeys::Tell(const SaveKeeper::Outcome& outcome) {
  window_.Overlay().Show(QString::fromStdString(outcome.Message));
  // A failure of the files also goes to the log, where a report of it can be copied from.
  const bool notNow = outcome.Message == kSaveOnlyOnMapMessage || outcome.Message == kLoadBusyMessage ||
                      outcome.Message == kNoSaveMessage;
  if (!outcome.Ok && !notNow) std::fprintf(stderr, "velmora: %s\n", outcome.Message.c_str());
}

}  // namespace velmora
