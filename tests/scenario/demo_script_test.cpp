// The demo scenario checked as the game will read it: Shift-JIS lines, tags and their
// arguments, labels, the room each line has on screen, and a walk through every way play
// can go from the event table, choices, "*ending" and photo results.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game_error.h"
#include "gfx/asset_table.h"
#include "gfx/sjis.h"
#include "scenario/script_layout.h"
#include "scenario/script_walker.h"
#include "script/events.h"
#include "script/script_text.h"
#include "support/fixtures.h"
#include "tools/asset_file.h"
#include "tools/demo/demo_content.h"

namespace velmora {
namespace {

using scenario::Columns;
using scenario::ScriptWalker;
using scenario::WalkReport;

std::vector<std::string> DemoLines() { return ScriptText::SplitLines(EncodeCp932(DemoScript())); }

std::string Joined(const std::vector<std::string>& faults) {
  std::string all;
  for (const std::string& fault : faults) all += fault + "\n";
  return all;
}

bool HasArgument(const std::string& line) {
  const int tag = ScriptText::TagIndex(line);
  return tag > 0 && ScriptTags[static_cast<size_t>(tag - 1)].Arguments > 0;
}

// The set named by the argument of a "<Sentaku>" at Line, or 0.
int ChoiceSetAt(const std::vector<std::string>& lines, size_t line) {
  if (line + 1 >= lines.size() || ScriptText::TagIndex(lines[line]) != 8) return 0;
  return ScriptText::ParseArgument(lines[line + 1]);
}

TEST(DemoScript, IsShiftJisWithoutEmptyLinesOrStrayBlanks) {
  const std::string utf8 = DemoScript();
  // A character code page 932 cannot hold comes back as '?' or as another character.
  EXPECT_EQ(DecodeCp932(EncodeCp932(utf8)), utf8);
  EXPECT_EQ(utf8.find_first_of("\r\t"), std::string::npos);

  const std::vector<std::string> lines = DemoLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "*OP");  // a new game starts the block of event 0 there
  EXPECT_LT(lines.size(), 65536u);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    // The empty label of a heroine-less event without a block would find an empty line.
    EXPECT_FALSE(line.empty()) << "line " << i + 1;
    // A tag or label with a blank around it is a text line the game would draw.
    std::string trimmed = DecodeCp932(line);
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
    while (!trimmed.empty() && trimmed.front() == ' ') trimmed.erase(0, 1);
    if (!trimmed.empty() && trimmed != DecodeCp932(line)) {
      EXPECT_EQ(ScriptText::TagIndex(EncodeCp932(trimmed)), 0) << "line " << i + 1 << " is a tag with blanks";
      EXPECT_NE(trimmed.front(), '*') << "line " << i + 1 << " is a label with blanks";
    }
    // Letters that only differ in case from a tag are no tag at all.
    std::string upper = line;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    for (const ScriptTag& tag : ScriptTags) {
      std::string tagUpper = tag.Line;
      std::transform(tagUpper.begin(), tagUpper.end(), tagUpper.begin(),
                     [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
      if (upper == tagUpper) {
        EXPECT_EQ(line, tag.Line) << "line " << i + 1;
      }
    }
  }
}

TEST(DemoScript, ArgumentsAreWholeNumbersTheCommandsAccept) {
  const std::vector<std::string> lines = DemoLines();
  int arguments = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!HasArgument(lines[i])) continue;
    ASSERT_LT(i + 1, lines.size()) << lines[i] << " on the last line";
    int32_t value = 0;
    ASSERT_NO_THROW(value = ScriptText::ParseArgument(lines[i + 1])) << "line " << i + 2;
    EXPECT_EQ(lines[i + 1], std::to_string(value)) << "line " << i + 2 << " is not written plainly";
    ++arguments;
    const std::string& tag = lines[i];
    if (tag == "<B>") {
      EXPECT_TRUE(AssetTable.ScenePictures.Contains(value)) << "scene " << value << " at line " << i + 2;
    } else if (tag == "<CG>") {
      EXPECT_TRUE(AssetTable.CgTable.Contains(value)) << "CG " << value << " at line " << i + 2;
    } else if (tag == "<CG_text>") {
      // Only a panning CG has a rest frame to show without its pan.
      ASSERT_TRUE(AssetTable.CgTable.Contains(value)) << "line " << i + 2;
      EXPECT_NE(AssetTable.CgTable[value].PanKind, 0) << "line " << i + 2;
      EXPECT_NE(AssetTable.CgTable[value].PanKind, 3) << "line " << i + 2;
    } else if (tag == "<Sentaku>") {
      EXPECT_TRUE(value == 2 || value == 3 || value == 6) << "set " << value << " at line " << i + 2;
    } else {
      // Faces: the walk checks each against its heroine's sheet; none is below 1.
      EXPECT_GE(value, 1) << "line " << i + 2;
      EXPECT_LE(value, 16) << "line " << i + 2;
    }
  }
  EXPECT_GT(arguments, 50);
}

