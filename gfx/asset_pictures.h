#pragma once
// The picture operations every screen is drawn with. Nothing is cached: each operation
// reads its BMP from the asset file again, uses it and lets it go. Target 1 draws onto
// BackBuffer, any other value onto the screen picture ImageBa.

#include <cstdint>

#include "gfx/geometry.h"
#include "gfx/picture.h"

namespace velmora {

class TForm1;

class AssetPictures {
 public:
  explicit AssetPictures(TForm1& form) : form_(form) {}

  // Reads the BMP at Offset of the asset file.
  Picture ReadPicture(int32_t offset);

  // BackBuffer becomes the picture at Offset (content, size and format).
  void LoadBackdrop(int32_t offset);
  void DrawAssetRect(const Rect& src, const Rect& dst, int32_t offset, uint8_t target);
  void DrawAssetAt(int x, int y, int32_t offset, uint8_t target);
  // Cuts Src out and draws it at Dst's top-left with its own top-left colour transparent.
  void DrawAssetSprite(const Rect& src, const Rect& dst, int32_t offset, uint8_t target);
  // Kind 1: into ImageCG at its own size (pan source); 2: its top-left 640x480 into
  // BackBuffer; 4: framed at (70, 40) on the plain backdrop.
  void LoadCgPicture(int32_t offset, int32_t kind);

  Picture& TargetPicture(uint8_t target);

 private:
  TForm1& form_;
};

}  // namespace velmora
