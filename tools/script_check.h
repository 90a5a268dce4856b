#pragma once
// The script checker: walks every way the game can play through a scenario script (the
// opening, every event of the event table, choice jumps and go-ons, "*ending", every
// photo result) with the game's own rules for lines, tags, arguments and labels, and
// says in plain words what a player would meet: a label that is not there, a block that
// runs into the next one or off the end, an argument the game refuses, a line wider than
// the message window.

#include <string>
#include <vector>

#include "tools/story_graph.h"

namespace velmora {

struct ScriptFinding {
  bool Error;           // false: a warning (the game plays on, but looks wrong)
  int Line;             // 1-based script line, 0 when the finding has none
  std::string Message;  // UTF-8
};

// Lines as the game holds them (Shift-JIS). Measuring text needs a QGuiApplication.
// Findings come sorted by line; each is reported once however many paths meet it.
// With Graph, the walk also draws its map there: every block, every way it went, what
// it never reached and where each finding is.
std::vector<ScriptFinding> CheckScript(const std::vector<std::string>& lines, StoryGraph* graph = nullptr);

// "line 12: error: ..." (or without the line).
std::string DescribeFinding(const ScriptFinding& finding);

}  // namespace velmora
