#include <gtest/gtest.h>

#include "gfx/asset_table.h"
#include "support/fixtures.h"

namespace velmora {
namespace {

using testing::TestGame;

TEST(HitTests, ButtonsByModeWithInclusiveBorders) {
  TestGame game;
  GameState& s = game.state();
  const PointerInput& in = game.form().Input;
  s.ScreenMode = 1;
  EXPECT_EQ(in.ButtonAt(280, 183), 1);
  EXPECT_EQ(in.ButtonAt(360, 213), 1);
  EXPECT_EQ(in.ButtonAt(361, 200), 0);
  EXPECT_EQ(in.ButtonAt(300, 217), 0);  // button 2's place never reacts
  EXPECT_EQ(in.ButtonAt(300, 260), 0);  // album only once CG 4 was seen
  s.CgSeen[4] = 1;
  EXPECT_EQ(in.ButtonAt(300, 260), 3);
  EXPECT_EQ(in.ButtonAt(300, 315), 4);
  for (int mode : {3, 4, 6}) {
    s.ScreenMode = mode;
    s.CgShown = 0;
    EXPECT_EQ(in.ButtonAt(430, 442), 5);
    EXPECT_EQ(in.ButtonAt(499, 461), 5);
    EXPECT_EQ(in.ButtonAt(540, 440), 0);
    s.CgShown = 1;
    EXPECT_EQ(in.ButtonAt(540, 435), 5);
    EXPECT_EQ(in.ButtonAt(609, 454), 5);
    EXPECT_EQ(in.ButtonAt(450, 450), 0);
  }
  s.ScreenMode = 2;
  EXPECT_EQ(in.ButtonAt(48, 20), 5);
  EXPECT_EQ(in.ButtonAt(250, 270), 0);
  s.ScreenMode = 8;
  EXPECT_EQ(in.ButtonAt(117, 39), 5);
  EXPECT_EQ(in.ButtonAt(287, 290), 7);
  for (int mode : {0, 5, 7}) {
    s.ScreenMode = mode;
    EXPECT_EQ(in.ButtonAt(300, 200), 0);
    EXPECT_EQ(in.ButtonAt(450, 450), 0);
  }
}

TEST(HitTests, AlbumSlotsFollowTheirGridRule) {
  const Point screen[9] = {{}, {24, 183}, {90, 183}, {156, 183}, {90, 303}, {156, 303}, {222, 303}, {288, 303}, {24, 369}};
  const Point pressed[9] = {{}, {0, 132}, {66, 132}, {132, 132}, {0, 198}, {66, 198}, {132, 198}, {198, 198}, {0, 264}};
  for (uint8_t slot = 1; slot <= 8; ++slot) {
    EXPECT_EQ(PointerInput::AlbumSlotPos(slot, 0), screen[slot]) << int(slot);
    EXPECT_EQ(PointerInput::AlbumSlotPos(slot, 1), pressed[slot]) << int(slot);
    EXPECT_EQ(PointerInput::AlbumSlotPos(slot, 2), (Point{pressed[slot].X, pressed[slot].Y + 330})) << int(slot);
    const Point at = screen[slot];
    EXPECT_EQ(PointerInput::AlbumSlotAt(at.X, at.Y), slot);
    EXPECT_EQ(PointerInput::AlbumSlotAt(at.X + 65, at.Y + 65), slot);
  }
  EXPECT_EQ(PointerInput::AlbumSlotAt(300, 200), 0);
  EXPECT_EQ(PointerInput::AlbumSlotAt(24, 435), 0);
  EXPECT_THROW(PointerInput::AlbumSlotPos(9, 0), GameError);
  EXPECT_EQ(PointerInput::CardAt(50, 160), 1);
  EXPECT_EQ(PointerInput::CardAt(250, 285), 2);
  EXPECT_EQ(PointerInput::CardAt(270, 200), 3);
  EXPECT_EQ(PointerInput::CardAt(470, 200), 4);
  EXPECT_EQ(PointerInput::CardAt(150, 200), 0);
  EXPECT_EQ(PointerInput::CardAt(100, 286), 0);
}

TEST(TitleInput, HoverLightsOneButtonAndAPressRunsItsActionWhereverReleased) {
  TestGame game;
  game.RunToTitle();
  TForm1& f = game.form();
  HeadlessHost& host = game.host();
  const Picture sheet = f.Assets.ReadPicture(kTitleButtonSheet);
  const Picture title = f.Assets.ReadPicture(kTitleBackdrop);

  host.Move(300, 300);  // over exit: its hover look, the others as the title shows them
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(285, 290), sheet.PixelColor(165, 95));
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(285, 190), title.PixelColor(285, 190));
  host.Move(300, 190);  // over new game: exit is wiped back
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(285, 190), sheet.PixelColor(165, 7));
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(285, 290), title.PixelColor(285, 290));
  host.Move(10, 10);
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(285, 190), title.PixelColor(285, 190));

  host.Press(300, 190, MouseButton::Right);
  EXPECT_EQ(game.state().PressedButton, 0);
  EXPECT_TRUE(host.Sounds().empty());

  host.Press(300, 190);
  EXPECT_EQ(game.state().PressedButton, 1);
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(285, 190), sheet.PixelColor(85, 7));  // pressed look
  ASSERT_EQ(host.Sounds().size(), 1u);
  host.Move(300, 300);  // a held button keeps its look: no hover
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(285, 290), title.PixelColor(285, 290));
  host.Release(600, 450);
  EXPECT_EQ(game.state().PressedButton, 0);
  EXPECT_EQ(game.state().ScreenMode, 6);  // new game
  EXPECT_TRUE(f.G_Timer.Enabled());

  // Input is dropped during the mode change.
  host.Press(300, 300);
  EXPECT_EQ(game.state().PressedButton, 0);
}

