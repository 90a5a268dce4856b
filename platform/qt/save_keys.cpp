#include "platform/qt/save_keys.h"

#include <cstdio>

#include "platform/qt/game_window.h"

namespace velmora {

SaveKeys::SaveKeys(GameWindow& window, std::string root, FileOps& ops)
    : window_(window), keeper_(window.Form(), std::move(root), ops) {
  writer_.setMaxThreadCount(1);
  // F5 and F9 come after an autosave under way, so F9 on a new morning loads that morning.
  window_.OnQuickSave = [this] {
    writer_.waitForDone();
    Tell(keeper_.QuickSave());
  };
  // The window runs this as an entry of its own: one at a time, shown when it is done.
  window_.OnQuickLoad = [this] {
    writer_.waitForDone();
    Tell(keeper_.QuickLoad());
  };
  keeper_.WriteAutosave = [this](std::function<SaveKeeper::Outcome()> write) {
    writer_.start([this, write = std::move(write)] {
      // A morning's autosave is quiet when it works; a failure is said once a run (it
      // would fail again every morning), in the overlay and the log.
      const SaveKeeper::Outcome outcome = write();
      if (outcome.Ok || autosaveFailureTold_.exchange(true)) return;
      std::fprintf(stderr, "velmora: %s\n", outcome.Message.c_str());
      const QString message = QString::fromStdString(outcome.Message);
      QMetaObject::invokeMethod(&context_, [this, message] { window_.Overlay().Show(message); }, Qt::QueuedConnection);
    });
  };
  window_.AfterEntry = [this] { keeper_.AfterEntry(); };
}

SaveKeys::~SaveKeys() {
  writer_.waitForDone();  // nothing handed to the disk is lost at the end
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
