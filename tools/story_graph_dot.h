#pragma once
// The story map as Graphviz text (the dot language): a box per block with its label, line
// range and what it shows; the heroines' blocks grouped, blocks no path reaches grey,
// blocks with an error red with the checker's message; arrows coloured by kind and
// labelled with the option, event or photo result that takes them.

#include <string>

#include "tools/story_graph.h"

namespace velmora {

// The text starts with a comment naming a fingerprint of everything after it, which
// Graphviz copies into an SVG it draws: a drawing tells which map it was drawn from.
std::string StoryGraphDot(const StoryGraph& graph);

// The fingerprint in Dot (16 hex digits), empty when there is none.
std::string StoryGraphFingerprint(const std::string& dot);

}  // namespace velmora