TEST(DemoScript, LinesFitTheMessageWindowAndChoicesTheirAreas) {
  const std::vector<std::string> lines = DemoLines();
  std::vector<bool> special(lines.size(), false);
  for (size_t i = 0; i < lines.size(); ++i) {
    const int set = ChoiceSetAt(lines, i);
    if (set == 2) {
      // The panel writes the question at x 35 and the options at x 65; option k reacts
      // on x 63..163 of its row.
      ASSERT_LT(i + 4, lines.size());
      EXPECT_LE(Columns(lines[i + 2]), scenario::kStoryColumns) << "question at line " << i + 3;
      for (size_t k = 3; k <= 4; ++k) {
        EXPECT_LE(65 + Columns(lines[i + k]) * scenario::kColumnWidth - 1, 163) << "option at line " << i + k + 1;
        EXPECT_GT(Columns(lines[i + k]), 0);
        special[i + k] = true;
      }
    } else if (set == 3 || set == 6) {
      // The prompt is a story line; the two caption lines after it stand over the option
      // areas (the walk checks each caption) and may reach the window's right edge.
      ASSERT_LT(i + 4, lines.size());
      for (size_t k = 3; k <= 4; ++k) {
        EXPECT_LE(scenario::TextRight(lines[i + k]), scenario::kWindowRight) << "captions at line " << i + k + 1;
        special[i + k] = true;
      }
    }
  }
  int storyLines = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const bool argument = i > 0 && HasArgument(lines[i - 1]);
    if (special[i] || argument || ScriptText::TagIndex(lines[i]) != 0 || lines[i][0] == '*') continue;
    EXPECT_LE(Columns(lines[i]), scenario::kStoryColumns) << "line " << i + 1 << ": " << DecodeCp932(lines[i]);
    ++storyLines;
  }
  EXPECT_GT(storyLines, 200);
}

TEST(DemoScript, WalkFromEveryEventReachesEveryBlockWithoutFault) {
  ScriptWalker walker(DemoLines());
  const WalkReport report = walker.Walk();
  EXPECT_TRUE(report.Faults.empty()) << Joined(report.Faults);

  // Every label is reached, and by the game's rules each one is found only once.
  const std::vector<std::string> lines = DemoLines();
  size_t labelLines = 0;
  for (const std::string& line : lines)
    if (line[0] == '*' && ScriptText::TagIndex(line) == 0) {
      ++labelLines;
      EXPECT_TRUE(report.LabelsReached.count(line)) << line << " is never played";
    }
  EXPECT_EQ(walker.Labels().size(), labelLines) << "two labels differ only in letter case or not at all";

  // The event table's own labels and those of the results of every deal a path reaches.
  for (int e = EventTable.kFirst; e <= EventTable.kLast; ++e)
    EXPECT_TRUE(report.LabelsReached.count(scenario::EventLabelFor(e, EventTable[e].Heroine))) << "event " << e;
  for (const auto& [event, partner] : report.PhotoGames)
    for (int result = 1; result <= 5; ++result)
      EXPECT_TRUE(report.LabelsReached.count(scenario::ResultLabelFor(event, partner, result)))
          << "result " << result << " of event " << event << " with partner " << partner;
  // The opening's photo, the three stores, Mirel's two, Orika's.
  EXPECT_TRUE(report.PhotoGames.count({11, 0}));
  EXPECT_TRUE(report.PhotoGames.count({12, 0}));
  EXPECT_TRUE(report.PhotoGames.count({13, 0}));
  EXPECT_TRUE(report.PhotoGames.count({2, 1}));
  EXPECT_TRUE(report.PhotoGames.count({3, 1}));
  EXPECT_TRUE(report.PhotoGames.count({13, 3}));
}

TEST(DemoScript, ShowsEveryCgOffersEveryChoiceSetAndReachesBothEndings) {
  const WalkReport report = ScriptWalker(DemoLines()).Walk();
  EXPECT_EQ(report.CgsMarked, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(report.ChoiceSets, (std::set<int>{2, 3, 6}));
  // The trial's own line after event 8 and the bad ending after event 14, nothing else.
  EXPECT_EQ(report.Endings, (std::set<std::pair<int, int>>{{8, 1}, {14, 0}}));
  // Heroine 1's route finishes all of its events, heroine 2's and 3's theirs.
  for (int e = 1; e <= 7; ++e) EXPECT_TRUE(report.FinishedEvents.count({e, 1})) << "event " << e;
  EXPECT_TRUE(report.FinishedEvents.count({9, 2}));
  EXPECT_TRUE(report.FinishedEvents.count({13, 3}));
  EXPECT_TRUE(report.FinishedEvents.count({14, 3}));

  // Picture 4 opens the album on the title, so the opening itself shows it.
  const std::vector<std::string> lines = DemoLines();
  const auto firstOther = std::find_if(lines.begin() + 1, lines.end(),
                                       [](const std::string& l) { return l[0] == '*' && ScriptText::TagIndex(l) == 0; });
  bool openingShowsCg4 = false;
  for (auto it = lines.begin(); it + 1 < firstOther; ++it)
    if (*it == "<CG>" && *(it + 1) == "4") openingShowsCg4 = true;
  EXPECT_TRUE(openingShowsCg4);
}

TEST(DemoScript, TheAssetFileHoldsItAsShiftJis) {
  const std::vector<uint8_t>& file = testing::DemoAssetBytes();
  ASSERT_GT(file.size(), static_cast<size_t>(ScriptOffset));
  EXPECT_EQ(std::string(file.begin() + ScriptOffset, file.end()), EncodeCp932(DemoScript()));
  const std::vector<SlotReport> reports = CheckAssetFile(file);
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back().Name, "script");
  EXPECT_EQ(reports.back().Problem, "");
}

}  // namespace
}  // namespace velmora
