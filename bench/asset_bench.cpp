// Reading pictures from the asset file, and a whole mode change on the headless host
// (the wipe's waits cost no real time there), each beside a plain per-pixel version.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>

#include "app/form.h"
#include "gfx/asset_table.h"
#include "gfx/bmp_reader.h"
#include "platform/headless/headless_host.h"
#include "tools/demo/demo_content.h"

namespace {

using namespace velmora;

// The demo game folder, written once per run.
const std::string& GameFolder() {
  static const std::string folder = [] {
    const std::string dir = (std::filesystem::temp_directory_path() / "velmora-bench-game").string();
    if (!std::filesystem::exists(dir + "/data/qelvart.red")) WriteDemoGameFolder(dir);
    return dir;
  }();
  return folder;
}

struct Game {
  HeadlessHost host{GameFolder()};
  TForm1& form = host.Start();
};

void BM_LoadBackdrop(benchmark::State& state) {
  Game game;
  for (auto _ : state) {
    game.form.Assets.LoadBackdrop(TownBackdrop);
    benchmark::DoNotOptimize(game.form.BackBuffer.Bits());
  }
}
BENCHMARK(BM_LoadBackdrop)->Unit(benchmark::kMillisecond);

// Plain: the same picture read pixel by pixel with one small read each.
void BM_LoadBackdropPerPixel(benchmark::State& state) {
  Game game;
  FileStream& stream = *game.form.AssetStream;
  for (auto _ : state) {
    Picture picture(640, 480);
    for (int y = 479; y >= 0; --y) {
      stream.Seek(TownBackdrop + 54 + static_cast<int64_t>(479 - y) * 1920);
      for (int x = 0; x < 640; ++x) {
        uint8_t bgr[3];
        stream.Read(bgr, 3);
        picture.SetPixelColor(x, y, bgr[0] | (bgr[1] << 8) | (bgr[2] << 16));
      }
    }
    benchmark::DoNotOptimize(picture.Bits());
  }
}
BENCHMARK(BM_LoadBackdropPerPixel)->Unit(benchmark::kMillisecond);

void BM_DrawAssetRectBackdrop(benchmark::State& state) {
  Game game;
  for (auto _ : state) game.form.Assets.DrawAssetRect(SceneRect, SceneRect, PlainBackdrop, 1);
}
BENCHMARK(BM_DrawAssetRectBackdrop)->Unit(benchmark::kMillisecond);

// Plain: the same copy through per-pixel colour reads and writes.
void BM_DrawAssetRectPerPixel(benchmark::State& state) {
  Game game;
  for (auto _ : state) {
    const Picture source = game.form.Assets.ReadPicture(PlainBackdrop);
    for (int y = SceneRect.Top; y < SceneRect.Bottom; ++y)
      for (int x = SceneRect.Left; x < SceneRect.Right; ++x)
        game.form.BackBuffer.SetPixelColor(x, y, source.PixelColor(x, y));
  }
}
BENCHMARK(BM_DrawAssetRectPerPixel)->Unit(benchmark::kMillisecond);

// From the title to the album and back: two mode changes with their wipes.
void BM_ModeChangeHeadless(benchmark::State& state) {
  Game game;
  game.host.RunFor(500);
  game.host.RunUntilIdle();
  for (auto _ : state) {
    game.form.Modes.SwitchMode(2, 0);
    game.host.RunUntilIdle();
    game.form.Modes.StartGame(3);
    game.host.RunUntilIdle();
  }
  state.counters["mode_changes"] = benchmark::Counter(2.0 * state.iterations());
}
BENCHMARK(BM_ModeChangeHeadless)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
