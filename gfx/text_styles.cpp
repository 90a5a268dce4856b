#include "gfx/text_styles.h"
#include "app/form.h"
#include "gfx/sjis.h"
namespace velmora {
// PLACEHOLDER: filled in by the text-styles work.
void TextStyles::SetTextStyle(int) {}
void TextStyles::DrawMessageWindow() {}
void TextStyles::DrawWindowPanel(int, int, const Rect&, int) {}
void TextStyles::DrawText(int x, int y, std::string_view sjis) { DrawText(form_.ImageBa, x, y, sjis); }
void TextStyles::DrawStoryText(int x, int y, std::string_view sjis) {
  DrawText(x, y, sjis);
  form_.host.StoryText(DecodeCp932(sjis));
}
void TextStyles::DrawText(ImageComponent& image, int x, int y, std::string_view sjis) {
  TextOut(image.Bitmap, image.Canvas, x, y, sjis);
}
}  // namespace velmora
