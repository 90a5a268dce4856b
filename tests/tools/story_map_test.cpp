// The story map qelvart_check draws: exactly the blocks and ways of a small script, grey
// where no path goes and red where the checker found an error; the demo's map with every
// label, and the copy the README shows drawn from the demo as it is now.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "gfx/sjis.h"
#include "script/script_text.h"
#include "support/fixtures.h"
#include "tools/demo/demo_content.h"
#include "tools/script_check.h"
#include "tools/story_graph_dot.h"
#include "tools/tool_run.h"

namespace velmora {
namespace {

StoryGraph GraphOf(const std::string& utf8) {
  StoryGraph graph;
  CheckScript(ScriptText::SplitLines(EncodeCp932(utf8)), &graph);
  return graph;
}

// The DOT statement of the box titled Title.
std::string NodeLine(const std::string& dot, const std::string& title) {
  std::istringstream in(dot);
  for (std::string line; std::getline(in, line);)
    if (line.find("<B>" + title + "</B>") != std::string::npos) return line;
  return "";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

constexpr const char* kSmall =
    "*OP\n<B>\n6\nHello\n*next_ba\n"                                       // 1-5
    "*pan_1_1\n<Sentaku>\n2\nAgain\x10?\nYes\nNo\n(aim)\n<Game>\n"         // 6-13 (a byte Graphviz refuses)
    "*stray\nNobody comes here\n*next_ba\n"                                // 14-16
    "*pan_2\nClose!\n"                                                     // 17-18: runs on
    "*pan_4\nOops\n*end\n";                                                // 19-21

TEST(StoryMap, ASmallScriptHasExactlyItsBlocksAndWays) {
  const StoryGraph graph = GraphOf(kSmall);
  std::vector<std::string> blocks, ways;
  for (const StoryNode& node : graph.Nodes)
    if (node.Kind == StoryNodeKind::Block)
      blocks.push_back(node.Title + " " + std::to_string(node.FirstLine) + "-" + std::to_string(node.LastLine) +
                       (node.Reached ? "" : " unreached") + (node.Errors.empty() ? "" : " error"));
  int eventStarts = 0;
  for (const StoryEdge& edge : graph.Edges) {
    const StoryNode& from = graph.Nodes[edge.From];
    const StoryNode& to = graph.Nodes[edge.To];
    // Fourteen events start at places; this script has none of their labels.
    if (from.Kind == StoryNodeKind::Start && from.Title != "New game") {
      EXPECT_EQ(to.Kind, StoryNodeKind::Missing) << to.Title;
      ++eventStarts;
      continue;
    }
    ways.push_back(from.Title + " -[" + edge.Text + "]-> " + to.Title + (to.Kind == StoryNodeKind::Missing ? " (missing)" : ""));
  }
  std::sort(ways.begin(), ways.end());
  EXPECT_EQ(blocks, (std::vector<std::string>{"*OP 1-5", "*pan_1_1 6-13", "*stray 14-16 unreached",
                                              "*pan_2 17-18 error", "*pan_4 19-21"}));
  EXPECT_EQ(eventStarts, 14);
  // The photo game after the opening and the one in *pan_1_1 (played on, or played again
  // by "Yes") reach the same five places.
  std::vector<std::string> expected = {"*pan_2 -[runs on]-> *pan_4", "*pan_4 -[]-> The end", "New game -[]-> *OP"};
  for (const std::string from : {"*OP", "*pan_1_1"})
    for (const std::string to : {"[photo 1: good]-> *pan_1_1", "[photo 2: near miss]-> *pan_2",
                                 "[photo 3: near miss]-> *pan_3 (missing)", "[photo 4: bad]-> *pan_4",
                                 "[photo 5: bad]-> *pan_5 (missing)"})
      expected.push_back(from + " -" + to);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ways, expected);

  const std::string dot = StoryGraphDot(graph);
  EXPECT_NE(NodeLine(dot, "*stray").find("fillcolor=\"grey85\""), std::string::npos) << dot;
  const std::string broken = NodeLine(dot, "*pan_2");
  EXPECT_NE(broken.find("fillcolor=\"mistyrose\" color=\"red3\""), std::string::npos) << broken;
  EXPECT_NE(broken.find("line 19: error: the block '*pan_2'"), std::string::npos) << broken;
  EXPECT_NE(NodeLine(dot, "*pan_1_1").find("No: to the map"), std::string::npos);
  EXPECT_NE(NodeLine(dot, "*pan_3").find("not in the script"), std::string::npos);
}

TEST(StoryMap, TheDemoMapHasEveryLabelAndTheReadmeCopyIsCurrent) {
  const std::string script = DemoScript();
  const StoryGraph graph = GraphOf(script);
  std::set<std::string> labels, titles;
  std::istringstream in(script);
  for (std::string line; std::getline(in, line);)
    if (line.size() > 1 && line[0] == '*' && ScriptText::TagIndex(line) == 0) labels.insert(line);
  for (const StoryNode& node : graph.Nodes) {
    if (node.Kind != StoryNodeKind::Block) continue;
    titles.insert(node.Title);
    EXPECT_TRUE(node.Reached && node.Errors.empty()) << node.Title;
  }
  EXPECT_EQ(titles, labels);

  const std::string dot = StoryGraphDot(graph);
  const std::string drawn = ReadFile(VELMORA_SOURCE_DIR "/docs/story-map.svg");
  ASSERT_FALSE(drawn.empty()) << "docs/story-map.svg is missing";
  for (const std::string& label : labels) EXPECT_NE(drawn.find(">" + label + "<"), std::string::npos) << label;
  EXPECT_NE(drawn.find("story map " + StoryGraphFingerprint(dot)), std::string::npos)
      << "docs/story-map.svg was drawn from another demo script or map: cmake --build build --target story_map_docs";
}

TEST(StoryMap, TheDemosChoicesAreLabelledWithTheCaptionOverEachOption) {
  // Sets 3 and 6 have no option lines: each caption belongs to the option area under its
  // middle, a set-2 option is its own line; *ending names the event it starts.
  const StoryGraph graph = GraphOf(DemoScript());
  std::set<std::string> ways;
  for (const StoryEdge& edge : graph.Edges)
    if (edge.Kind == StoryEdgeKind::Option || edge.Kind == StoryEdgeKind::Ending)
      ways.insert(graph.Nodes[edge.From].Title + " -[" + edge.Text + "]-> " + graph.Nodes[edge.To].Title);
  const std::set<std::string> expected = {
      "*mirel_2_1 -[買い物へ]-> *mirel_3", "*mirel_2_1 -[お茶に]-> *mirel_4", "*mirel_2_1 -[公園へ]-> *mirel_5",
      "*mirel_2_1 -[送る]-> *mirel_6",     "*mirel_2_1 -[昔]-> *mirel_1",     "*mirel_3_1 -[上がる]-> *mirel_4",
      "*mirel_3_1 -[公園へ]-> *mirel_5",   "*mirel_3_1 -[話す]-> *mirel_6",   "*mirel_3_1 -[昔]-> *mirel_1",
      "*orika_2 -[オリカを撮る]-> *orika_3", "*orika_2 -[屋上に行く]-> *orika_4", "*orika_1 -[*ending: event 12]-> *orika_2"};
  EXPECT_EQ(ways, expected);
}

TEST(StoryMap, QelvartCheckDrawsTheMapOrSaysInOneLineWhyNot) {
  testing::ScratchDir dir;
  dir.Write("small.txt", std::string(kSmall));
  const std::string script = dir.Path() + "/small.txt";
  const tools_test::ToolRun drawn = tools_test::RunTool("qelvart_check", {"--graph", dir.Path() + "/map.svg", script});
  EXPECT_EQ(drawn.Status, 1) << drawn.Output;  // the script's errors, with the map drawn all the same
  const std::string svg = ReadFile(dir.Path() + "/map.svg");
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find(">*stray<"), std::string::npos);

  const std::string path = std::getenv("PATH");
  setenv("PATH", "/nonexistent", 1);
  const tools_test::ToolRun noDot = tools_test::RunTool("qelvart_check", {"--graph", dir.Path() + "/x.png", script});
  setenv("PATH", path.c_str(), 1);
  const struct {
    tools_test::ToolRun Run;
    std::string Says;
  } failures[] = {
      {noDot, "map into " + dir.Path() + "/x.png: Graphviz's dot program did not start (install the Debian package graphviz)"},
      {tools_test::RunTool("qelvart_check", {"--graph", dir.Path() + "/map.jpg", script}), "its name must end in .svg, .png or .dot"},
      {tools_test::RunTool("qelvart_check", {"--graph", dir.Path() + "/no/map.dot", script}),
       "cannot write " + dir.Path() + "/no/map.dot: No such file or directory"},
  };
  for (const auto& [run, says] : failures) {
    EXPECT_EQ(run.Status, 2) << run.Output;
    EXPECT_NE(run.Output.find(says + "\n"), std::string::npos) << run.Output;
  }
}

}  // namespace
}  // namespace velmora
