#include "gfx/asset_layout.h"

namespace velmora {

const std::vector<AssetSlot>& AssetSlots() {
  // The two pictures without a size of their own get the one their length allows:
  // a 300x40 logo and a 340x177 sprite sheet.
  static const std::vector<AssetSlot> slots = {
      {0, 36054, 300, 40, 24, "opening_logo"},
      {36054, 921654, 640, 480, 24, "plain_backdrop"},
      {957708, 921654, 640, 480, 24, "title_backdrop"},
      {1879362, 921654, 640, 480, 24, "album_backdrop"},
      {2801016, 921654, 640, 480, 24, "town_backdrop"},
      {3722670, 17014, 70, 80, 24, "page_button"},
      {3739684, 141814, 590, 80, 24, "window_picture"},
      {3881498, 86454, 240, 120, 24, "title_buttons"},
      {3967952, 44934, 226, 66, 24, "album_sheet"},
      {4012886, 1045494, 528, 660, 24, "album_thumbnails"},
      {5058380, 180594, 340, 177, 24, "town_sprites"},
      {5238974, 315054, 840, 125, 24, "card_sheet"},
      {5554028, 690054, 500, 460, 24, "scene_home"},
      {6244082, 690054, 500, 460, 24, "scene_heroine_home"},
      {6934136, 690054, 500, 460, 24, "scene_park"},
      {7624190, 690054, 500, 460, 24, "scene_store"},
      {8314244, 690054, 500, 460, 24, "scene_supermarket"},
      {9004298, 690054, 500, 460, 24, "scene_town"},
      {9694352, 690054, 500, 460, 24, "scene_9"},
      {10384406, 690054, 500, 460, 24, "scene_10"},
      {11074460, 690054, 500, 460, 24, "scene_11"},
      {11764514, 690054, 500, 460, 24, "scene_night"},
      {12454568, 189078, 400, 470, 8, "mask_1"},
      {12643646, 189078, 400, 470, 8, "mask_2"},
      {12832724, 189078, 400, 470, 8, "mask_3"},
      {13021802, 564054, 400, 470, 24, "portrait_1"},
      {13585856, 564054, 400, 470, 24, "portrait_2"},
      {14149910, 564054, 400, 470, 24, "portrait_3"},
      {14713964, 368694, 959, 128, 24, "faces_1"},
      {15082658, 331830, 864, 128, 24, "faces_2"},
      {15414488, 481638, 1264, 127, 24, "faces_3"},
      {15896126, 690054, 500, 460, 24, "scene_photo"},
      {16586180, 921654, 640, 480, 24, "cg_1"},
      {17507834, 1766454, 640, 920, 24, "cg_2"},
      {19274288, 1843254, 640, 960, 24, "cg_3"},
      {21117542, 921654, 640, 480, 24, "cg_4"},
      {22039196, 600054, 500, 400, 24, "cg_5"},
      {22639250, 600054, 500, 400, 24, "cg_6"},
      {23239304, 600054, 500, 400, 24, "cg_7"},
      {23839358, 921654, 640, 480, 24, "cg_8"},
  };
  return slots;
}

int64_t BmpFileLength(int width, int height, int bitCount) {
  const int64_t stride = ((static_cast<int64_t>(width) * bitCount + 31) / 32) * 4;
  const int64_t palette = bitCount == 8 ? 1024 : 0;
  return 54 + palette + stride * height;
}

}  // namespace velmora
