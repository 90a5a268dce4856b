#include "gfx/text_styles.h"

#include "app/form.h"
#include "gfx/asset_table.h"
#include "gfx/blend.h"
#include "gfx/sjis.h"

namespace velmora {

namespace {

constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kDarkGrey = 0x404040;

// What every style sets first: no box behind the text, white letters, the game's face.
// The brush colour is left alone, so a clear-brush style keeps whatever an earlier
// solid style put there.
void SetCommonStyle(Canvas& canvas) {
  canvas.BrushSolid = false;
  canvas.FontColor = kWhite;
  canvas.FontFace = kGameFontFace;
}

void SetSolidBrush(Canvas& canvas, uint32_t color) {
  canvas.BrushSolid = true;
  canvas.BrushColor = color;
}

}  // namespace

void TextStyles::SetTextStyle(int style) {
  ApplyScreenStyle(form_.ImageBa.Canvas, style);
  // The status panel's scratch canvas only ever knew the first four styles; for 4..7 it
  // takes the common part alone, and the status panel relies on exactly that.
  Canvas& map = form_.ImageMap.Canvas;
  SetCommonStyle(map);
  switch (style) {
    case 0: map.FontSize = 12; break;
    case 1: map.FontSize = 14; break;
    case 2: map.FontSize = 20; break;
    case 3: SetSolidBrush(map, kBlack); map.FontSize = 10; break;
    default: break;
  }
}

void TextStyles::ApplyScreenStyle(Canvas& screen, int style) {
  SetCommonStyle(screen);
  switch (style) {
    case 0: screen.FontSize = 12; break;
    case 1: screen.FontSize = 14; break;
    case 2: screen.FontSize = 20; break;
    case 3: SetSolidBrush(screen, kBlack); screen.FontSize = 10; break;
    case 4: screen.FontColor = kGrey; screen.FontSize = 12; break;
    case 5: screen.FontColor = kDarkGrey; screen.FontSize = 12; break;
    case 6: SetSolidBrush(screen, kBlack); screen.FontSize = 12; break;
    case 7: SetSolidBrush(screen, kWhite); screen.FontColor = kBlack; screen.FontSize = 10; break;
    default: break;
  }
}

void TextStyles::DrawMessageWindow() {
  // Over a full-screen picture the window is wider and sits a little higher.
  if (form_.State.CgShown == 0)
    DrawWindowPanel(15, 385, MessageRect, 2);
  else
    DrawWindowPanel(25, 380, Rect{25, 380, 615, 460}, 1);
}

void TextStyles::DrawWindowPanel(int x, int y, const Rect& rect, int kind) {
  // Both pictures are locals: they go on every path, also when reading fails.
  Picture window = form_.Assets.ReadPicture(kWindowPicture);
  Picture scene;
  if (kind == 2) {
    window.Resize(rect.Width(), rect.Height());
  } else if (kind == 3) {
    scene = Picture(ScreenRect.Width(), ScreenRect.Height());
    CopyRect(scene, ScreenRect, window, window.Bounds());
    window.Resize(ScreenRect.Width(), ScreenRect.Height());
    DrawPicture(window, 0, 0, scene);
  }
  // The panel is made from BackBuffer, not from the screen: drawing it again wipes the
  // text written on it before.
  scene = Picture(window.Width(), window.Height());
  CopyRect(scene, scene.Bounds(), form_.BackBuffer, rect);
  window.Convert(PixelFormat::Bgrx32);
  scene.Convert(PixelFormat::Bgrx32);
  MultiplyBlend(scene, window);
  Picture& target = kind == 3 ? form_.BackBuffer : form_.ImageBa.Bitmap;
  DrawPicture(target, x, y, scene);
}

void TextStyles::DrawText(int x, int y, std::string_view sjis) { DrawText(form_.ImageBa, x, y, sjis); }

void TextStyles::DrawText(ImageComponent& image, int x, int y, std::string_view sjis) {
  TextOut(image.Bitmap, image.Canvas, x, y, sjis);
}

void TextStyles::DrawStoryText(int x, int y, std::string_view sjis) {
  DrawText(x, y, sjis);
  const std::string line = DecodeCp932(sjis);
  form_.Feed.Line(line);
  form_.host.StoryText(line);
}

}  // namespace velmora
