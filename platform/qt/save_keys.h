#pragma once
// Saving in the desktop shell: F5 writes the quick save, F9 loads it (or the morning's
// autosave when there is none), and the autosave is written when the town screen settles
// on a new morning. What happened is said in the shell's overlay, never in the game's
// pictures. The saves are kept by a SaveKeeper under $XDG_DATA_HOME/velmora/saves.
// The autosave's writing and flushing run on a thread of their own, so the morning shows
// without waiting for the disk; a failing autosave is told once a run, and play goes on.

#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <string>

#include "save/save_keeper.h"

namespace velmora {

class GameWindow;

class SaveKeys {
 public:
  // Takes over the window's F5, F9 and after-entry hooks; the window's game must have
  // been started.
  explicit SaveKeys(GameWindow& window, std::string root = DefaultSaveRoot(), FileOps& ops = RealFileOps());
  // Waits for an autosave being written.
  ~SaveKeys();
  SaveKeys(const SaveKeys&) = delete;
  SaveKeys& operator=(const SaveKeys&) = delete;

  SaveKeeper& Keeper() { return keeper_; }

 private:
  void Tell(const SaveKeeper::Outcome& outcome);

  GameWindow& window_;
  SaveKeeper keeper_;
  QThreadPool writer_;             // the autosave's disk work, one write at a time
  QObject context_;                // reports still queued for the window die with it
  std::atomic<bool> autosaveFailureTold_ = false;
};

}  // namespace velmora
