// Showing the screen picture on the window surface after a handler: writing only the
// pixels that changed (and learning where), beside converting the whole picture each
// time as a plain version would.
#include <benchmark/benchmark.h>

#include <QImage>

#include "gfx/picture.h"
#include "platform/qt/picture_image.h"

namespace {

using namespace velmora;

// A screen picture with some detail in it, like a scene.
Picture Scene(uint32_t seed) {
  Picture picture(640, 480, PixelFormat::Bgrx32);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) picture.SetPixelColor(x, y, (x * 2654435761u + y * 40503u + seed) & 0xFFFFFF);
  return picture;
}

QImage Surface() {
  QImage image(640, 480, QImage::Format_RGB32);
  image.fill(Qt::black);
  return image;
}

// A pointer move over a page that does not change: nothing to write.
void BM_UpdateSurfaceUnchanged(benchmark::State& state) {
  const Picture scene = Scene(1);
  QImage surface = Surface();
  UpdateImageFromPicture(surface, &scene);
  for (auto _ : state) benchmark::DoNotOptimize(UpdateImageFromPicture(surface, &scene));
}
BENCHMARK(BM_UpdateSurfaceUnchanged)->Unit(benchmark::kMicrosecond);

// A pan step: every pixel changes.
void BM_UpdateSurfaceAllChanged(benchmark::State& state) {
  const Picture frames[2] = {Scene(1), Scene(2)};
  QImage surface = Surface();
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(UpdateImageFromPicture(surface, &frames[i ^= 1]));
}
BENCHMARK(BM_UpdateSurfaceAllChanged)->Unit(benchmark::kMicrosecond);

// Plain: the whole picture converted onto the surface, changed or not.
void BM_DrawWholeSurface(benchmark::State& state) {
  const Picture scene = Scene(1);
  QImage surface = Surface();
  for (auto _ : state) benchmark::DoNotOptimize(DrawPictureOnImage(surface, 0, 0, scene));
}
BENCHMARK(BM_DrawWholeSurface)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
