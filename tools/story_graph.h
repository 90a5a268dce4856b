#pragma once
// The story map: what the script checker's walk saw, as boxes and arrows. Each block of
// the script (a label and the lines up to the next label) is a box with what it shows;
// the places play starts from, the end of the game and labels the game looks for but does
// not find are boxes too. Arrows are the ways the walk went from box to box. Plain data:
// writing it as Graphviz text is story_graph_dot's job.

#include <cstddef>
#include <string>
#include <vector>

namespace velmora {

enum class StoryNodeKind {
  Block,    // a label and its lines
  Start,    // a new game, or a place an event starts at
  End,      // the end of the game ("*end")
  Missing,  // a label the game looks up and the script does not have
};

struct StoryNode {
  StoryNodeKind Kind = StoryNodeKind::Block;
  std::string Title;                // "*mirel_3", "公園 (place 5)", UTF-8
  int FirstLine = 0, LastLine = 0;  // 1-based, blocks only
  std::vector<std::string> Shows;   // "3 pages", "scene 6", "CG 4", "photo game", "choice: ..."
  std::vector<std::string> Exits;   // ways play leaves the block for the town map
  bool Reached = false;
  unsigned Partners = 0;            // bit n: walked with heroine n (0: none)
  std::vector<std::string> Errors;  // the checker's findings here, "line 12: error: ..."
  int Warnings = 0;
};

enum class StoryEdgeKind {
  Start,        // a new game, or arriving at a place: event, place and heroine
  Option,       // an option of a choice (its caption)
  Photo,        // a photo result
  Ending,       // "*ending": the next event's block
  FallThrough,  // play runs on into the next label
  End,          // "*end"
};

struct StoryEdge {
  size_t From, To;
  StoryEdgeKind Kind;
  std::string Text;  // UTF-8
};

struct StoryGraph {
  std::vector<StoryNode> Nodes;
  std::vector<StoryEdge> Edges;

  // The box of 0-based script line Index: the block whose label is the last one at or
  // before it (lines before the first label make a block of their own).
  size_t BlockAt(size_t index) const;
  // A box of Kind titled Title, added once.
  size_t NodeFor(StoryNodeKind kind, const std::string& title);
  // An arrow, added once.
  void Connect(size_t from, size_t to, StoryEdgeKind kind, const std::string& text);

  std::vector<size_t> BlockStarts;  // 0-based first line of each block, ascending
};

// The blocks of a script (Shift-JIS lines) with what each shows; nothing reached yet.
StoryGraph StoryBlocks(const std::vector<std::string>& lines);

}  // namespace velmora
