#pragma once
// The game names its files as the original did on a system that ignores letter case
// ("data\qelvart.red", "wav\01.wav"); a game folder copied from such a system may spell
// them DATA/QELVART.RED or Wav/01.WAV. This finds the spelling on disk.

#include <string>

namespace velmora {

// Finds Relative (names separated by '/' or '\') under Root, one folder level at a time:
// an exact name wins, otherwise a name equal but for ASCII letter case (the first in
// sorted order when several are). Returns the path relative to Root, joined with '/', as
// it is spelled on disk; from the first level that matches nothing on, the rest is kept
// as given. An empty Root is the working directory.
std::string FindPathIgnoringCase(const std::string& root, const std::string& relative);

}  // namespace velmora
