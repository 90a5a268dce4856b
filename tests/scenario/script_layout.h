#pragma once
// Where script text lands in the message window: widths in the fixed-pitch game font and
// the option areas of the choice panel, in screen pixels. Lines are Shift-JIS.

#include <string_view>
#include <vector>

namespace velmora::scenario {

// A text line starts at x 35 in the town frame; the 12-point font is 8 pixels a half-width
// character and 16 a full-width one.
inline constexpr int kTextX = 35;
inline constexpr int kColumnWidth = 8;
// A story line stays within 24 full-width characters; a caption line may reach the window's
// right edge at x 505.
inline constexpr int kStoryColumns = 48;
inline constexpr int kWindowRight = 505;

struct OptionArea {
  int Left;   // inclusive
  int Right;  // inclusive
};

// A run of non-blank characters on a line, in screen x (inclusive).
struct Caption {
  int Left;
  int Right;
};

// Half-width columns of a Shift-JIS line.
int Columns(std::string_view sjis);
// The screen x just past the line's last character.
int TextRight(std::string_view sjis);
// The captions of a line, split at half-width and full-width blanks.
std::vector<Caption> CaptionsOf(std::string_view sjis);
// The upper-row option areas of choice set 3 or 6 (11, 12, 13 and, for set 6, 14).
std::vector<OptionArea> ChoiceOptionAreas(int set);
// The lower-row option areas of set 3 or 6, left to right: 15 and 16 for set 6, then the
// closing option 18 of both.
std::vector<OptionArea> ChoiceLowerRowAreas(int set);

}  // namespace velmora::scenario
