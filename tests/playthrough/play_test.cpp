#include "playthrough/play_test.h"

#include "gfx/asset_table.h"
#include "town/town_map.h"

namespace velmora::playthrough {

Picture AssetPicture(Player& player, int32_t offset) { return player.form().Assets.ReadPicture(offset); }

bool MapShowsLabel(Player& player, int place) {
  const Rect& label = PlaceTable[place].MapRect;
  const Rect belowName{label.Left, label.Top + 4, label.Right, label.Bottom};
  return !SameArea(player.host().Window(), AssetPicture(player, TownBackdrop), belowName);
}

bool Inked(Player& player, const Rect& area, uint32_t color) {
  int pixels = 0;
  const Picture& window = player.host().Window();
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) pixels += window.PixelColor(x, y) == color;
  return pixels >= 3;
}

bool WrittenOver(Player& player, const Rect& area) {
  return !SameArea(player.host().Window(), player.form().BackBuffer, area);
}

}  // namespace velmora::playthrough
