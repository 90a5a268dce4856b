// The blends the screens are drawn with, each beside a plain per-byte or per-pixel
// version of the same arithmetic: the wipes' steps (build and paint), the message
// window's multiply at both widths, the full-screen panel, and the portrait's mask blend;
// and the full-screen copies between 24-bit pictures and the 32-bit screen.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "app/form.h"
#include "gfx/blend.h"

namespace velmora {
namespace {

Picture Noise(int width, int height, uint32_t seed, PixelFormat format = PixelFormat::Bgr24) {
  Picture p(width, height, format);
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y)
    for (int i = 0; i < width * p.BytesPerPixel(); ++i) p.Row(y)[i] = static_cast<uint8_t>(random());
  return p;
}

// A host whose window is a plain 640x480 surface and whose clock never moves, so a wipe
// runs its steps back to back without waiting.
class SurfaceHost : public Host {
 public:
  uint32_t Milliseconds() override { return 0; }
  void Sleep(uint32_t) override {}
  void PaintWindow(const Picture& picture, int x, int y) override { DrawPicture(Surface, x, y, picture); }
  void ShowMessage(const std::string&) override {}
  void PlaySound(const std::string&) override {}
  bool FileExists(const std::string&) override { return false; }
  std::string ResolvePath(const std::string& path) override { return path; }
  void TimerChanged(const GameTimer&) override {}
  void MenuChanged(const MenuItem&) override {}
  void WindowChanged() override {}
  void CloseWindow() override {}

  Picture Surface{640, 480, PixelFormat::Bgrx32};
};

// The level formula of one byte, written out the plain way.
inline uint8_t PlainLevel(int level, int o, int n) {
  switch (level) {
    case 0: return static_cast<uint8_t>(n);
    case 1: return static_cast<uint8_t>(n - n / 8 + o / 8);
    case 2: return static_cast<uint8_t>(n - n / 4 + o / 4);
    case 3: return static_cast<uint8_t>(n - n / 8 - n / 4 + o / 8 + o / 4);
    case 4: return static_cast<uint8_t>(o - o / 2 + n / 2);
    case 5: return static_cast<uint8_t>(o - o / 8 - o / 4 + n / 8 + n / 4);
    case 6: return static_cast<uint8_t>(o - o / 4 + n / 4);
    default: return static_cast<uint8_t>(o - o / 8 + n / 8);
  }
}

// Paints a strip pixel by pixel, clipped to the surface.
void PlainPaint(Picture& surface, const Picture& strip, int x0, int y0) {
  for (int y = 0; y < strip.Height(); ++y)
    for (int x = 0; x < strip.Width(); ++x)
      if (surface.Contains(x0 + x, y0 + y)) surface.SetPixelColor(x0 + x, y0 + y, strip.PixelColor(x, y));
}

constexpr int kVerticalSteps = 480 / 16 + 7;
constexpr int kHorizontalSteps = 640 / 32 + 7;

void BM_VerticalWipeStep(benchmark::State& state) {
  SurfaceHost host;
  TForm1 form(host);
  const Picture from = Noise(640, 480, 1), to = Noise(640, 480, 2);
  for (auto _ : state) {
    form.Wipes.FromFrame = std::make_unique<Picture>(from);
    form.Wipes.ToFrame = std::make_unique<Picture>(to);
    form.Wipes.VerticalSoftWipe(0);
    benchmark::DoNotOptimize(host.Surface.Bits());
  }
  state.SetItemsProcessed(state.iterations() * kVerticalSteps);  // items: steps
}
BENCHMARK(BM_VerticalWipeStep)->Unit(benchmark::kMicrosecond);

void BM_VerticalWipeStepPlain(benchmark::State& state) {
  SurfaceHost host;
  const Picture from = Noise(640, 480, 1), to = Noise(640, 480, 2);
  Picture strip(640, 16);
  for (auto _ : state) {
    Picture fromCopy = from, toCopy = to;  // as the packed run copies its frames in
    for (int step = 0; step < kVerticalSteps; ++step)
      for (int level = 0; level < 8; ++level) {
        const int top = -112 + 16 * step + 16 * level;
        for (int j = 0; j < 16; ++j) {
          const int y = top + j;
          if (y < 0 || y >= 480) continue;
          for (int b = 0; b < 3 * 640; ++b)
            strip.Row(j)[b] = PlainLevel(level, fromCopy.Row(y)[b], toCopy.Row(y)[b]);
        }
        if (top >= 0 && top < 480) PlainPaint(host.Surface, strip, 0, top);
      }
    benchmark::DoNotOptimize(host.Surface.Bits());
  }
  state.SetItemsProcessed(state.iterations() * kVerticalSteps);
}
BENCHMARK(BM_VerticalWipeStepPlain)->Unit(benchmark::kMicrosecond);

void BM_HorizontalWipeStep(benchmark::State& state) {
  SurfaceHost host;
  TForm1 form(host);
  const Picture from = Noise(640, 480, 3), to = Noise(640, 480, 4);
  for (auto _ : state) {
    form.Wipes.FromFrame = std::make_unique<Picture>(from);
    form.Wipes.ToFrame = std::make_unique<Picture>(to);
    form.Wipes.HorizontalSoftWipe(0);
    benchmark::DoNotOptimize(host.Surface.Bits());
  }
  state.SetItemsProcessed(state.iterations() * kHorizontalSteps);
}
BENCHMARK(BM_HorizontalWipeStep)->Unit(benchmark::kMicrosecond);

void BM_HorizontalWipeStepPlain(benchmark::State& state) {
  SurfaceHost host;
  const Picture from = Noise(640, 480, 3), to = Noise(640, 480, 4);
  Picture strip(256, 480);
  for (auto _ : state) {
    Picture fromCopy = from, toCopy = to;
    for (int step = 0; step < kHorizontalSteps; ++step) {
      const int left = -224 + 32 * step;
      for (int level = 0; level < 8; ++level) {
        const int cellLeft = left + 32 * level;
        if (cellLeft < 0 || cellLeft + 32 > 640) continue;
        for (int y = 0; y < 480; ++y)
          for (int b = 0; b < 96; ++b)
            strip.Row(y)[96 * level + b] =
                PlainLevel(level, fromCopy.Row(y)[3 * cellLeft + b], toCopy.Row(y)[3 * cellLeft + b]);
      }
      PlainPaint(host.Surface, strip, left, 0);
    }
    benchmark::DoNotOptimize(host.Surface.Bits());
  }
  state.SetItemsProcessed(state.iterations() * kHorizontalSteps);
}
BENCHMARK(BM_HorizontalWipeStepPlain)->Unit(benchmark::kMicrosecond);

// The message window is 490 or 590 wide and 80 tall; the ending's panel the full screen.
void PanelSizes(benchmark::internal::Benchmark* b) { b->Args({490, 80})->Args({590, 80})->Args({640, 480}); }

void BM_PanelMultiply(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Picture scene = Noise(w, h, 5, PixelFormat::Bgrx32);
  const Picture window = Noise(w, h, 6, PixelFormat::Bgrx32);
  for (auto _ : state) {
    MultiplyBlend(scene, window);
    benchmark::DoNotOptimize(scene.Bits());
  }
  state.SetItemsProcessed(state.iterations() * w * h);  // items: pixels
}
BENCHMARK(BM_PanelMultiply)->Apply(PanelSizes)->Unit(benchmark::kMicrosecond);

void BM_PanelMultiplyPlain(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Picture scene = Noise(w, h, 5, PixelFormat::Bgrx32);
  const Picture window = Noise(w, h, 6, PixelFormat::Bgrx32);
  for (auto _ : state) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint32_t s = scene.PixelColor(x, y), m = window.PixelColor(x, y);
        uint32_t c = 0;
        for (int ch = 0; ch < 3; ++ch) c |= ((((s >> (8 * ch)) & 0xFF) * ((m >> (8 * ch)) & 0xFF)) / 255) << (8 * ch);
        scene.SetPixelColor(x, y, c);
      }
    benchmark::DoNotOptimize(scene.Bits());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}
