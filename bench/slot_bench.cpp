// The slot screens' costs: opening the load screen with every slot of its ten pages (and
// the quick save and autosave) filled, drawing each page once, and saving into a slot
// beside a quick save and encoding one picture. The game runs in a real window on Qt's
// offscreen platform; the saves are written the safe way (fsync) on the disk the
// temporary folder lives on.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QElapsedTimer>
#include <QThread>
#include <filesystem>
#include <fstream>

#include "platform/qt/game_window.h"
#include "platform/qt/save_keys.h"
#include "platform/qt/slot_screen.h"
#include "save/save_format.h"
#include "save/save_store.h"
#include "save/slot_store.h"
#include "tools/demo/demo_content.h"

namespace {

using namespace velmora;

const std::filesystem::path kWork = std::filesystem::temp_directory_path() / "velmora-slot-bench";

struct Game {
  Game() {
    std::filesystem::create_directories(kWork / "game/data");
    const std::vector<uint8_t> asset = DemoAssetFile();
    std::ofstream(kWork / "game/data/qelvart.red", std::ios::binary)
        .write(reinterpret_cast<const char*>(asset.data()), static_cast<std::streamsize>(asset.size()));
    std::filesystem::current_path(kWork / "game");
    window.Start();
    keys = std::make_unique<SaveKeys>(window, (kWork / "saves").string());
    panel = std::make_unique<SlotScreen>(window, keys->Keeper());
    window.show();
    QElapsedTimer clock;
    clock.start();
    while ((window.Form().State.ScreenMode != 1 || window.Form().G_Timer.Enabled()) && clock.elapsed() < 20000) {
      QApplication::processEvents();
      QThread::msleep(5);
    }
  }
  GameWindow window{ShellServices{[](QWidget*, const QString&) {}, [](const QString&) {}, [] { return true; }}};
  std::unique_ptr<SaveKeys> keys;
  std::unique_ptr<SlotScreen> panel;
  SaveKeeper& keeper() { return keys->Keeper(); }
};

Game& TheGame() {
  static Game* game = new Game;
  return *game;
}

GameState TownState() {
  GameState s;
  s.ScreenMode = 4;
  s.ModeArg = 1;
  s.DayCount = 3;
  s.TimeSlot = 14;
  s.TownPhase = 1;
  s.CurrentPlace = 5;
  s.Partner = 1;
  return s;
}

// Every slot filled with a save and a picture of the screen.
void FillEverySlot() {
  Game& game = TheGame();
  const std::string folder = game.keeper().Folder();
  const std::vector<uint8_t> save = EncodeSave(TownState(), game.keeper().Fingerprint());
  const std::vector<uint8_t> png = SlotScreen::EncodePng(SlotScreen::Thumbnail(game.window.Screen().Surface()));
  SlotStore store(folder, game.keeper().Fingerprint());
  SaveStore quick(folder);
  std::string problem;
  quick.Write(SaveSlot::Quick, save, problem);
  quick.Write(SaveSlot::Auto, save, problem);
  // Slot 1 the newest: the load screen opens on a page of six pictures.
  for (int n = 1; n <= kSlotCount; ++n) store.Write(n, save, png, NowMs() + (kSlotCount - n) * 1000, true, problem);
}

// Ctrl+L to the first page drawn: every slot read and checked, the newest page's six
// pictures decoded and the panel painted.
void BM_OpenLoadScreenAllFilled(benchmark::State& state) {
  Game& game = TheGame();
  FillEverySlot();
  for (auto _ : state) {
    game.panel->OpenLoad();
    benchmark::DoNotOptimize(game.panel->grab());
    state.PauseTiming();
    if (!game.panel->IsOpen() || game.panel->PageCount() != 11) state.SkipWithError("the load screen did not open");
    game.panel->Close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenLoadScreenAllFilled)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every page turned to and drawn once (every picture decoded): the most a visit costs.
void BM_LoadScreenEveryPageShown(benchmark::State& state) {
  Game& game = TheGame();
  FillEverySlot();
  for (auto _ : state) {
    game.panel->OpenLoad();
    for (int page = 0; page < game.panel->PageCount(); ++page) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
      benchmark::DoNotOptimize(game.panel->grab());
      QApplication::sendEvent(game.panel.get(), &key);
    }
    game.panel->Close();
  }
}
BENCHMARK(BM_LoadScreenEveryPageShown)->Unit(benchmark::kMillisecond)->UseRealTime();

// The picture of the screen: scaled to 160x120 and encoded as PNG.
void BM_ThumbnailEncode(benchmark::State& state) {
  const QImage screen = TheGame().window.Screen().Surface();
  size_t bytes = 0;
  for (auto _ : state) bytes = SlotScreen::EncodePng(SlotScreen::Thumbnail(screen)).size();
  state.counters["png_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ThumbnailEncode)->Unit(benchmark::kMillisecond)->UseRealTime();

// F5's write after the state is known: encode, then temporary file, fsync, rename.
void BM_QuickSaveWrite(benchmark::State& state) {
  Game& game = TheGame();
  SaveStore store(game.keeper().Folder());
  std::string problem;
  for (auto _ : state)
    if (!store.Write(SaveSlot::Quick, EncodeSave(TownState(), 42), problem)) state.SkipWithError(problem.c_str());
}
BENCHMARK(BM_QuickSaveWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a slot's save may cost at most: F5's write and one picture made and encoded.
void BM_QuickSavePlusThumbnail(benchmark::State& state) {
  Game& game = TheGame();
  SaveStore store(game.keeper().Folder());
  std::string problem;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SlotScreen::EncodePng(SlotScreen::Thumbnail(game.window.Screen().Surface())));
    if (!store.Write(SaveSlot::Quick, EncodeSave(TownState(), 42), problem)) state.SkipWithError(problem.c_str());
  }
}
BENCHMARK(BM_QuickSavePlusThumbnail)->Unit(benchmark::kMillisecond)->UseRealTime();

// A slot's save: the picture made and encoded, the save encoded, the slot file written
// the same safe way (over the slot's old file, as after the player's yes).
void BM_SlotSave(benchmark::State& state) {
  Game& game = TheGame();
  SlotStore store(game.keeper().Folder(), 42);
  std::string problem;
  for (auto _ : state) {
    const std::vector<uint8_t> png = SlotScreen::EncodePng(SlotScreen::Thumbnail(game.window.Screen().Surface()));
    if (!store.Write(1, EncodeSave(TownState(), 42), png, NowMs(), true, problem)) state.SkipWithError(problem.c_str());
  }
}
BENCHMARK(BM_SlotSave)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(kWork);
  return 0;
}
