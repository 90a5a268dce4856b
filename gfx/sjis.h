#pragma once
// Code page 932 (Shift-JIS) <-> UTF-8. The game keeps its text as Shift-JIS bytes and
// decodes it only when it is drawn or reported. Bad or cut-off byte pairs decode to
// U+FFFD without reading past the end of the string.

#include <string>
#include <string_view>

namespace velmora {

std::string DecodeCp932(std::string_view sjis);
// Characters that code page 932 cannot hold become '?'.
std::string EncodeCp932(std::string_view utf8);
// A game text written in the source (UTF-8) as the Shift-JIS bytes the game draws.
inline std::string Sjis(std::string_view utf8) { return EncodeCp932(utf8); }

}  // namespace velmora