BENCHMARK(BM_PanelMultiplyPlain)->Apply(PanelSizes)->Unit(benchmark::kMicrosecond);

// A portrait's mask: clear outside an ellipse, solid inside, a soft rim between.
Picture PortraitMask() {
  Picture mask(400, 470, PixelFormat::Indexed8);
  for (int y = 0; y < 470; ++y)
    for (int x = 0; x < 400; ++x) {
      const double dx = (x - 200) / 170.0, dy = (y - 235) / 230.0;
      const double r = dx * dx + dy * dy;
      mask.Row(y)[x] = static_cast<uint8_t>(r >= 1.0 ? 0 : r <= 0.8 ? 255 : (1.0 - r) / 0.2 * 255);
    }
  return mask;
}

void BM_PortraitMaskBlend(benchmark::State& state) {
  Picture screen = Noise(640, 480, 7, PixelFormat::Bgrx32);
  Picture portrait = Noise(400, 470, 8, PixelFormat::Bgrx32);
  const Picture mask = PortraitMask();
  for (auto _ : state) {
    AlphaMaskBlend(screen, {100, 10}, mask, portrait);
    benchmark::DoNotOptimize(screen.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 400 * 470);
}
BENCHMARK(BM_PortraitMaskBlend)->Unit(benchmark::kMicrosecond);

void BM_PortraitMaskBlendPlain(benchmark::State& state) {
  Picture screen = Noise(640, 480, 7, PixelFormat::Bgrx32);
  const Picture portrait = Noise(400, 470, 8, PixelFormat::Bgrx32);
  const Picture mask = PortraitMask();
  for (auto _ : state) {
    for (int y = 0; y < 470; ++y)
      for (int x = 0; x < 400; ++x) {
        const int a = mask.Row(y)[x];
        const uint32_t d = screen.PixelColor(x + 100, y + 10), s = portrait.PixelColor(x, y);
        uint32_t c = 0;
        for (int ch = 0; ch < 3; ++ch)
          c |= (((255 - a) * ((d >> (8 * ch)) & 0xFF) + a * ((s >> (8 * ch)) & 0xFF)) / 255) << (8 * ch);
        screen.SetPixelColor(x + 100, y + 10, c);
      }
    benchmark::DoNotOptimize(screen.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 400 * 470);
}
BENCHMARK(BM_PortraitMaskBlendPlain)->Unit(benchmark::kMicrosecond);

// A panned picture's 640x480 window copied onto the 32-bit screen: once per pan tick.
void BM_PanTickCopy(benchmark::State& state) {
  const Picture cg = Noise(1280, 960, 7);
  Picture screen(640, 480, PixelFormat::Bgrx32);
  int x = 0;
  for (auto _ : state) {
    CopyRect(screen, {0, 0, 640, 480}, cg, {x, x / 2, x + 640, x / 2 + 480});
    x = (x + 2) % 640;
    benchmark::DoNotOptimize(screen.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 640 * 480);  // items: pixels
}
BENCHMARK(BM_PanTickCopy)->Unit(benchmark::kMicrosecond);

// A wipe's frame taken from the 32-bit screen.
void BM_ScreenToFrame(benchmark::State& state) {
  const Picture screen = Noise(640, 480, 8, PixelFormat::Bgrx32);
  Picture frame(640, 480);
  for (auto _ : state) {
    DrawPicture(frame, 0, 0, screen);
    benchmark::DoNotOptimize(frame.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_ScreenToFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
