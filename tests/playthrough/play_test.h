#pragma once
// What every play-through shares: a player at the title of a fresh game, and the checks
// made after each one (no message box, every wipe ending on BackBuffer), with a few looks
// at the window a player would take.

#include <gtest/gtest.h>

#include <cstdint>

#include "playthrough/player.h"

namespace velmora::playthrough {

class PlayThrough : public ::testing::Test {
 protected:
  // A new game's opening and its photo to the first day's map. The photo is whatever the
  // first card shows (a near miss is given up), but a card that would close the store is
  // passed over.
  void PlayTheOpening();
  const GameState& s() { return player.state(); }

  void TearDown() override {
    const auto& messages = player.host().Messages();
    EXPECT_TRUE(messages.empty()) << "a message box said: " << messages.front();
    EXPECT_GT(player.WipesSeen(), 0);
    EXPECT_EQ(player.WipesNotEndingOnBackBuffer(), 0) << "of " << player.WipesSeen() << " wipes";
  }

  Player player;
};

// The picture at Offset of the asset file the game reads.
Picture AssetPicture(Player& player, int32_t offset);
// Whether the window shows Place's label on the map: its rectangle, below the row where the
// destination menu writes the names, differs from the bare town backdrop. The player's
// position marker must stand elsewhere.
bool MapShowsLabel(Player& player, int place);
// The grey of text style 4, in which the choice panel writes its options.
inline constexpr uint32_t kCaptionGrey = 0x808080;
// Whether the window shows text of Color in Area: the full-coverage pixels of a glyph take
// the pen's colour exactly, which the darkened scene under the message window never has.
bool Inked(Player& player, const Rect& area, uint32_t color);
// Whether the window shows Part of the picture at Offset with Part's top-left at At.
bool ShowsAssetPart(Player& player, int32_t offset, const Rect& part, Point at);
// Whether the window shows, in Area, something other than BackBuffer (text written over it).
bool WrittenOver(Player& player, const Rect& area);

}  // namespace velmora::playthrough
