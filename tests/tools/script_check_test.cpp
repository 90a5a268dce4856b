// The script checker on the demo scenario (clean) and on scripts broken the ways a
// translator or modder breaks them, each reported with its line and what the player
// would see; errors fail qelvart_check, warnings do not.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gfx/sjis.h"
#include "script/script_text.h"
#include "support/fixtures.h"
#include "tools/demo/demo_content.h"
#include "tools/script_check.h"
#include "tools/tool_run.h"

namespace velmora {
namespace {

std::vector<ScriptFinding> Check(const std::string& utf8) {
  return CheckScript(ScriptText::SplitLines(EncodeCp932(utf8)));
}

std::string Described(const std::vector<ScriptFinding>& findings) {
  std::string all;
  for (const ScriptFinding& finding : findings) all += DescribeFinding(finding) + "\n";
  return all;
}

// The demo with From replaced by To (which must be there once).
std::string DemoWith(const std::string& from, const std::string& to) {
  std::string script = DemoScript();
  const size_t at = script.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  EXPECT_EQ(script.find(from, at + 1), std::string::npos) << from;
  return at == std::string::npos ? script : script.replace(at, from.size(), to);
}

// The 1-based line of the first occurrence of Marker in Script.
int LineOf(const std::string& script, const std::string& marker) {
  return 1 + static_cast<int>(std::count(script.begin(), script.begin() + static_cast<long>(script.find(marker)), '\n'));
}

TEST(ScriptCheck, TheDemoScriptIsCleanAndAHugeOneIsWalkedToItsEnd) {
  const std::vector<ScriptFinding> findings = Check(DemoScript());
  EXPECT_TRUE(findings.empty()) << Described(findings);

  // Five thousand choices in a row, each going on into the next: 30000 lines walked
  // without one call per choice piling up.
  std::string huge = "*OP\n<B>\n6\n*next_ba\n*pan_1\n<B>\n6\n";
  for (int i = 0; i < 5000; ++i) huge += "<Sentaku>\n2\nQ\nA\nB\nC\n";
  huge += "*next_ba\n*pan_1_1\n<B>\n6\nX\n";
  const std::string report = Described(Check(huge));
  EXPECT_NE(report.find("line 30012: error: the block '*pan_1_1' (event 11 without a heroine) runs past the end of "
                        "the script"),
            std::string::npos)
      << report.substr(0, 2000);
}

TEST(ScriptCheck, EachBreakageSaysWhereAndWhatThePlayerWouldSee) {
  struct Breakage {
    std::string From, To, Marker, Expected;  // Marker: where the finding's line is in the broken script
  };
  const std::vector<Breakage> breakages = {
      {"*mirel_5\n", "*mirel_five\n", "",
       "error: event 5 with Mirel starts at '*mirel_5', which the script does not have: the game would play the "
       "script from its first line instead (reached by arriving at 公園 (place 5))"},
      {"まずは一枚、撮ってみよう。\n*next_ba\n", "まずは一枚、撮ってみよう。\n", "*pan_1\n",
       "error: the block '*OP' (the opening) runs into the label '*pan_1' without a leaving tag: the game would "
       "show the label as text and play on into the next block"},
      {"<B>\n6\nコンビニの前に来た。", "<B>\n18\nコンビニの前に来た。", "18\nコンビニ",
       "error: <B> asks for scene 18, which the game does not have (scenes are 1 to 17): the game would stop with "
       "an error"},
      {"撮る\nやめておく\n（カメラを構えた）\n<Game>\n*pan_1_1", "撮る\n<Game>\n*pan_1_1", "<Game>\n*pan_1_1",
       "error: the choice on line {choice} (set 2) shows this line as its second option, but '<Game>' is a tag: a set 2 "
       "choice needs a question and two options after its argument"},
      {"<Aite_h>\n3\n鉛筆が", "<Aite_h>\n7\n鉛筆が", "7\n鉛筆が",
       "error: <Aite_h> asks for portrait frame 7 of Sanu, who has frames 1-6, 9-14: the game would stop with an "
       "error"},
      {"<CG>\n4\n", "<CG>\nfour\n", "four",
       "error: the argument of <CG> on line 5 is 'four', which is not a whole number: the game would stop with the "
       "message \"'four' は整数ではありません\""},
      {"*pan_1_1\n", "*pan_one_1\n", "*next_ba\n",
       "error: after the photo game after the opening in event 11 without a heroine, result 1 (a good photo) goes on "
       "at '*pan_1_1', which the script does not have: the game would start '*pan_1' again instead"},
  };
  for (const Breakage& b : breakages) {
    const std::string script = DemoWith(b.From, b.To);
    const std::string prefix = b.Marker.empty() ? "" : "line " + std::to_string(LineOf(script, b.Marker)) + ": ";
    std::string expected = b.Expected;
    if (const size_t at = expected.find("{choice}"); at != std::string::npos)
      expected.replace(at, 8, std::to_string(LineOf(script, "<Sentaku>\n2\nここで一枚")));
    const std::string report = Described(Check(script));
    EXPECT_NE(report.find(prefix + expected + "\n"), std::string::npos) << prefix + expected << "\nin:\n" << report;
  }

  // The last block of a script without a leaving tag, and a page that reads past the end.
  const std::string report = Described(Check("*OP\nBL\nHello\n"));
  EXPECT_NE(report.find("line 3: error: the block '*OP' (the opening) runs past the end of the script: the game "
                        "would stop with an error after its last page."),
            std::string::npos)
      << report;
}

TEST(ScriptCheck, QelvartCheckFailsOnErrorsAndPassesWithWarnings) {
  testing::ScratchDir dir;
  const std::string wide = "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ、とても長い一行";
  const std::string warned = DemoWith("家からいちばん近いコンビニ。", wide);
  dir.Write("warned.txt", warned);
  dir.Write("broken.txt", DemoWith("<B>\n6\nコンビニの前に来た。", "<B>\n0\nコンビニの前に来た。"));

  const tools_test::ToolRun ok = tools_test::RunTool("qelvart_check", {dir.Path() + "/warned.txt"});
  EXPECT_EQ(ok.Status, 0) << ok.Output;
  EXPECT_NE(ok.Output.find("line " + std::to_string(LineOf(warned, wide)) + ": warning: this line is "),
            std::string::npos)
      << ok.Output;
  EXPECT_NE(ok.Output.find("but the message window has room for 470 where it is shown: its end would run past the "
                           "window\nscript: 0 errors, 1 warning\n"),
            std::string::npos)
      << ok.Output;

  const tools_test::ToolRun bad = tools_test::RunTool("qelvart_check", {dir.Path() + "/broken.txt"});
  EXPECT_EQ(bad.Status, 1) << bad.Output;
  EXPECT_NE(bad.Output.find("<B> asks for scene 0"), std::string::npos) << bad.Output;
}

}  // namespace
}  // namespace velmora
