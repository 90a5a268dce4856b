#pragma once
// The eight text styles and the message window: a panel that multiplies the scene under
// it with the window picture, so the scene shows through darkened and tinted.

#include <string_view>

#include "gfx/geometry.h"

namespace velmora {

class TForm1;
struct ImageComponent;
struct Canvas;

class TextStyles {
 public:
  explicit TextStyles(TForm1& form) : form_(form) {}

  // Sets style 0..7 on ImageBa's canvas and 0..3 on ImageMap's (ImageMap takes only the
  // common part, clear brush, white, the game's face, for any other number); above 7
  // only the common part on both.
  void SetTextStyle(int style);
  // What style 0..7 sets on the screen picture's canvas (the script checker measures
  // lines with it).
  static void ApplyScreenStyle(Canvas& canvas, int style);
  // The message window for the current CgShown, onto the screen.
  void DrawMessageWindow();
  // Kind 1 the window picture as it is, 2 cut to Rect's size, 3 stretched to the screen
  // (drawn onto BackBuffer); the others draw onto the screen.
  void DrawWindowPanel(int x, int y, const Rect& rect, int kind);

  // Text at (x, y) on the screen picture in its canvas's current style.
  void DrawText(int x, int y, std::string_view sjis);
  // Text at (x, y) on a picture component in its canvas's current style.
  void DrawText(ImageComponent& image, int x, int y, std::string_view sjis);
  // Story text (text pages, choices, remarks, ending and photo-game lines) on the screen:
  // drawn as DrawText and also handed to the host's text hook.
  void DrawStoryText(int x, int y, std::string_view sjis);

 private:
  TForm1& form_;
};

}  // namespace velmora
