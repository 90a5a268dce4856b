#pragma once
// Fixtures of the graphics tests: pictures with content that tells every pixel apart, an
// asset file with such pictures in chosen slots, and a game on a host that keeps a copy
// of every strip a wipe paints.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/fixtures.h"

namespace velmora::testing {

// Random bytes in every pixel (fourth bytes too), the same for the same seed.
Picture NoisePicture(int width, int height, uint32_t seed, PixelFormat format = PixelFormat::Bgr24);
// Colour (x, y) = red y div 256, green y mod 256, blue x mod 256: every row of a
// picture up to 65536 rows tall is told apart by any of its pixels.
Picture RowCodedPicture(int width, int height, PixelFormat format = PixelFormat::Bgr24);
// A copy of the demo asset file with the picture at Offset replaced (same size and depth).
std::vector<uint8_t> AssetWithPicture(std::vector<uint8_t> asset, int32_t offset, const Picture& picture);
// The 640x480 window of Picture at (X, Y), as the screen shows it.
Picture WindowOf(const Picture& picture, int x, int y);
// How many pixels of Actual's Area differ from Expected's (both the same size).
int64_t DifferingPixels(const Picture& actual, const Picture& expected, const Rect& area);

// One strip a wipe painted: when, where, and its pixels as painted.
struct PaintedStrip {
  uint32_t Time;
  int X;
  int Y;
  Picture Pixels;
};

// The headless host, keeping every painted strip and the window after the first paint.
// A paint can be made to take time or to fail.
class StripRecordingHost : public HeadlessHost {
 public:
  using HeadlessHost::HeadlessHost;
  void PaintWindow(const Picture& picture, int x, int y) override;

  std::vector<PaintedStrip> Strips;
  Picture WindowAfterFirstPaint;
  uint32_t PaintCost = 0;  // ms each paint takes on the virtual clock
  size_t FailAtPaint = 0;  // the paint (1-based) that raises the game's error; 0 never
};

// A started game with the given asset file on a StripRecordingHost.
class RecordingGame {
 public:
  explicit RecordingGame(const std::vector<uint8_t>& asset = DemoAssetBytes());
  StripRecordingHost& host() { return *host_; }
  TForm1& form() { return host_->Form(); }
  GameState& state() { return host_->Form().State; }

 private:
  ScratchDir dir_;
  std::unique_ptr<StripRecordingHost> host_;
};

}  // namespace velmora::testing
