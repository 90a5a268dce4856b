#pragma once
// Where everything lies in the asset file: the byte offset of every picture, the script's
// start and the constant table the game reads its pictures by. The file has no directory
// of its own; these numbers are the directory.

#include <array>
#include <cstdint>

#include "app/indexed_array.h"
#include "gfx/geometry.h"

namespace velmora {

// Pictures by name.
inline constexpr int32_t kOpeningLogo = 0;
inline constexpr int32_t PlainBackdrop = 36054;
inline constexpr int32_t kTitleBackdrop = 957708;
inline constexpr int32_t kAlbumBackdrop = 1879362;
inline constexpr int32_t TownBackdrop = 2801016;
inline constexpr int32_t kPageButtonSheet = 3722670;
inline constexpr int32_t kWindowPicture = 3739684;
inline constexpr int32_t kTitleButtonSheet = 3881498;
inline constexpr int32_t kAlbumSheet = 3967952;
inline constexpr int32_t kAlbumThumbnails = 4012886;
inline constexpr int32_t TownSprites = 5058380;
inline constexpr int32_t kCardSheet = 5238974;
inline constexpr int32_t ScriptOffset = 24761012;

inline constexpr Rect SceneRect{10, 10, 510, 470};
inline constexpr Rect MessageRect{15, 385, 505, 465};
inline constexpr Rect PictureBoxRect{537, 172, 613, 248};

struct CgRecord {
  int32_t Offset;
  int32_t RestX;
  int32_t RestY;
  int32_t PanKind;  // 0 full-screen still, 3 framed still, others pan (see CgDisplay)
};

struct PortraitSet {
  int32_t MaskOffset1;
  int32_t MaskOffset2;
  int32_t PortraitOffset1;
  int32_t PortraitOffset2;
  int32_t FaceSheetOffset;
  int32_t FaceX;
  int32_t FaceY;
  int32_t FaceWidth;
  int32_t FaceHeight;
};

struct AssetTableLayout {
  std::array<int32_t, 4> EventCounts;  // events of heroines 1, 2, 3 and a fourth run
  Rect ScreenRect;
  // The 70x20 page button: while CgShown, otherwise, and in the album screens.
  std::array<Rect, 3> SmallButtonRects;
  IndexedArray<CgRecord, 1, 8> CgTable;
  IndexedArray<PortraitSet, 1, 3> PortraitSets;
  IndexedArray<int32_t, 1, 17> ScenePictures;
};

inline const AssetTableLayout AssetTable = [] {
  AssetTableLayout t{};
  t.EventCounts = {8, 1, 1, 4};
  t.ScreenRect = {0, 0, 640, 480};
  t.SmallButtonRects = {Rect{540, 435, 610, 455}, Rect{430, 442, 500, 462}, Rect{48, 20, 118, 40}};
  t.CgTable = IndexedArray<CgRecord, 1, 8>("CG");
  const CgRecord cgs[8] = {{16586180, 0, 0, 0},  {17507834, 0, 60, -2}, {19274288, 0, 430, 2},
                           {21117542, 0, 0, 0},  {22039196, 0, 0, 3},   {22639250, 0, 0, 3},
                           {23239304, 0, 0, 3},  {23839358, 0, 0, 0}};
  for (int i = 1; i <= 8; ++i) t.CgTable[i] = cgs[i - 1];
  t.PortraitSets = IndexedArray<PortraitSet, 1, 3>("立ち絵");
  t.PortraitSets[1] = {12454568, 12454568, 13021802, 13021802, 14713964, 154, 140, 137, 128};
  t.PortraitSets[2] = {12643646, 12643646, 13585856, 13585856, 15082658, 90, 130, 144, 128};
  t.PortraitSets[3] = {12832724, 12832724, 14149910, 14149910, 15414488, 145, 139, 158, 127};
  t.ScenePictures = IndexedArray<int32_t, 1, 17>("シーン");
  const int32_t scenes[17] = {5554028,  6244082,  6244082,  6244082,  6934136,  7624190,
                              8314244,  9004298,  9694352,  10384406, 11074460, 11074460,
                              11074460, 11764514, 15896126, 15896126, 15896126};
  for (int i = 1; i <= 17; ++i) t.ScenePictures[i] = scenes[i - 1];
  return t;
}();

inline constexpr Rect ScreenRect{0, 0, 640, 480};

}  // namespace velmora
