#pragma once
// The pointer on the screen picture: hit tests, the press-and-release protocol around
// PressedButton and the hover looks of the title and album screens.

#include <cstdint>

#include "gfx/geometry.h"

namespace velmora {

class TForm1;

enum class MouseButton { Left, Right, Middle };

class PointerInput {
 public:
  explicit PointerInput(TForm1& form) : form_(form) {}

  void ImageBaMouseDown(MouseButton button, int x, int y);
  void ImageBaMouseMove(int x, int y);
  void ImageBaMouseUp(MouseButton button, int x, int y);

  // The on-screen button under (x, y) in the current mode, 0 for none.
  int32_t ButtonAt(int32_t x, int32_t y) const;
  // Album slot 1..8 under (x, y), 0 for none.
  static int32_t AlbumSlotAt(int32_t x, int32_t y);
  // Top-left of slot's 66x66 cell: kind 0 on the screen, 1 pressed and 2 hover looks
  // on the thumbnail sheet.
  static Point AlbumSlotPos(uint8_t slot, int32_t kind);
  // Photo game card 1..4 under (x, y), 0 for none.
  static int32_t CardAt(int32_t x, int32_t y);

 private:
  TForm1& form_;
};

}  // namespace velmora
