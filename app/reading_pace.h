#pragma once
// How long auto-read leaves a unit on the screen before turning it: the formula readers of
// visual novels know from Ren'Py, (characters + 25) / 250 of a page time in seconds, so a
// long page stays longer than a short one. The page time is the player's setting: 15 s by
// default (a three-line page of 60 characters stays about 5 s), from 2.5 s to 40 s in
// steps of 2.5 s.

#include <cstdint>

namespace velmora {

struct ReadUnit;

inline constexpr double kDefaultPageSeconds = 15.0;
inline constexpr double kFastestPageSeconds = 2.5;
inline constexpr double kSlowestPageSeconds = 40.0;
inline constexpr double kPageSecondsStep = 2.5;

// The characters of a unit's lines and options (code points of the UTF-8 text).
int UnitCharacters(const ReadUnit& unit);
// The pause before auto-read turns Unit (or a screen with no text, when null).
uint32_t AutoReadDelayMs(const ReadUnit* unit, double pageSeconds);
// The page time one step slower or faster, kept within its bounds; a value out of range
// (a hand-edited settings file) gives the default.
double SlowerPageSeconds(double pageSeconds);
double FasterPageSeconds(double pageSeconds);
double CheckedPageSeconds(double pageSeconds);

}  // namespace velmora
