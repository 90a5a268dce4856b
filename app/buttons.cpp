#include "app/buttons.h"

#include "app/form.h"
#include "gfx/asset_table.h"

namespace velmora {

void Buttons::DrawButton(int state, int id) {
  GameState& s = form_.State;
  AssetPictures& assets = form_.Assets;
  if (id >= 1 && id <= 4) {
    const Rect dst{280, 183 + 34 * (id - 1), 360, 213 + 34 * (id - 1)};
    const Rect src{80 * state, 30 * (id - 1), 80 * state + 80, 30 * id};
    assets.DrawAssetRect(src, dst, kTitleButtonSheet, 0);
    if (state == 0) assets.DrawAssetRect(src, dst, kTitleButtonSheet, 1);
  } else if (id == 5) {
    const Rect dst = (s.ScreenMode == 2 || s.ScreenMode == 8) ? AssetTable.SmallButtonRects[2]
                     : s.CgShown == 0                         ? AssetTable.SmallButtonRects[1]
                                                              : AssetTable.SmallButtonRects[0];
    const int label = s.ModeArg == 1 ? 0 : 40;
    assets.DrawAssetSprite({0, 20 * state + label, 70, 20 * state + label + 20}, dst, kPageButtonSheet, 0);
  } else if (id == 6) {
    if (s.CurrentCg < 1 || s.CurrentCg > 8) return;  // no slot selected: nothing to draw
    const Point at = PointerInput::AlbumSlotPos(s.CurrentCg, 0);
    const Rect dst{at.X, at.Y, at.X + 66, at.Y + 66};
    if (state == 0) {
      assets.DrawAssetRect({0, 0, 66, 66}, dst, kAlbumSheet, 1);
    } else {
      const Point cell = PointerInput::AlbumSlotPos(s.CurrentCg, state);
      assets.DrawAssetRect({cell.X, cell.Y, cell.X + 66, cell.Y + 66}, dst, kAlbumThumbnails, 0);
    }
  } else if (id == 7 || id == 8) {
    const int k = id - 7;
    const Rect dst{207 + 147 * k, 260, 287 + 147 * k, 290};
    if (state == 2)
      CopyRect(form_.ImageBa.Bitmap, dst, form_.BackBuffer, dst);
    else
      assets.DrawAssetRect({66 + 80 * k, 30 * state, 146 + 80 * k, 30 * state + 30}, dst, kAlbumSheet, 0);
  } else if (id == 9 || id == 10) {
    const int k = id - 9;
    const int top = 55 + form_.Town.ConfirmTop();
    assets.DrawAssetRect({300, 24 * k, 340, 24 * (k + 1)}, {224 + 45 * k, top, 264 + 45 * k, top + 24}, TownSprites,
                         0);
  }
}

}  // namespace velmora
