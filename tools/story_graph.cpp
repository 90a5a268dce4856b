#include "tools/story_graph.h"

#include <algorithm>

#include <QString>

#include "gfx/sjis.h"
#include "script/script_text.h"

namespace velmora {

namespace {

bool IsLabel(const std::string& line) { return !line.empty() && line[0] == '*' && ScriptText::TagIndex(line) == 0; }

// A shown line cut to about Max characters, for a box.
std::string Short(const std::string& sjis, size_t max = 24) {
  std::u32string text;
  for (const char32_t c : QString::fromStdString(DecodeCp932(sjis)).trimmed().toStdU32String()) text += c;
  if (text.size() > max) text = text.substr(0, max - 1) + U'…';
  return QString::fromStdU32String(text).toStdString();
}

// Numbers asked for by one tag, as "scene 6, 7".
void Note(std::vector<std::string>& shows, const std::string& what, const std::vector<std::string>& numbers) {
  if (numbers.empty()) return;
  std::string line = what + (numbers.size() > 1 ? "s " : " ");
  for (size_t i = 0; i < numbers.size(); ++i) line += (i ? ", " : "") + numbers[i];
  shows.push_back(line);
}

// What the lines First..Last (0-based, inclusive) show, read without playing them.
std::vector<std::string> Contents(const std::vector<std::string>& lines, size_t first, size_t last) {
  std::vector<std::string> scenes, cgs, choices;
  int pages = 0, run = 0;
  bool photo = false;
  auto endRun = [&] {
    pages += (run + 2) / 3;
    run = 0;
  };
  for (size_t i = first; i <= last && i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const int tag = ScriptText::TagIndex(line);
    if (tag == 0) {
      ++run;
      continue;
    }
    endRun();
    const std::string argument = i + 1 < lines.size() ? Short(lines[i + 1], 8) : "";
    std::vector<std::string>& asked = line == "<B>" ? scenes : cgs;
    if ((line == "<B>" || line == "<CG>" || line == "<CG_text>") &&
        std::find(asked.begin(), asked.end(), argument) == asked.end())
      asked.push_back(argument);
    if (line == "<Game>") photo = true;
    if (line == "<Sentaku>") {
      // The question (set 2) or prompt (sets 3 and 6) follows the set's number; the
      // options after it are not pages.
      if (i + 2 < lines.size() && ScriptText::TagIndex(lines[i + 2]) == 0) choices.push_back(Short(lines[i + 2]));
      i += argument == "2" ? 5 : 4;
      continue;
    }
    i += static_cast<size_t>(ScriptTags[static_cast<size_t>(tag - 1)].Arguments);
  }
  endRun();
  std::vector<std::string> shows;
  if (pages > 0) shows.push_back(std::to_string(pages) + (pages == 1 ? " page" : " pages"));
  Note(shows, "scene", scenes);
  Note(shows, "CG", cgs);
  if (photo) shows.push_back("photo game");
  for (const std::string& question : choices) shows.push_back("choice: " + question);
  return shows;
}

}  // namespace

size_t StoryGraph::BlockAt(size_t index) const {
  const auto after = std::upper_bound(BlockStarts.begin(), BlockStarts.end(), index);
  return after == BlockStarts.begin() ? 0 : static_cast<size_t>(after - BlockStarts.begin() - 1);
}

size_t StoryGraph::NodeFor(StoryNodeKind kind, const std::string& title) {
  for (size_t i = BlockStarts.size(); i < Nodes.size(); ++i)
    if (Nodes[i].Kind == kind && Nodes[i].Title == title) return i;
  StoryNode node;
  node.Kind = kind;
  node.Title = title;
  node.Reached = true;
  Nodes.push_back(std::move(node));
  return Nodes.size() - 1;
}

void StoryGraph::Connect(size_t from, size_t to, StoryEdgeKind kind, const std::string& text) {
  for (const StoryEdge& e : Edges)
    if (e.From == from && e.To == to && e.Kind == kind && e.Text == text) return;
  Edges.push_back({from, to, kind, text});
}

StoryGraph StoryBlocks(const std::vector<std::string>& lines) {
  StoryGraph graph;
  for (size_t i = 0; i < lines.size(); ++i)
    if (IsLabel(lines[i]) || (i == 0 && !lines.empty())) graph.BlockStarts.push_back(i);
  for (size_t b = 0; b < graph.BlockStarts.size(); ++b) {
    const size_t first = graph.BlockStarts[b];
    const size_t last = b + 1 < graph.BlockStarts.size() ? graph.BlockStarts[b + 1] - 1 : lines.size() - 1;
    StoryNode node;
    node.Title = IsLabel(lines[first]) ? DecodeCp932(lines[first]) : "(before the first label)";
    node.FirstLine = static_cast<int>(first) + 1;
    node.LastLine = static_cast<int>(last) + 1;
    node.Shows = Contents(lines, IsLabel(lines[first]) ? first + 1 : first, last);
    graph.Nodes.push_back(std::move(node));
  }
  return graph;
}

}  // namespace velmora
