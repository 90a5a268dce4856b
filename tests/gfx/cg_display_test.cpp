#include <gtest/gtest.h>

#include "app/pointer_input.h"
#include "gfx/asset_table.h"
#include "gfx_fixtures.h"

namespace velmora {
namespace {

using testing::RecordingGame;
using testing::RowCodedPicture;
using testing::TestGame;
using testing::WindowOf;

// The demo pictures with row-coded CGs, so that every window position looks different.
const std::vector<uint8_t>& RowCodedCgAsset() {
  static const std::vector<uint8_t> asset = [] {
    std::vector<uint8_t> a = testing::DemoAssetBytes();
    a = testing::AssetWithPicture(std::move(a), AssetTable.CgTable[1].Offset, RowCodedPicture(640, 480));
    a = testing::AssetWithPicture(std::move(a), AssetTable.CgTable[2].Offset, RowCodedPicture(640, 920));
    a = testing::AssetWithPicture(std::move(a), AssetTable.CgTable[3].Offset, RowCodedPicture(640, 960));
    a = testing::AssetWithPicture(std::move(a), AssetTable.CgTable[5].Offset, RowCodedPicture(500, 400));
    return a;
  }();
  return asset;
}

// The row of the CG that the screen's row Y shows (row-coded pictures only).
int CgRowOnScreen(const Picture& screen, int y) {
  const uint32_t c = screen.PixelColor(5, y);
  return static_cast<int>(((c >> 16) & 0xFF) << 8 | ((c >> 8) & 0xFF));
}

struct PanRun {
  std::vector<int> Shown;  // PanY of every tick's frame
  int Ticks = 0;
};

// Ticks CG_Timer until the pan leaves mode 5, checking each tick's frame on the screen.
PanRun TickUntilRest(TForm1& form, const Picture& cg) {
  PanRun run;
  while (form.State.ScreenMode == 5 && run.Ticks < 2000) {
    const int x = form.State.PanX, y = form.State.PanY;
    form.CG_TimerTimer();
    ++run.Ticks;
    run.Shown.push_back(y);
    EXPECT_EQ(CgRowOnScreen(form.ImageBa.Bitmap, 0), y);
    EXPECT_EQ(CgRowOnScreen(form.ImageBa.Bitmap, 479), y + 479);
    if (run.Ticks == 1 || form.State.ScreenMode != 5) {
      EXPECT_TRUE(form.ImageBa.Bitmap == WindowOf(cg, x, y));
    }
  }
  return run;
}

void ExpectRestState(TForm1& form, const Picture& restFrame) {
  EXPECT_EQ(form.State.ScreenMode, 6);
  EXPECT_FALSE(form.CG_Timer.Enabled());
  EXPECT_TRUE(form.G_Timer.Enabled());  // the mode change to the text pages is under way
  EXPECT_TRUE(form.ImageCG.Bitmap.IsEmpty());
  EXPECT_TRUE(form.BackBuffer == restFrame);
}

TEST(CgPan, CgTwoScrollsUpFromTheBottomAndRestsAtRowSixty) {
  TestGame game(RowCodedCgAsset());
  TForm1& form = game.form();
  const Picture cg = form.Assets.ReadPicture(AssetTable.CgTable[2].Offset);
  GameState& s = game.state();
  s.CurrentCg = 2;
  s.ScreenMode = 5;
  form.Cg.ShowCg();
  EXPECT_EQ(s.ScreenMode, 5);
  EXPECT_TRUE(form.ImageCG.Bitmap == cg);
  EXPECT_EQ(s.PanX, 0);
  EXPECT_EQ(s.PanY, 440);
  EXPECT_TRUE(form.BackBuffer == WindowOf(cg, 0, 440));  // the start frame, rows 440..919
  form.CG_Timer.SetEnabled(true);
  const PanRun run = TickUntilRest(form, cg);
  ASSERT_EQ(run.Ticks, 220);
  for (int i = 0; i < run.Ticks; ++i) EXPECT_EQ(run.Shown[static_cast<size_t>(i)], 440 - 2 * i);
  EXPECT_EQ(s.PanY, 0);
  ExpectRestState(form, WindowOf(cg, 0, 60));
}

TEST(CgPan, CgThreeScrollsDownFromTheTopAndRestsAtRowFourHundredThirty) {
  TestGame game(RowCodedCgAsset());
  TForm1& form = game.form();
  const Picture cg = form.Assets.ReadPicture(AssetTable.CgTable[3].Offset);
  GameState& s = game.state();
  s.CurrentCg = 3;
  s.ScreenMode = 5;
  form.Cg.ShowCg();
  EXPECT_TRUE(form.BackBuffer == WindowOf(cg, 0, 0));
  form.CG_Timer.SetEnabled(true);
  const PanRun run = TickUntilRest(form, cg);
  ASSERT_EQ(run.Ticks, 241);
  for (int i = 0; i < run.Ticks; ++i) EXPECT_EQ(run.Shown[static_cast<size_t>(i)], 2 * i);
  EXPECT_EQ(s.PanY, 482);
  ExpectRestState(form, WindowOf(cg, 0, 430));
}

TEST(CgPan, EveryPanKindStartsAndEndsWhereItsRuleSays) {
  struct Case {
    int32_t Kind;
    int Width, Height;
    Point Start;
    int Ticks;     // until the end test holds
    Point Last;    // the position after the last tick
  };
  const Case cases[] = {
      {1, 840, 600, {0, 0}, 101, {202, 101}},
      {4, 840, 600, {200, 0}, 100, {0, 100}},
      {-1, 840, 600, {200, 120}, 100, {0, 20}},
      {-4, 840, 600, {0, 120}, 101, {202, 19}},
      {-2, 640, 920, {30, 440}, 220, {30, 0}},
      {2, 640, 960, {30, 0}, 241, {30, 482}},
      {3, 640, 490, {30, 0}, 4, {30, 12}},
      {-3, 640, 490, {30, 0}, 1, {30, -3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Kind);
    const Point start = CgDisplay::PanStart(c.Kind, 30, c.Width, c.Height);
    EXPECT_EQ(start, c.Start);
    int32_t x = start.X, y = start.Y;
    int ticks = 0;
    bool ended = false;
    while (!ended && ticks < 5000) {
      ended = CgDisplay::PanStep(c.Kind, c.Width, c.Height, x, y);
      ++ticks;
    }
    EXPECT_EQ(ticks, c.Ticks);
    EXPECT_EQ((Point{x, y}), c.Last);
  }
}

TEST(CgPan, APressDuringThePanShowsTheRestFrameAtOnce) {
  TestGame game(RowCodedCgAsset());
  TForm1& form = game.form();
  HeadlessHost& host = game.host();
  game.RunToTitle();
  const Picture cg = form.Assets.ReadPicture(AssetTable.CgTable[3].Offset);
  game.state().CurrentCg = 3;
  game.state().CgShown = 1;
  form.Modes.SwitchMode(5, 1);
  ASSERT_TRUE(host.RunUntilIdle());
  // Mode 5 settled: the start frame came on with the wipe and the pan timer runs.
  EXPECT_TRUE(form.CG_Timer.Enabled());
  EXPECT_TRUE(host.Window() == WindowOf(cg, 0, 0));
  host.RunFor(160);
  const int panned = game.state().PanY;
  EXPECT_GT(panned, 0);
  EXPECT_EQ(CgRowOnScreen(host.Window(), 0), panned - 2);
  host.Press(320, 240);
  ExpectRestState(form, WindowOf(cg, 0, 430));
  EXPECT_TRUE(host.Messages().empty());
}

TEST(CgPan, StillsNeverStartThePanTimer) {
  TestGame game(RowCodedCgAsset());
  TForm1& form = game.form();
  game.RunToTitle();
  Picture framed = form.Assets.ReadPicture(PlainBackdrop);
  DrawPicture(framed, 70, 40, form.Assets.ReadPicture(AssetTable.CgTable[5].Offset));
  const Picture full = WindowOf(form.Assets.ReadPicture(AssetTable.CgTable[1].Offset), 0, 0);
  for (int cg : {1, 4, 5, 6, 7, 8}) {
    SCOPED_TRACE(cg);
    game.state().CurrentCg = static_cast<uint8_t>(cg);
    game.state().ScreenMode = 5;
    form.ImageCG.Bitmap = Picture(640, 960);  // even a pan picture left over goes
    form.Cg.ShowCg();
    EXPECT_EQ(game.state().ScreenMode, 6);
    EXPECT_TRUE(form.ImageCG.Bitmap.IsEmpty());
    EXPECT_FALSE(form.CG_Timer.Enabled());
    if (cg == 1) {
      EXPECT_TRUE(form.BackBuffer == full);
    } else if (cg == 5) {
      EXPECT_TRUE(form.BackBuffer == framed);
    }
  }
  // Through the mode machine: the still's phase 2 is that of mode 6.
  game.state().CurrentCg = 1;
  form.Modes.SwitchMode(5, 1);
  bool wiped = false;
  for (int ms = 0; ms < 2000 && form.G_Timer.Enabled(); ++ms) {
    game.host().RunFor(1);
    ASSERT_FALSE(form.CG_Timer.Enabled()) << ms;
    if (!wiped && form.G_Timer.Tag == 1) {
      wiped = true;  // phase 1 is over: the still came on with the wipe
      EXPECT_EQ(game.state().ScreenMode, 6);
      EXPECT_TRUE(form.ImageBa.Bitmap == full);
    }
  }
  EXPECT_TRUE(wiped);
  EXPECT_FALSE(form.G_Timer.Enabled());
}

TEST(CgPan, TheRestFrameWithoutPanningAndAStillKeepsItsOwnFrame) {
  TestGame game(RowCodedCgAsset());
  TForm1& form = game.form();
  GameState& s = game.state();
  // A panning CG at its rest position at once, as "<CG_text>" shows it.
  s.CurrentCg = 2;
  s.ScreenMode = 5;
  form.Cg.ShowCg();
  form.Cg.FinishCgPan();
  ExpectRestState(form, WindowOf(form.Assets.ReadPicture(AssetTable.CgTable[2].Offset), 0, 60));
  EXPECT_EQ(s.CgSeen[2], 0);
  // A still has no pan source: BackBuffer keeps the still as ShowCg put it there.
  s.CurrentCg = 1;
  form.Cg.ShowCg();
  form.Cg.FinishCgPan();
  ExpectRestState(form, WindowOf(form.Assets.ReadPicture(AssetTable.CgTable[1].Offset), 0, 0));
}

TEST(CgPan, CgNumbersOutsideTheTableRaiseTheGameError) {
  RecordingGame game(RowCodedCgAsset());
  TForm1& form = game.form();
  form.BackBuffer = testing::NoisePicture(640, 480, 51);
  const Picture backBuffer = form.BackBuffer;
  for (int cg : {0, 9, 255}) {
    game.state().CurrentCg = static_cast<uint8_t>(cg);
    game.state().ScreenMode = 5;
    EXPECT_THROW(form.Cg.ShowCg(), GameError);
    EXPECT_EQ(game.state().ScreenMode, 5);
    EXPECT_TRUE(form.BackBuffer == backBuffer);
    // A failing tick stops the 1 ms timer instead of failing again and again.
    form.CG_Timer.SetEnabled(true);
    EXPECT_THROW(form.CG_TimerTimer(), GameError);
    EXPECT_FALSE(form.CG_Timer.Enabled());
    form.CG_Timer.SetEnabled(true);
    EXPECT_THROW(form.Cg.FinishCgPan(), GameError);
    EXPECT_FALSE(form.CG_Timer.Enabled());
  }
}

TEST(CgPan, AWindowReachingOutsideThePictureCopiesOnlyWhatIsInside) {
  TestGame game(RowCodedCgAsset());
  TForm1& form = game.form();
  GameState& s = game.state();
  s.CurrentCg = 3;  // pans downward
  s.ScreenMode = 5;
  const Picture small = RowCodedPicture(320, 240);
  form.ImageCG.Bitmap = small;
  form.ImageBa.Bitmap = testing::NoisePicture(640, 480, 52, PixelFormat::Bgrx32);
  const Picture screen = form.ImageBa.Bitmap;
  form.BackBuffer = testing::NoisePicture(640, 480, 53);
  const Picture backBuffer = form.BackBuffer;
  s.PanX = 0;
  s.PanY = 0;
  form.CG_TimerTimer();
  EXPECT_EQ(testing::DifferingPixels(form.ImageBa.Bitmap, WindowOf(small, 0, 0), {0, 0, 320, 240}), 0);
  EXPECT_EQ(testing::DifferingPixels(form.ImageBa.Bitmap, screen, {320, 0, 640, 480}), 0);
  EXPECT_EQ(testing::DifferingPixels(form.ImageBa.Bitmap, screen, {0, 240, 320, 480}), 0);
  // The picture is shorter than the window, so the pan ends at once; the rest window
  // (0, 430) lies wholly below it and BackBuffer keeps what it had.
  EXPECT_EQ(s.ScreenMode, 6);
  EXPECT_TRUE(form.BackBuffer == backBuffer);
}

Picture AlbumWithLockedSlots(TForm1& form, const std::vector<int>& locked) {
  Picture expected = form.Assets.ReadPicture(kAlbumBackdrop);
  const Picture sheet = form.Assets.ReadPicture(kAlbumSheet);
  for (int slot : locked) {
    const Point at = PointerInput::AlbumSlotPos(static_cast<uint8_t>(slot), 0);
    CopyRect(expected, {at.X, at.Y, at.X + 66, at.Y + 66}, sheet, {0, 0, 66, 66});
  }
  return expected;
}

TEST(Album, LockedSlotsCoverExactlyTheUnseenPictures) {
  TestGame game;
  TForm1& form = game.form();
  GameState& s = game.state();
  struct Case {
    std::vector<int> Seen;
    std::vector<int> Locked;
  };
  const Case cases[] = {
      {{}, {1, 2, 3, 4, 5, 6, 7, 8}},
      {{1, 2, 3, 4, 5, 6, 7, 8}, {}},
      {{2, 5, 8}, {1, 3, 4, 6, 7}},
  };
  for (const Case& c : cases) {
    s.CgSeen.Fill(0);
    for (int n : c.Seen) s.CgSeen[n] = 1;
    s.CurrentCg = 4;
    s.CgShown = 0;
    form.Assets.LoadBackdrop(kAlbumBackdrop);
    form.Cg.DrawUnseenCgSlots();
    EXPECT_TRUE(form.BackBuffer == AlbumWithLockedSlots(form, c.Locked)) << c.Seen.size();
    EXPECT_EQ(s.CurrentCg, 0);
    EXPECT_EQ(s.CgShown, 1);
  }
  // The album screen itself, through the mode machine.
  game.RunToTitle();
  s.CgSeen.Fill(0);
  s.CgSeen[4] = 1;
  form.Modes.SwitchMode(2, 0);
  ASSERT_TRUE(game.host().RunUntilIdle());
  EXPECT_TRUE(game.host().Window() == AlbumWithLockedSlots(form, {1, 2, 3, 5, 6, 7, 8}));
  EXPECT_EQ(s.CgShown, 1);
}

}  // namespace
}  // namespace velmora
