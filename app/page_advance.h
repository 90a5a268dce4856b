#pragma once
// Where a keyboard or wheel advance clicks: the page button, where it is live. A player
// who presses Enter or Space (or turns the wheel toward them) gets exactly a left click
// there, through the same pointer handlers, so every guard of a click applies.

#include <optional>

#include "gfx/geometry.h"

namespace velmora {

class TForm1;

// The point a click on the page button would go to now, or none when the page button is
// not live: during a mode change or a card turn, and on screens without one (the opening,
// the title, the album, the map, the move confirmation, a choice). Over a panning picture
// any click skips the pan, and on the ending screen any click goes on; those count too.
std::optional<Point> PageButtonTarget(const TForm1& form);

}  // namespace velmora
