#pragma once
// A script written as UTF-8 text, turned into the Shift-JIS bytes the game reads, with
// every character that code page 932 cannot hold named by its line and column.

#include <string>
#include <string_view>

namespace velmora {

// The script's bytes for the asset file (Name, the file's name, heads each problem). A leading byte-order mark is dropped. Raises
// GameError listing each line and column that is not UTF-8 or has a character the game's
// text encoding cannot hold.
std::string EncodeScriptText(std::string_view utf8, const std::string& name);

}  // namespace velmora
