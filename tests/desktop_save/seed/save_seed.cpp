// Writes the morning autosave a player would have after a few days, for the asset file of
// a game folder, so the desktop save test can load it with F9 and come straight to the
// town map: day 3 at 12:10 in the park, with Mirel's gauge, her house open.
//
//   desktop_save_seed GAME_DIR SAVE_ROOT
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/game_error.h"
#include "gfx/file_stream.h"
#include "save/checksum.h"
#include "save/save_format.h"
#include "save/save_store.h"
#include "script/events.h"

int main(int argc, char** argv) {
  using namespace velmora;
  if (argc != 3) {
    std::fprintf(stderr, "usage: desktop_save_seed GAME_DIR SAVE_ROOT\n");
    return 2;
  }
  try {
    auto asset = FileStream::OpenFile(std::string(argv[1]) + "/data/qelvart.red");
    const uint64_t fingerprint = FingerprintOf(*asset);
    GameState s;
    s.ScreenMode = 4;
    s.ModeArg = 1;
    s.DayCount = 3;
    s.TimeSlot = 14;
    s.TownPhase = 1;
    s.CurrentPlace = 5;
    s.Partner = 1;
    s.Points = 137;
    s.HeroineGauge[0] = 40;
    s.HeroineWait[1] = 1;
    for (int i = 1; i <= 14; ++i) s.EventState[i] = EventTable[i].InitialState;
    s.EventState[1] = 2;
    s.EventState[2] = 2;
    s.EventState[3] = 1;
    for (int i = 1; i <= 16; ++i) s.PlaceOpen[i] = (i == 3 || i == 4 || i == 12) ? 0 : 1;
    s.CgSeen[1] = 1;
    SaveStore store(SaveFolderFor(argv[2], fingerprint));
    std::string problem;
    if (!store.Write(SaveSlot::Auto, EncodeSave(s, fingerprint), problem)) {
      std::fprintf(stderr, "desktop_save_seed: %s\n", problem.c_str());
      return 1;
    }
    std::printf("%s\n", store.Folder().c_str());
    return 0;
  } catch (const GameError& e) {
    std::fprintf(stderr, "desktop_save_seed: %s\n", e.what());
    return 1;
  }
}
