#pragma once
// What can be pressed now: the live targets of the current screen, read from the game's
// own hit tests. Each is a point a click would go to, what kind of thing is there, a name
// a person would say (in Japanese, as the game speaks) and whether it is the screen's way
// back. Keyboard focus, the screen reader, speech and the liveness explorer all take
// from this one list, so none of them can offer what a click would not do.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gfx/geometry.h"

namespace velmora {

class TForm1;

enum class TargetKind {
  TitleButton,   // new game, album, exit
  AlbumPicture,  // a seen picture in the album (or the selected one, to put it back)
  AlbumButton,   // the album's back and view buttons
  Place,         // an open place on the map
  MoveButton,    // the move confirmation's go and cancel
  Option,        // a choice's option
  Card,          // a face-down card of the photo game
  PageButton,    // the page button
  SkipPan,       // a click on a panning picture ends the pan
  EndingClick,   // a click on the ending screen goes on
};

struct LiveTarget {
  TargetKind Kind = TargetKind::PageButton;
  // The hit test's answer at At, in one numbering for every screen (TargetIdAt).
  int Id = 0;
  Point At;
  Rect Area;         // what a ring around the target encloses (the label, the button)
  std::string Name;  // UTF-8
  bool IsBack = false;
};

// Ids of the areas a press can land on. Title and album buttons keep the game's own button
// numbers (1, 3, 4; 5 back, 7 view, 5 the page button); the other kinds count from a base.
inline constexpr int kAlbumPictureIds = 100;  // album slot n
inline constexpr int kCardIds = 200;          // card n
inline constexpr int kTownIds = 300;          // map place, box button (309 go, 310 cancel) or option n
inline constexpr int kWholePictureId = 1000;  // the whole picture takes the click

// The id of the area a press at (x, y) lands on in the current screen, 0 for nothing
// there. A dead area still answers (a closed place, a locked album slot): only LiveTargets
// tells what a press there would do something with.
int TargetIdAt(const TForm1& form, int x, int y);

// The targets a press would act on now, in reading order (top to bottom, then left to
// right); none while a mode change or a card turn runs, when every press is dropped.
std::vector<LiveTarget> LiveTargets(const TForm1& form);

// The point a click on the page button would go to now, or none when the page button is
// not live: during a mode change or a card turn, and on screens without one (the opening,
// the title, the album, the map, the move confirmation, a choice). Over a panning picture
// any click skips the pan, and on the ending screen any click goes on; those count too.
// Enter, Space and the wheel press and release here, through the pointer's own entries.
std::optional<Point> PageButtonTarget(const TForm1& form);

// What a screen without story text asks of the player, in Japanese, from its targets (the
// title, the album, the map, the move box, the cards); empty elsewhere. A screen reader and
// speech say it where there is no page to read.
std::string ScreenPrompt(const std::vector<LiveTarget>& targets);

// Changes whenever the screen the player looks at changes (a new page, another phase of the
// town screen, a selected album picture), and only then.
uint64_t ScreenKey(const TForm1& form);

}  // namespace velmora
