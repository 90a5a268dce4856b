#pragma once
// The drawing state of a picture component's canvas (font and brush, as text styles set
// them) and text output onto a picture. Text is Shift-JIS bytes, decoded only here, and
// placed by the top-left corner of its cell.

#include <cstdint>
#include <string>
#include <string_view>

#include "gfx/picture.h"

namespace velmora {

// The game's text face and the window's own face, as the original names them; the hosts
// map them onto installed Japanese faces (InstallJapaneseFonts).
inline constexpr const char* kGameFontFace = "ＭＳゴシック";
inline constexpr const char* kWindowFontFace = "ＭＳ Ｐゴシック";

struct Canvas {
  std::string FontFace = kGameFontFace;
  int FontSize = 9;            // points, at 96 dots per inch
  uint32_t FontColor = kBlack; // 0x00RRGGBB
  bool BrushSolid = true;      // solid: text stands on a box of BrushColor
  uint32_t BrushColor = kWhite;
};

// Font height in pixels for a size in points on a 96 dpi screen, rounded to the nearest
// pixel as the original toolkit rounds it (14 pt is 19 px, not 18).
constexpr int PointsToPixels(int points) { return (points * 96 + 36) / 72; }

// A picture on the window (ImageBa), or hidden (ImageCG, ImageMap), with its canvas.
struct ImageComponent {
  Picture Bitmap;
  velmora::Canvas Canvas;
  bool Visible = true;
};

// Draws text with the canvas's font and brush, its cell's top-left at (x, y).
void TextOut(Picture& picture, const Canvas& canvas, int x, int y, std::string_view sjis);
// Width in pixels of the text in the canvas's font.
int TextWidth(const Canvas& canvas, std::string_view sjis);

// Maps the original face names onto the Japanese faces installed here. Needs a
// QGuiApplication; each host calls it once at start.
void InstallJapaneseFonts();
// True when some installed face can draw Japanese.
bool JapaneseFontAvailable();

}  // namespace velmora
