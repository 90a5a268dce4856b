#pragma once
// Writing the story map to a file: as Graphviz text (.dot), or drawn by Graphviz's dot
// program (.svg, .png).

#include <string>

namespace velmora {

// Writes Dot (Graphviz text) to Path as its name's ending asks. Empty when written, else
// what went wrong in one line (dot not installed or failing, an ending it cannot draw, a
// file that cannot be written); a failed drawing leaves no file.
std::string WriteStoryMap(const std::string& dot, const std::string& path);

}  // namespace velmora
