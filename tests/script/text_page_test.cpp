// Where a text page draws its lines, what else it puts on screen, and play through the
// mode timer and the page button, errors included.
#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/canvas.h"
#include "gfx/sjis.h"
#include "play_fixture.h"

namespace velmora {
namespace {

using testing::Play;
using Lines = std::vector<std::string>;

constexpr uint32_t kFill = 0x305070;

// The screen after one page of Lines from Pos, on a screen filled with kFill first.
Picture PageScreen(Play& p, uint16_t pos, const Lines& lines) {
  p.form.ScriptLines.Assign(lines);
  p.s.ScriptPos = pos;
  p.form.ImageBa.Bitmap.Fill(kFill);
  p.form.Interp.ShowTextPage();
  return p.form.ImageBa.Bitmap;
}

// Bounding box of the pixels in which A and B differ (empty when none do).
Rect DiffBounds(const Picture& a, const Picture& b) {
  Rect box{a.Width(), a.Height(), 0, 0};
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.PixelColor(x, y) != b.PixelColor(x, y)) box = {std::min(box.Left, x), std::min(box.Top, y),
                                                           std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
  return box;
}

// The page drawn on empty lines is the same screen without its text; the text drawn
// onto that at the expected places must give the real page exactly.
void ExpectLinesAt(Play& p, const Lines& text, std::initializer_list<Point> at) {
  Lines blank = text;
  for (size_t i = 2; i < 2 + at.size(); ++i) blank[i].clear();
  const Picture shown = PageScreen(p, 2, text);
  Picture expected = PageScreen(p, 2, blank);
  EXPECT_FALSE(shown == expected);
  size_t i = 2;
  for (Point point : at) TextOut(expected, p.form.ImageBa.Canvas, point.X, point.Y, text[i++]);
  EXPECT_TRUE(shown == expected) << "text drawn elsewhere; differences within "
                                 << DiffBounds(shown, expected).Left << "," << DiffBounds(shown, expected).Top;
}

TEST(TextPagePositions, TownFrameAndFullScreenPicture) {
  Play p("*x\n");
  const Lines text = {"*mirel_1", "<Aite0>", "MWMW", "Hg|j", "0123", "*next_time"};
  p.s.CgShown = 0;
  ExpectLinesAt(p, text, {{35, 395}, {35, 415}, {35, 435}});
  p.s.CgShown = 1;
  ExpectLinesAt(p, text, {{45, 390}, {45, 410}, {45, 430}});
  const Lines shortPage = {"*mirel_1", "<Aite0>", "MWMW", "<B>", "1"};
  p.s.CgShown = 0;
  ExpectLinesAt(p, shortPage, {{35, 395}});
}

TEST(TextPagePositions, JapaneseLinesKeepTheirBytes) {
  Play p("*x\n");
  const Lines text = {"*mirel_1", "<Aite0>", Sjis("この町で、写真を撮ることにした。"), Sjis("「・・・！」"), "",
                      "*next_time"};
  ExpectLinesAt(p, text, {{35, 395}, {35, 415}, {35, 435}});
}

TEST(TextPageParts, ThePageButtonIsLeftOutWhileAChoiceIsOpen) {
  Play p("*x\n");
  const Lines blank = {"*x", "*x", "", "*next_time"};
  for (uint8_t cgShown : {0, 1}) {
    p.s.CgShown = cgShown;
    p.s.TownPhase = 3;
    const Picture withButton = PageScreen(p, 2, blank);
    p.s.TownPhase = 4;
    const Picture withoutButton = PageScreen(p, 2, blank);
    const Rect button = cgShown ? Rect{540, 435, 610, 455} : Rect{430, 442, 500, 462};
    const Rect diff = DiffBounds(withButton, withoutButton);
    EXPECT_FALSE(diff.IsEmpty());
    EXPECT_EQ(diff.Intersected(button), diff) << "CgShown " << int(cgShown);
  }
}

TEST(TextPageParts, AFramedCgHasNoMessageWindow) {
  Play p("*x\n");
  p.s.CgShown = 1;
  p.s.CurrentCg = 5;  // framed on the plain backdrop
  const Picture framed = PageScreen(p, 2, {"*x", "*x", "", "*next_time"});
  for (Point in : {Point{30, 385}, Point{600, 385}, Point{300, 455}})
    EXPECT_EQ(framed.PixelColor(in.X, in.Y), kFill);
}

TEST(TextPageParts, ThePageAfterTheLastLineRaisesTheListError) {
  Play p("*x\n");
  p.form.ScriptLines.Assign({"*x", "*x", "A", "B"});
  p.s.ScriptPos = 2;
  EXPECT_EQ(Play::ErrorOf([&] { p.form.Interp.ShowTextPage(); }), "リストのインデックスが範囲を超えています (4)");
  EXPECT_EQ(p.s.ScriptPos, 2);
  p.form.ScriptLines.Assign({"*x", "*x", "A", "B", "C"});
  EXPECT_EQ(Play::ErrorOf([&] { p.form.Interp.ShowTextPage(); }), "リストのインデックスが範囲を超えています (5)");
}

// --- through the mode timer and the page button ---

constexpr int kPageButtonX = 440, kPageButtonY = 450;

// A started game stopped on the title, then sent into mode 6 for Partner and Event.
void EnterEvent(testing::TestGame& game, uint8_t partner, uint8_t event) {
  game.RunToTitle();
  game.form().Modes.ResetGameState();
  game.state().Partner = partner;
  game.state().CurrentEvent = event;
  game.state().TargetPlace = 7;
  game.form().Modes.SwitchMode(6, 1);
  game.host().RunUntilIdle();
}

TEST(PlayThroughTheModeTimer, ANewGamePlaysTheOpeningIntoThePhotoGame) {
  testing::TestGame game(std::string("*OP\n<B>\n1\nA\nB\nC\nD\n*next_ba\n"));
  game.RunToTitle();
  game.host().ClickMenu(game.form().Start_Btn1);
  EXPECT_TRUE(game.host().RunUntilIdle());
  EXPECT_EQ(game.state().ScreenMode, 6);
  EXPECT_EQ(game.state().ScriptPos, 6);  // the first page: A, B, C
  EXPECT_EQ(game.state().TargetPlace, 1);
  EXPECT_EQ(game.state().Points, 200);  // the home scene at home costs nothing
  game.host().Click(kPageButtonX, kPageButtonY);
  EXPECT_EQ(game.state().ScriptPos, 7);
  EXPECT_FALSE(game.form().G_Timer.Enabled());
  game.host().Click(kPageButtonX, kPageButtonY);
  EXPECT_EQ(game.state().DayCount, 1);
  EXPECT_EQ(game.state().CurrentPlace, 6);
  EXPECT_EQ(game.state().CurrentEvent, 11);
  EXPECT_EQ(game.state().ScreenMode, 3);
  EXPECT_TRUE(game.form().G_Timer.Enabled());
  EXPECT_TRUE(game.host().Messages().empty());
}

TEST(PlayThroughTheModeTimer, ABadArgumentIsReportedAndPlayGoesOn) {
  testing::TestGame game(std::string("*mirel_1\n<Aite0>\nA\n<B>\nabc\nB\n*next_time\n"));
  EnterEvent(game, 1, 1);
  EXPECT_EQ(game.state().ScriptPos, 3);
  game.host().Click(kPageButtonX, kPageButtonY);
  ASSERT_EQ(game.host().Messages().size(), 1u);
  EXPECT_EQ(game.host().Messages()[0], "'abc' は整数ではありません");
  EXPECT_EQ(game.state().ScriptPos, 4);
  EXPECT_FALSE(game.form().G_Timer.Enabled());
  // The next press plays on from where the command stopped: the argument line is text.
  game.host().Click(kPageButtonX, kPageButtonY);
  EXPECT_EQ(game.state().ScriptPos, 6);
  game.host().Click(kPageButtonX, kPageButtonY);
  EXPECT_EQ(game.state().ScreenMode, 4);
  EXPECT_EQ(game.host().Messages().size(), 1u);
}

TEST(PlayThroughTheModeTimer, ABlockRunningOffTheEndIsReportedAndTheWayBackStaysOpen) {
  testing::TestGame game(std::string("*mirel_1\n<Aite0>\nA\nB\n"));
  EnterEvent(game, 1, 1);
  ASSERT_EQ(game.host().Messages().size(), 1u);
  EXPECT_EQ(game.host().Messages()[0], "リストのインデックスが範囲を超えています (4)");
  EXPECT_FALSE(game.form().G_Timer.Enabled());
  EXPECT_TRUE(game.form().ReSet_Btn1.Enabled());
  game.host().ClickMenu(game.form().ReSet_Btn1);
  EXPECT_TRUE(game.host().RunUntilIdle());
  EXPECT_EQ(game.state().ScreenMode, 1);
}

TEST(PlayThroughTheModeTimer, AnEmptyScriptIsReportedAtTheBlockStart) {
  testing::TestGame game(std::string(""));
  EnterEvent(game, 0, 0);
  ASSERT_FALSE(game.host().Messages().empty());
  EXPECT_EQ(game.host().Messages()[0], "リストのインデックスが範囲を超えています (0)");
  EXPECT_FALSE(game.form().G_Timer.Enabled());
  EXPECT_TRUE(game.form().ReSet_Btn1.Enabled());
}

TEST(PlayThroughTheModeTimer, ABadChoiceSetIsReportedInsteadOfAPanelWithoutOptions) {
  testing::TestGame game(std::string("*mirel_1\n<Aite0>\nA\n<Sentaku>\n4\nQ\nY\nN\n*next_time\n"));
  EnterEvent(game, 1, 1);
  game.host().Click(kPageButtonX, kPageButtonY);
  ASSERT_EQ(game.host().Messages().size(), 1u);
  EXPECT_EQ(game.host().Messages()[0], "選択肢の番号が範囲外です (4)");
  EXPECT_EQ(game.state().ScreenMode, 6);
  EXPECT_NE(game.state().TownPhase, 4);
}

}  // namespace
}  // namespace velmora
