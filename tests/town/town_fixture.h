#pragma once
// A game for the town tests: an asset file whose town pictures make every pixel
// traceable (a backdrop whose colour encodes its own coordinates, sprites of known
// colours, one flat colour per scene picture), on a headless host that also records the
// story text the game draws.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/form.h"
#include "platform/headless/headless_host.h"
#include "support/fixtures.h"

namespace velmora::testing {

// TownBackdrop's colour at (x, y): red and green are the low bytes of x and y, blue
// tells the 256-pixel tiles apart. Never white, never the colours below.
constexpr uint32_t BackdropColor(int x, int y) {
  return static_cast<uint32_t>(((x & 0xFF) << 16) | ((y & 0xFF) << 8) | (0x40 + (x >> 8) + 4 * (y >> 8)));
}
inline constexpr uint32_t kPlainColor = 0x204060;        // PlainBackdrop, flat
inline constexpr uint32_t kSpriteKey = 0x00FF00;         // top-left pixel of every sprite
inline constexpr uint32_t kLabelColor = 0xC03000;        // the rest of the sprite sheet
inline constexpr uint32_t kBoxColor = 0x303090;          // the confirmation box (0,0,300,90)
inline constexpr uint32_t kBoxButtonColor = 0x90A030;    // its buttons at (300,0,340,48)
// The flat colour of scene picture Scene (scenes sharing a picture share a colour).
uint32_t SceneColor(int scene);

// A headless host that keeps the story lines (UTF-8) the game hands to the text hook.
class RecordingHost : public HeadlessHost {
 public:
  using HeadlessHost::HeadlessHost;
  void StoryText(const std::string& line) override { Lines.push_back(line); }
  std::vector<std::string> Lines;
};

class TownGame {
 public:
  // Started and run to the title.
  TownGame();
  RecordingHost& host() { return host_; }
  TForm1& form() { return host_.Form(); }
  GameState& state() { return host_.Form().State; }

  // New-game state with every event locked (no event interrupts a walk), in Phase.
  void SetUpDay(uint8_t phase);
  // SwitchMode(4, 1) and runs until the town screen has settled.
  void EnterTown();
  // Presses and releases the left button at (x, y) through the host.
  void Click(int x, int y) { host_.Click(x, y); }
  // The page button in the town frame.
  void ClickPageButton() { Click(460, 450); }
  // The last story line, or "" when none was drawn.
  std::string LastLine() const { return host_.Lines.empty() ? "" : host_.Lines.back(); }

 private:
  ScratchDir dir_;
  RecordingHost host_;
};

// The first column at which Picture differs from the backdrop inside Area, or -1.
int FirstTextColumn(const Picture& picture, const Rect& area);
// Whether the text in Area is SJIS written at x in white at FontSize points: its first
// inked column is where that text's first glyph puts ink when written at x.
bool StartsAt(const Picture& picture, const Rect& area, int x, std::string_view sjis, int fontSize = 12);
// Whether Area of Shown is exactly Under with SJIS written over it at At, in white at
// FontSize points on a clear brush (the way the town screen writes its values).
bool ShowsText(const Picture& shown, const Picture& under, const Rect& area, Point at, std::string_view sjis,
               int fontSize = 12);
// TownBackdrop as the test asset holds it, and a flat picture of one colour.
const Picture& TownBackdropPicture();
Picture FlatPicture(uint32_t color);
// Whether any pixel of Area differs from the backdrop.
bool HasText(const Picture& picture, const Rect& area);

}  // namespace velmora::testing
