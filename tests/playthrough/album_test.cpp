// The album: its title button appears once the opening's picture has been seen, seen slots
// open, locked ones only sound, and a panning picture is shown again from the album.
#include <gtest/gtest.h>

#include "gfx/asset_table.h"
#include "playthrough/play_test.h"

namespace velmora::playthrough {
namespace {

constexpr Rect kTitleAlbumButton{280, 251, 360, 281};
constexpr Rect kAlbumButtonNormalLook{0, 60, 80, 90};  // row 3 of the title button sheet
constexpr Rect kLockedSlot{0, 0, 66, 66};
constexpr Rect kViewButtonLook{66, 0, 146, 30};
constexpr int kPark = 5;

class Album : public PlayThrough {
 protected:
  bool SlotLocked(int slot) {
    const Point cell = PointerInput::AlbumSlotPos(static_cast<uint8_t>(slot), 0);
    return ShowsAssetPart(player, kAlbumSheet, kLockedSlot, cell);
  }
};

TEST_F(Album, OpensAfterTheOpeningAndShowsAPanAgain) {
  // A fresh run: the title shows no album button, and its place does not react.
  EXPECT_TRUE(ShowsAssetPart(player, kTitleBackdrop, kTitleAlbumButton, {280, 251}));
  player.OpenAlbum();
  EXPECT_EQ(player.Where(), Screen::Title);
  EXPECT_FALSE(player.form().G_Timer.Enabled());

  // The opening shows picture 4; Sanu's scene the bridge (2) and her snapshot (6).
  PlayTheOpening();
  EXPECT_EQ(s().CgSeen[4], 1);
  player.GoTo(kPark);
  EXPECT_EQ(player.ReadOn(), Screen::Map);

  // "戻る" abandons the game; the title now offers the album in its normal look.
  player.BackToTitleByMenu();
  ASSERT_EQ(player.Where(), Screen::Title);
  EXPECT_EQ(s().Points, 200);
  EXPECT_TRUE(ShowsAssetPart(player, kTitleButtonSheet, kAlbumButtonNormalLook, {280, 251}));
  player.OpenAlbum();
  ASSERT_EQ(player.Where(), Screen::Album);
  for (int slot = 1; slot <= 8; ++slot)
    EXPECT_EQ(SlotLocked(slot), slot != 2 && slot != 4 && slot != 6) << "slot " << slot;

  // A locked slot only sounds.
  player.host().ClearRecords();
  player.ClickAlbumSlot(1);
  EXPECT_EQ(player.Where(), Screen::Album);
  ASSERT_FALSE(player.host().Sounds().empty());
  const std::string& sound = player.host().Sounds().back().Path;
  EXPECT_EQ(sound.substr(sound.size() - 10), "wav/04.wav");

  // The bridge: selected, then viewed; it pans as it did in the story.
  player.ClickAlbumSlot(2);
  ASSERT_EQ(player.Where(), Screen::AlbumSlotSelected);
  EXPECT_EQ(s().CurrentCg, 2);
  EXPECT_TRUE(ShowsAssetPart(player, kAlbumSheet, kViewButtonLook, {207, 260}));
  const int ticks = player.PanTicksSeen();
  player.ViewPicture();
  EXPECT_GE(player.PanTicksSeen() - ticks, 200);
  ASSERT_EQ(player.Where(), Screen::AlbumPicture);
  EXPECT_EQ(s().ModeArg, 2);
  // At rest, rows 60..539 of the picture, and the page button's second label over it.
  EXPECT_TRUE(ShowsAssetPart(player, AssetTable.CgTable[2].Offset, Rect{0, 60, 640, 490}, {0, 0}));
  EXPECT_TRUE(WrittenOver(player, Rect{540, 435, 610, 455}));

  // The page button leads back to the album, its back button to the title.
  player.Next();
  EXPECT_EQ(player.Where(), Screen::Album);
  player.Next();
  EXPECT_EQ(player.Where(), Screen::Title);
  EXPECT_EQ(s().CgSeen[2], 1);  // the album outlives the game
}

}  // namespace
}  // namespace velmora::playthrough
