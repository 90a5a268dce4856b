#include "playthrough/play_test.h"

#include "gfx/asset_table.h"
#include "town/town_map.h"

namespace velmora::playthrough {

void PlayThrough::PlayTheOpening() {
  player.StartNewGame();
  ASSERT_EQ(player.ReadOn(), Screen::PhotoGame);
  player.TakePhoto(s().GameCards[1] == 5 ? s().GameCards[2] : s().GameCards[1]);
  if (player.ReadOn() == Screen::Choice) player.Choose(12);
  player.ReadToMap();
  EXPECT_EQ(s().DayCount, 1);
}

Picture AssetPicture(Player& player, int32_t offset) { return player.form().Assets.ReadPicture(offset); }

bool MapShowsLabel(Player& player, int place) {
  const Rect& label = PlaceTable[place].MapRect;
  const Rect belowName{label.Left, label.Top + 4, label.Right, label.Bottom};
  return !SameArea(player.host().Window(), AssetPicture(player, TownBackdrop), belowName);
}

bool ShowsAssetPart(Player& player, int32_t offset, const Rect& part, Point at) {
  const Picture source = AssetPicture(player, offset);
  Picture expected = player.host().Window();
  const Rect area = part.Moved(at.X - part.Left, at.Y - part.Top);
  CopyRect(expected, area, source, part);
  return SameArea(player.host().Window(), expected, area);
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
