#include "gfx/asset_pictures.h"

#include "app/form.h"
#include "gfx/asset_table.h"
#include "gfx/bmp_reader.h"

namespace velmora {

Picture AssetPictures::ReadPicture(int32_t offset) {
  if (!form_.AssetStream) throw GameError("アセットファイルが開かれていません");
  form_.AssetStream->Seek(offset);
  return ReadBmp(*form_.AssetStream);
}

Picture& AssetPictures::TargetPicture(uint8_t target) {
  return target == 1 ? form_.BackBuffer : form_.ImageBa.Bitmap;
}

void AssetPictures::LoadBackdrop(int32_t offset) { form_.BackBuffer = ReadPicture(offset); }

void AssetPictures::DrawAssetRect(const Rect& src, const Rect& dst, int32_t offset, uint8_t target) {
  const Picture picture = ReadPicture(offset);
  CopyRect(TargetPicture(target), dst, picture, src);
}

void AssetPictures::DrawAssetAt(int x, int y, int32_t offset, uint8_t target) {
  const Picture picture = ReadPicture(offset);
  DrawPicture(TargetPicture(target), x, y, picture);
}

void AssetPictures::DrawAssetSprite(const Rect& src, const Rect& dst, int32_t offset, uint8_t target) {
  const Picture sheet = ReadPicture(offset);
  Picture cut(dst.Width(), dst.Height());
  CopyRect(cut, cut.Bounds(), sheet, src);
  if (cut.IsEmpty()) return;
  DrawTransparent(TargetPicture(target), dst.Left, dst.Top, cut, cut.PixelColor(0, 0));
}

void AssetPictures::LoadCgPicture(int32_t offset, int32_t kind) {
  Picture picture = ReadPicture(offset);
  switch (kind) {
    case 1:
      form_.ImageCG.Bitmap = std::move(picture);
      break;
    case 2:
      CopyRect(form_.BackBuffer, ScreenRect, picture, ScreenRect);
      break;
    case 4:
      LoadBackdrop(PlainBackdrop);
      DrawPicture(form_.BackBuffer, 70, 40, picture);
      break;
    default:
      break;
  }
}

}  // namespace velmora
