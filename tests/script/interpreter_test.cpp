// The interpreter's commands one by one, on scripts the tests write.
#include <gtest/gtest.h>

#include "gfx/asset_table.h"
#include "play_fixture.h"

namespace velmora {
namespace {

using testing::After;
using testing::Play;

TEST(BlockStart, PassesOverAFirstLineThatIsNoTagAndLeavesTheTransitionToTheEnterPhase) {
  Play p("*mirel_1\nskipped\nA\nB\n*next_time\n");
  p.s.TownPhase = 4;
  p.Begin(1, 1);
  EXPECT_EQ(p.Now(), (After{2, 6, 0, false}));
  EXPECT_EQ(p.s.TownPhase, 3);  // a block reached by a choice leaves the choice phase
  p.form.Interp.ShowTextPage();
  EXPECT_EQ(p.s.ScriptPos, 4);
  // A block under way, or the album's view of a CG, is not started again.
  p.form.Interp.RunScriptCommand(0);
  EXPECT_EQ(p.s.ScriptPos, 4);
  p.s.ScriptPos = 0;
  p.s.ModeArg = 2;
  p.form.Interp.RunScriptCommand(0);
  EXPECT_EQ(p.s.ScriptPos, 0);
  p.s.ModeArg = 1;
  p.s.TownPhase = 5;  // other town phases are left alone
  p.Begin(1, 1);
  EXPECT_EQ(p.s.TownPhase, 5);
}

TEST(BlockStart, AMissingLabelPlaysFromTheFirstLine) {
  Play p("intro\nA\n*next_time\n");
  p.Begin(1, 2);
  EXPECT_EQ(p.s.ScriptPos, 1);
  p.form.Interp.ShowTextPage();
  EXPECT_EQ(p.s.ScriptPos, 2);
  p.s.ScriptPos = 0;  // a page with no block under way looks the label up itself
  p.form.Interp.ShowTextPage();
  EXPECT_EQ(p.s.ScriptPos, 2);  // line 0 and line 1, then the tag
}

TEST(TextPages, UpToThreeLinesAndNeverPastATag) {
  Play p("*mirel_1\n<Aite0>\n1\n2\n3\n4\n<Aite0>\n5\n6\n<Aite0>\n7\n8\n9\n*next_time\n");
  p.Begin(1, 1);
  // Pages of three and one line; "<Aite0>" brings the scene back through a transition.
  const After steps[] = {{5, 6, 0, false}, {6, 6, 0, false}, {7, 6, 0, true},
                         {9, 6, 0, false}, {10, 6, 0, true}, {13, 6, 0, false}};
  for (const After& expected : steps) {
    p.StopTimer();
    p.form.Interp.ShowTextPage();
    EXPECT_EQ(p.Now(), expected);
  }
  // Tags with a blank or in other letters are text.
  p.form.ScriptLines.Assign({"*x", "<B> ", "<b>", " *next_ba", "<Aite0>"});
  p.s.ScriptPos = 1;
  p.form.Interp.ShowTextPage();
  EXPECT_EQ(p.Now(), (After{4, 6, 0, false}));
}

TEST(SceneCommand, ChargesOnlyForANewScene) {
  Play p("*mirel_1\n<Aite0>\nA\nB\n<B>\n5\nC\n*next_time\n");
  p.Begin(1, 1);
  p.s.TargetPlace = 7;
  p.s.CgShown = 1;
  p.s.TimeSlot = 5;
  p.s.Points = 100;
  p.form.Interp.ShowTextPage();
  EXPECT_EQ(p.s.ScriptPos, 4);
  p.form.Interp.ShowTextPage();  // "<B>" 5 at home, with scene 7 shown
  EXPECT_EQ(p.Now(), (After{6, 6, 0, true}));
  EXPECT_EQ(p.s.TargetPlace, 5);
  EXPECT_EQ(p.s.TimeSlot, 6);
  EXPECT_EQ(p.s.Points, 90);

  struct Case {
    uint8_t Place, Shown;
    int Scene;
    bool Charged;
  };
  for (const Case& c : {Case{10, 3, 7, false},  // the place's own scene (supermarket)
                        Case{10, 9, 9, false},  // the scene already shown
                        Case{10, 7, 9, true}, Case{7, 0, 6, false}, Case{7, 6, 7, true}, Case{1, 0, 1, false},
                        Case{2, 0, 2, false}, Case{3, 0, 2, true}, Case{16, 8, 17, true}}) {
    p.form.ScriptLines.Assign({"*x", "<B>", std::to_string(c.Scene), "A"});
    p.s.CurrentPlace = c.Place;
    p.s.TargetPlace = c.Shown;
    p.s.TimeSlot = 255;
    p.s.Points = 5;
    p.RunAt(1);
    EXPECT_EQ(p.s.TargetPlace, c.Scene);
    EXPECT_EQ(p.s.TimeSlot, c.Charged ? 0 : 255) << "place " << int(c.Place) << " scene " << c.Scene;
    EXPECT_EQ(p.s.Points, c.Charged ? -5 : 5);  // no check: points may fall below 0
  }
}

TEST(SceneCommand, SceneFourteenBlanksTheSceneArea) {
  Play p("*x\n<B>\n14\nA\n");
  p.s.CurrentPlace = 10;
  p.s.TargetPlace = 9;
  p.s.TimeSlot = 5;
  p.s.CgShown = 1;
  p.form.BackBuffer.Fill(0x123456);
  p.RunAt(1);
  EXPECT_EQ(p.Now(), (After{3, 6, 0, true}));
  EXPECT_EQ(p.s.TargetPlace, 9);
  EXPECT_EQ(p.s.TimeSlot, 5);
  const Picture plain = p.form.Assets.ReadPicture(PlainBackdrop);
  for (Point in : {Point{10, 10}, Point{509, 469}, Point{250, 200}})
    EXPECT_EQ(p.form.BackBuffer.PixelColor(in.X, in.Y), plain.PixelColor(in.X, in.Y));
  for (Point out : {Point{9, 10}, Point{510, 10}, Point{10, 470}, Point{600, 300}})
    EXPECT_EQ(p.form.BackBuffer.PixelColor(out.X, out.Y), 0x123456u);
}

TEST(SceneCommand, BadArgumentsAreRefusedBeforeAnythingChanges) {
  Play p("*x\n");
  p.s.CurrentPlace = 10;
  p.s.TargetPlace = 7;
  p.s.CgShown = 1;
  for (const char* scene : {"0", "18", "-1", "255", "270"}) {
    p.form.ScriptLines.Assign({"*x", "<B>", scene, "A"});
    EXPECT_EQ(Play::ErrorOf([&] { p.RunAt(1); }), std::string("シーンの番号が範囲外です (") + scene + ")");
    EXPECT_EQ(p.Now(), (After{3, 6, 1, false}));
    EXPECT_EQ(p.s.TargetPlace, 7);
    EXPECT_EQ(p.s.Points, 200);
  }
  // A line that is no number leaves ScriptPos on it; a tag on the last line has none.
  p.form.ScriptLines.Assign({"*x", "<B>", "5a", "A"});
  EXPECT_EQ(Play::ErrorOf([&] { p.RunAt(1); }), "'5a' は整数ではありません");
  EXPECT_EQ(p.s.ScriptPos, 2);
  p.form.ScriptLines.Assign({"*x", "<B>"});
  EXPECT_EQ(Play::ErrorOf([&] { p.RunAt(1); }), "リストのインデックスが範囲を超えています (2)");
}

TEST(CgCommands, CgMarksTheAlbumOnceAndCgTextNever) {
  Play p("*x\n<CG>\n2\nA\n<CG_text>\n3\nB\n");
  p.s.CgSeen[2] = 1;
  p.RunAt(1);
  EXPECT_EQ(p.Now(), (After{3, 5, 1, true}));
  EXPECT_EQ(p.s.CurrentCg, 2);
  EXPECT_EQ(p.s.CgSeen[2], 1);  // marked, never counted up
  p.StopTimer();
  p.s.ScreenMode = 6;
  p.RunAt(4);  // CG 3 at its rest position, straight back to mode 6
  EXPECT_EQ(p.Now(), (After{6, 6, 1, true}));
  EXPECT_EQ(p.s.CurrentCg, 3);
  EXPECT_EQ(p.s.CgSeen[3], 0);

  Play start("*mirel_1\n<CG>\n3\nA\n*next_time\n");
  start.Begin(1, 1);
  EXPECT_EQ(start.Now(), (After{3, 5, 1, false}));  // CG 3 pans: mode 5 settles it
  EXPECT_EQ(start.s.CgSeen[3], 1);
}

TEST(CgCommands, CgNumbersOutsideOneToEightAreRefused) {
  Play p("*x\n");
  p.s.CurrentCg = 1;
  for (const char* tag : {"<CG>", "<CG_text>"}) {
    for (const char* cg : {"0", "9", "-3", "264"}) {
      p.form.ScriptLines.Assign({"*x", tag, cg, "A"});
      EXPECT_EQ(Play::ErrorOf([&] { p.RunAt(1); }), std::string("CGの番号が範囲外です (") + cg + ")");
      EXPECT_EQ(p.Now(), (After{3, 6, 0, false}));
      EXPECT_EQ(p.s.CurrentCg, 1);
    }
  }
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(p.s.CgSeen[i], 0);
}

TEST(BlankCommand, ShowsThePlainBackdropOverTheWholeScreen) {
  Play p("*x\nBL\nA\n");
  p.form.BackBuffer.Fill(0x123456);
  p.RunAt(1);
  EXPECT_EQ(p.Now(), (After{2, 6, 1, true}));
  EXPECT_TRUE(p.form.BackBuffer == p.form.Assets.ReadPicture(PlainBackdrop));
}

TEST(PortraitCommands, FrameNumbersMustNameAFaceOfThePartner) {
  Play p("*x\n");
  struct Case {
    uint8_t Partner;
    const char* Frame;
    bool Valid;
  };
  const Case cases[] = {{1, "1", true},  {1, "7", true},  {1, "9", true},   {1, "15", true}, {1, "0", false},
                        {1, "8", false}, {1, "16", false}, {1, "-1", false}, {2, "6", true},  {2, "14", true},
                        {2, "7", false}, {2, "15", false}, {3, "8", true},   {3, "1", true},  {3, "9", false},
                        {0, "1", false}};
  for (const std::string tag : {"<Aite_f>", "<Aite_h>", "<f_Change>"}) {
    // The portraits come up through a transition; a face change shows its page at once.
    const bool faceChange = tag == "<f_Change>";
    for (const Case& c : cases) {
      p.form.ScriptLines.Assign({"*x", tag, c.Frame, "A", "*next_time"});
      p.s.Partner = c.Partner;
      p.s.CgShown = 1;
      p.StopTimer();
      const std::string error = Play::ErrorOf([&] { p.RunAt(1); });
      const After expected = c.Valid ? After{faceChange ? 4 : 3, 6, 0, !faceChange} : After{3, 6, 1, false};
      EXPECT_EQ(p.Now(), expected) << tag << " partner " << int(c.Partner) << " frame " << c.Frame << ": " << error;
    }
  }
  p.form.ScriptLines.Assign({"*x", "<Aite0>", "A"});
  p.StopTimer();
  p.RunAt(1);  // the scene without the portrait
  EXPECT_EQ(p.Now(), (After{2, 6, 1, true}));
}

TEST(FaceChange, ShowsTheNextPageWithoutATransition) {
  Play p("*mirel_1\n<Aite0>\nA\n<f_Change>\n2\nB\nC\n<f_Change>\n3\n<f_Change>\n4\nD\n*next_time\n");
  p.Begin(1, 1);
  p.form.Interp.ShowTextPage();
  EXPECT_EQ(p.s.ScriptPos, 3);
  p.s.CgShown = 1;
  p.form.Interp.ShowTextPage();
  EXPECT_EQ(p.Now(), (After{7, 6, 0, false}));  // B and C are on screen
  p.form.Interp.ShowTextPage();                 // two face changes in a row, then D
  EXPECT_EQ(p.Now(), (After{12, 6, 0, false}));

  Play start("*mirel_1\n<f_Change>\n1\nA\nB\n*next_time\n");
  start.Begin(1, 1);
  EXPECT_EQ(start.Now(), (After{5, 6, 0, false}));
}

TEST(ChoiceCommand, OpensTheChoiceAndWaits) {
  Play p("*x\n");
  for (int set : {2, 3, 6}) {
    p.form.ScriptLines.Assign({"*x", "<Sentaku>", std::to_string(set), "Question?", "Yes", "No", "skipped"});
    p.s.ScreenMode = 6;
    p.s.TownPhase = 3;
    p.RunAt(1);
    EXPECT_EQ(p.Now(), (After{3, 4, 0, false}));  // on the question line
    EXPECT_EQ(p.s.ChoiceSet, set);
    EXPECT_EQ(p.s.TownPhase, 4);
  }
  // A set the panel does not know would wait for a pick that can never come.
  p.s.ChoiceSet = 0;
  for (const char* set : {"0", "1", "4", "5", "7", "-2"}) {
    p.form.ScriptLines.Assign({"*x", "<Sentaku>", set, "Question?", "Yes", "No"});
    p.s.ScreenMode = 6;
    p.s.TownPhase = 3;
    EXPECT_EQ(Play::ErrorOf([&] { p.RunAt(1); }), std::string("選択肢の番号が範囲外です (") + set + ")");
    EXPECT_EQ(p.Now(), (After{3, 6, 0, false}));
    EXPECT_EQ(p.s.ChoiceSet, 0);
    EXPECT_EQ(p.s.TownPhase, 3);
  }
}

TEST(PhotoGameCommand, HandsOverToModeThree) {
  Play p("*x\n<Game>\n");
  p.s.TownPhase = 4;
  p.RunAt(1);
  EXPECT_EQ(p.Now(), (After{2, 3, 0, true}));
  EXPECT_EQ(p.s.TownPhase, 3);
  EXPECT_EQ(p.s.GamePhase, 1);
}

TEST(NextPlace, TheEndOfTheOpeningStartsDayOneWithThePhotoGame) {
  for (uint8_t partner : {0, 2}) {
    Play p("*OP\n*next_ba\n");
    p.s.DayCount = 0;
    p.s.CgShown = 1;
    p.s.CurrentCg = 4;
    p.s.Partner = partner;
    p.RunAt(1);
    EXPECT_EQ(p.Now(), (After{0, 3, 0, true}));
    EXPECT_EQ(p.s.DayCount, 1);
    EXPECT_EQ(p.s.TimeSlot, 2);
    EXPECT_EQ(p.s.CurrentPlace, 6);
    EXPECT_EQ(p.s.CurrentEvent, partner == 0 ? 11 : 9);  // block 1 of the partner
    EXPECT_EQ(p.s.CurrentCg, 0);
  }
}

TEST(NextPlace, LaterDaysFinishAHeroinesEventAndReturnToTheTown) {
  Play p("*x\n*next_ba\n");
  p.s.CurrentEvent = 1;
  p.s.Partner = 1;
  p.s.ChoiceSet = 3;
  p.s.CgShown = 1;
  p.s.CurrentCg = 2;
  p.s.TimeSlot = 10;
  p.RunAt(1);
  EXPECT_EQ(p.s.EventState[1], 2);
  EXPECT_EQ(p.s.EventState[2], 1);
  EXPECT_EQ(p.s.HeroineWait[1], 1);
  EXPECT_EQ(p.s.TimeSlot, 11);
  EXPECT_EQ(p.s.ScriptPos, 0);
  EXPECT_EQ(p.s.CgShown, 0);
  EXPECT_EQ(p.s.CurrentCg, 0);
  EXPECT_EQ(p.s.CurrentEvent, 0);
  EXPECT_EQ(p.s.Partner, 0);
  EXPECT_EQ(p.s.ChoiceSet, 0);
  EXPECT_EQ(p.s.DayCount, 3);
  // Without a heroine the event stays open: only a successful photo finishes it.
  p.s.CurrentEvent = 11;
  p.RunAt(1);
  EXPECT_EQ(p.s.EventState[11], 1);
  EXPECT_EQ(p.s.HeroineWait[0], 0);
}

TEST(NextTime, FinishesTheEventAndEndsTheWalk) {
  Play p("*x\n*next_time\n");
  p.s.CurrentEvent = 3;
  p.s.Partner = 1;
  p.s.TargetPlace = 7;
  p.s.ChoiceSet = 2;
  p.s.CgShown = 1;
  p.s.CurrentCg = 5;
  p.RunAt(1);
  EXPECT_EQ(p.Now(), (After{0, 4, 0, true}));
  EXPECT_EQ(p.s.EventState[3], 2);
  EXPECT_EQ(p.s.CurrentPlace, 2);  // event 3 takes the player to place 2
  EXPECT_EQ(p.s.TargetPlace, 0);
  EXPECT_EQ(p.s.ChoiceSet, 0);
  EXPECT_EQ(p.s.TownPhase, 5);
  EXPECT_EQ(p.s.Partner, 0);
  EXPECT_EQ(p.s.CurrentEvent, 0);
  EXPECT_EQ(p.s.CurrentCg, 0);
  // At home the home scene stays; no heroine, no outcome.
  p.StopTimer();
  p.s.TargetPlace = 1;
  p.s.CurrentEvent = 12;
  p.RunAt(1);
  EXPECT_EQ(p.s.TargetPlace, 1);
  EXPECT_EQ(p.s.EventState[12], 0);
  EXPECT_TRUE(p.form.G_Timer.Enabled());
}

TEST(NextEvent, MovesToTheNextEventNumberAndStartsItsBlock) {
  Play p("*x\n*ending\n*orika_2\nO\n*mirel_5\nM\n");
  p.s.Partner = 3;
  p.s.CurrentEvent = 10;
  p.RunAt(1);
  EXPECT_EQ(p.Now(), (After{0, 6, 0, true}));
  EXPECT_EQ(p.s.CurrentEvent, 12);
  p.form.Interp.RunScriptCommand(0);
  EXPECT_EQ(p.s.ScriptPos, 4);  // "*orika_2", its first line passed over
  p.s.Partner = 1;
  p.s.CurrentEvent = 4;
  p.RunAt(1);
  EXPECT_EQ(p.s.CurrentEvent, 5);
  p.s.CurrentEvent = 255;
  p.RunAt(1);
  EXPECT_EQ(p.s.CurrentEvent, 0);  // a byte
}

TEST(EndCommand, HandsOverToTheEndingScreen) {
  Play p("*x\n*end\n");
  p.s.CurrentEvent = 8;
  p.s.Partner = 1;
  p.s.TargetPlace = 2;
  p.RunAt(1);
  EXPECT_EQ(p.Now(), (After{0, 7, 0, true}));
  EXPECT_EQ(p.s.TargetPlace, 0);
  EXPECT_EQ(p.s.TownPhase, 5);
  EXPECT_EQ(p.s.CurrentEvent, 8);  // the ending screen reads it
  EXPECT_EQ(p.s.EventState[8], 0);
}

TEST(RunScriptCommand, TagNumbersOutsideTheTableAreRefused) {
  Play p("*x\n<B>\n1\n");
  p.s.ScriptPos = 1;
  for (int tag : {-1, 15, 99}) {
    EXPECT_EQ(Play::ErrorOf([&] { p.form.Interp.RunScriptCommand(tag); }),
              "タグの番号が範囲外です (" + std::to_string(tag) + ")");
    EXPECT_EQ(p.s.ScriptPos, 1);
  }
}

TEST(ScriptPosLimit, NoPositionWrapsRoundToTheTopOfTheScript) {
  Play p("*x\n");
  std::vector<std::string> lines(65540, "text");
  lines[65534] = "<B>";
  lines[65535] = "5";
  p.form.ScriptLines.Assign(lines);
  p.s.ScriptPos = 65534;
  EXPECT_EQ(Play::ErrorOf([&] { p.form.Interp.RunScriptCommand(1); }),
            "リストのインデックスが範囲を超えています (65536)");
  EXPECT_EQ(p.s.ScriptPos, 65535);
  // A page on the last addressable line draws it but cannot step past it.
  EXPECT_EQ(Play::ErrorOf([&] { p.form.Interp.ShowTextPage(); }),
            "リストのインデックスが範囲を超えています (65538)");
  EXPECT_EQ(p.s.ScriptPos, 65535);
}

}  // namespace
}  // namespace velmora