TEST(TitleInput, ExitButtonClosesTheProgram) {
  TestGame game;
  game.RunToTitle();
  game.host().Click(320, 300);
  EXPECT_TRUE(game.host().Closed());
}

TEST(AlbumInput, UnseenSlotsBuzzSeenOnesSelectAndViewOrDeselect) {
  TestGame game;
  game.RunToTitle();
  TForm1& f = game.form();
  HeadlessHost& host = game.host();
  GameState& s = game.state();
  s.CgSeen[2] = 1;
  f.Modes.SwitchMode(2, 0);
  ASSERT_TRUE(host.RunUntilIdle());
  const Picture thumbs = f.Assets.ReadPicture(kAlbumThumbnails);
  host.ClearRecords();

  host.Move(30, 190);  // unseen slot 1: no highlight
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(30, 190), f.BackBuffer.PixelColor(30, 190));
  host.Move(100, 190);  // seen slot 2: its hover look
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(100, 190), thumbs.PixelColor(66 + 10, 462 + 7));
  EXPECT_EQ(s.CurrentCg, 0);

  host.Click(30, 190);
  ASSERT_EQ(host.Sounds().size(), 1u);
  EXPECT_NE(host.Sounds()[0].Path.find("04.wav"), std::string::npos);
  EXPECT_EQ(s.ScreenMode, 2);

  host.Press(100, 190);
  EXPECT_EQ(s.CurrentCg, 2);
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(100, 190), thumbs.PixelColor(66 + 10, 132 + 7));
  EXPECT_NE(host.Sounds().back().Path.find("01.wav"), std::string::npos);
  host.Release(100, 190);
  EXPECT_EQ(s.ScreenMode, 8);  // selected, without a mode change
  EXPECT_FALSE(f.G_Timer.Enabled());
  const Picture albumSheet = f.Assets.ReadPicture(kAlbumSheet);
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(210, 263), albumSheet.PixelColor(69, 3));  // view button

  host.Click(100, 190);  // the selected slot again: deselect, erase both buttons
  EXPECT_EQ(s.ScreenMode, 2);
  EXPECT_EQ(s.CurrentCg, 0);
  EXPECT_EQ(f.ImageBa.Bitmap.PixelColor(210, 263), f.BackBuffer.PixelColor(210, 263));

  host.Click(100, 190);
  host.Click(250, 270);  // view
  EXPECT_EQ(s.ScreenMode, 5);
  EXPECT_EQ(s.ModeArg, 2);
  EXPECT_TRUE(f.G_Timer.Enabled());
}

TEST(EndingInput, AnyLeftReleaseReturnsToTheTitleWithoutASound) {
  TestGame game;
  game.RunToTitle();
  GameState& s = game.state();
  s.ScreenMode = 7;
  s.Points = 5;
  game.form().ReSet_Btn1.SetEnabled(true);
  game.host().Click(5, 5);
  EXPECT_TRUE(game.host().Sounds().empty());
  EXPECT_EQ(s.ScreenMode, 1);
  EXPECT_EQ(s.ModeArg, 0);
  EXPECT_EQ(s.Points, 200);
}

}  // namespace
}  // namespace velmora
