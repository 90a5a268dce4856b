// What a save costs: making the file's bytes, writing them the safe way (temporary file,
// flush to the disk, rename) into a real folder, reading a save back, and the one-time
// fingerprint of the asset file taken before the first save or load of a run.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <filesystem>

#include "gfx/file_stream.h"
#include "save/checksum.h"
#include "save/save_format.h"
#include "save/save_store.h"
#include "tools/demo/demo_content.h"

namespace {

using namespace velmora;

GameState TownState() {
  GameState s;
  s.ScreenMode = 4;
  s.DayCount = 3;
  s.TimeSlot = 12;
  s.TownPhase = 1;
  s.CurrentPlace = 5;
  s.Points = 140;
  for (int i = 1; i <= 16; ++i) s.PlaceOpen[i] = 1;
  return s;
}

void BM_EncodeSave(benchmark::State& state) {
  const GameState s = TownState();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeSave(s, 42));
}
BENCHMARK(BM_EncodeSave);

void BM_DecodeSave(benchmark::State& state) {
  const std::vector<uint8_t> bytes = EncodeSave(TownState(), 42);
  std::string problem;
  for (auto _ : state) benchmark::DoNotOptimize(DecodeSave(bytes, problem));
}
BENCHMARK(BM_DecodeSave);

// The whole of F5 after the state is known: encode, then temporary file, fsync, rename
// and the folder's fsync, on the disk the temporary folder lives on.
void BM_WriteSaveToDisk(benchmark::State& state) {
  const std::string folder = (std::filesystem::temp_directory_path() / "velmora-bench-saves").string();
  SaveStore store(folder);
  const GameState s = TownState();
  std::string problem;
  for (auto _ : state)
    if (!store.Write(SaveSlot::Quick, EncodeSave(s, 42), problem)) state.SkipWithError(problem.c_str());
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_WriteSaveToDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FingerprintDemoAssetFile(benchmark::State& state) {
  const std::vector<uint8_t> asset = DemoAssetFile();
  auto stream = FileStream::FromBytes(asset);
  for (auto _ : state) benchmark::DoNotOptimize(FingerprintOf(*stream));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(asset.size()));
}
BENCHMARK(BM_FingerprintDemoAssetFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The demo pictures are drawn with QtGui.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
