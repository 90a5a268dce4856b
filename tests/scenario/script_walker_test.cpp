// The walk itself must see what goes wrong, or a clean walk of the demo proves nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gfx/sjis.h"
#include "scenario/script_walker.h"
#include "script/script_text.h"

namespace velmora {
namespace {

using scenario::ScriptWalker;

// The faults a walk of Script (UTF-8) reports; they are UTF-8 too.
std::vector<std::string> FaultsOf(const std::string& script) {
  const auto report = ScriptWalker(ScriptText::SplitLines(EncodeCp932(script))).Walk();
  return report.Faults;
}

bool Has(const std::vector<std::string>& faults, const std::string& part) {
  for (const std::string& fault : faults)
    if (fault.find(part) != std::string::npos) return true;
  return false;
}

TEST(ScriptWalker, LabelRulesFollowTheGame) {
  EXPECT_EQ(scenario::EventLabelFor(0, 0), "*OP");
  EXPECT_EQ(scenario::EventLabelFor(10, 2), "*sanu_1");
  EXPECT_EQ(scenario::EventLabelFor(12, 3), "*orika_2");
  EXPECT_EQ(scenario::EventLabelFor(13, 0), "*pan_1");
  EXPECT_EQ(scenario::EventLabelFor(14, 0), "*mir_b_end");
  EXPECT_EQ(scenario::EventLabelFor(5, 0), "");
  EXPECT_EQ(scenario::ResultLabelFor(3, 1, 1), "*mirel_3_1");
  EXPECT_EQ(scenario::ResultLabelFor(13, 3, 4), "*pan_10_4");
  EXPECT_EQ(scenario::ResultLabelFor(12, 0, 1), "*pan_2_1");
  EXPECT_EQ(scenario::ResultLabelFor(19, 0, 3), "*pan_9_3");
  EXPECT_EQ(scenario::ResultLabelFor(21, 0, 3), "*pan_10_3");
  EXPECT_EQ(scenario::ResultLabelFor(11, 0, 5), "*pan_5");
}

TEST(ScriptWalker, SeesBlocksThatDoNotLeaveAndLabelsThatAreMissing) {
  const std::string opening = "*OP\n<B>\n1\n春休み。\n*next_ba\n";
  // No block leaves before the next label; the photo after the opening has no results.
  auto faults = FaultsOf(opening + "*mirel_1\n<B>\n7\n買い物。\n*sanu_1\n<B>\n5\n*next_ba\n");
  EXPECT_TRUE(Has(faults, "runs into the label *sanu_1"));
  EXPECT_TRUE(Has(faults, "no photo result \"*pan_1_1\" for event 11 with partner 0"));
  EXPECT_TRUE(Has(faults, "no block \"*orika_1\" for event 10 with partner 3"));
  EXPECT_FALSE(Has(faults, "no block \"*sanu_1\""));
  // A block that starts with text loses that line; one that reaches the end reads past it.
  faults = FaultsOf(opening + "*mirel_1\n消える行。\n*next_time\n*mirel_2\n<B>\n8\n最後の行。\n");
  EXPECT_TRUE(Has(faults, "a block starts with a text line"));
  EXPECT_TRUE(Has(faults, "a text page reads past the last line"));
  // An argument that is no number.
  faults = FaultsOf("*OP\n<B>\n一\n*next_ba\n");
  EXPECT_TRUE(Has(faults, "は整数ではありません"));
}

TEST(ScriptWalker, SeesPortraitsAndPicturesThatWouldGoWrong) {
  auto faults = FaultsOf(
      "*OP\n<Aite_f>\n1\n誰？\n*next_ba\n"                      // no heroine in the opening
      "*mirel_1\n<B>\n7\n<f_Change>\n2\n顔だけ。\n*next_time\n"  // a face with no portrait
      "*mirel_2\n<Aite_f>\n8\n顔。\n*next_time\n"               // her sheet has 7 faces
      "*orika_1\n<Aite_f>\n9\n顔。\n*next_time\n"               // no fourth portrait set
      "*sanu_1\n<B>\n5\n<CG>\n6\n絵。\n<Aite_f>\n1\n窓なし。\n*next_ba\n"
      "*pan_1\n<B>\n6\n<CG>\n7\n　\nBL\n読める。\n<CG>\n7\n読めない。\n*next_ba\n"
      "*mirel_3\n<CG_text>\n1\n静止画。\n*next_time\n"
      "*mirel_4\n<B>\n18\n*next_time\n");
  EXPECT_TRUE(Has(faults, "a portrait while no heroine is the partner"));
  EXPECT_TRUE(Has(faults, "<f_Change> with no portrait"));
  EXPECT_TRUE(Has(faults, "face 8 lies outside heroine 1's sheet of 7"));
  EXPECT_TRUE(Has(faults, "face 9 asks for a fourth portrait set"));
  EXPECT_TRUE(Has(faults, "after framed CG 6 is drawn without its window"));
  EXPECT_TRUE(Has(faults, "text over framed CG 6 has no window to stand on"));
  EXPECT_EQ(std::count_if(faults.begin(), faults.end(),
                          [](const std::string& f) { return f.find("over framed CG 7") != std::string::npos; }),
            1);
  EXPECT_TRUE(Has(faults, "<CG_text> on a CG that does not pan"));
  EXPECT_TRUE(Has(faults, "scene 18 does not exist"));
}

TEST(ScriptWalker, FollowsChoicesAndSeesWhereTheyLead) {
  const std::string captions = "    一つ目        二つ目       三つ目\n";
  const std::string corner = "                                                    昔\n";
  auto faults = FaultsOf(
      "*OP\n<B>\n1\n春。\n*next_ba\n"
      // Set 3 from event 6: 7, 8 and 9 exist, 14 (block 4) does not; its lines are right.
      "*mirel_6\n<B>\n2\n<Aite_f>\n1\n<Sentaku>\n3\nどうする？\n" + captions + corner +
      "*mirel_7\n<B>\n7\n*next_time\n*mirel_8\n<B>\n2\n*end\n*mirel_1\n<B>\n7\n*next_time\n"
      // Set 2 of heroine 1 jumps to event 3 = block 3, whose photo succeeds at event 3.
      "*mirel_2\n<B>\n8\n<Sentaku>\n2\n行く？\nはい\nいいえ\n"
      // Set 6 with captions that do not stand over the areas, none in the corner, and a line
      // after them that no one reads.
      "*mirel_3\n<B>\n7\n<Aite_f>\n1\n<Sentaku>\n6\nどれ？\n一 二 三 四\n  （右下）\n読まれない。\n");
  EXPECT_TRUE(Has(faults, "no block \"*mirel_4\" for event 14 with partner 1, reached from option 18 of set 3"));
  EXPECT_FALSE(Has(faults, "no block \"*mirel_7\""));
  EXPECT_TRUE(Has(faults, "caption 1 stands outside its option area"));
  EXPECT_TRUE(Has(faults, "a caption of the lower row stands outside every option area"));
  EXPECT_TRUE(Has(faults, "option 18 of set 6 has no caption in its corner"));
  EXPECT_TRUE(Has(faults, "the line after the captions of set 6 is never played"));
  // The well-made set 3 of event 6 draws no fault about its lines.
  EXPECT_FALSE(Has(faults, "set 3 needs"));
  EXPECT_FALSE(Has(faults, "of set 3 is never played"));
  EXPECT_FALSE(Has(faults, "option 18 of set 3 has no caption"));

  // Captions on the page before the choice, the old way: the panel would show the next
  // block's label line as nothing and the window would stand empty.
  faults = FaultsOf("*OP\n<B>\n1\n春。\n*next_ba\n*mirel_1\n<B>\n7\nどうする？\n" + captions + corner +
                    "<Sentaku>\n3\n*mirel_2\n<B>\n7\n*next_time\n");
  EXPECT_TRUE(Has(faults, "set 3 needs a prompt and two caption lines after its argument"));

  // Heroine 3 keeps jumping on set 2 outside events 11 and 13; past event 14 her outcome
  // has no record. At event 13 the choice goes on, and needs the line after its options.
  faults = FaultsOf(
      "*OP\n<B>\n1\n春。\n*next_ba\n"
      "*orika_1\n<B>\n8\n*ending\n"
      "*orika_2\n<B>\n9\n<Sentaku>\n2\n撮る？\nうん\nううん\n"
      "*orika_3\n<B>\n9\n<Sentaku>\n2\n撮る？\nうん\nううん\n"
      "*orika_4\n<B>\n9\n<Sentaku>\n2\n歩く？\nうん\nううん\n"
      "*orika_5\n<B>\n9\n*next_time\n*orika_6\n<B>\n9\n*next_time\n");
  EXPECT_TRUE(Has(faults, "*next_time finishes event 15 with partner 3, which the event table lacks"));
  EXPECT_TRUE(Has(faults, "set 2 goes on past the line after its options"));
}

}  // namespace
}  // namespace velmora
