#pragma once
// When a save may be made and when one may be loaded. A save is made only where the game
// is at rest on the town screen: nothing moving (no mode change, pan or card turn), a
// phase that waits for the player (the morning, the map with nothing picked, the walk's
// end, bedtime, asleep) and no button held. A save may be loaded whenever nothing moves.

namespace velmora {

class TForm1;

// No mode change, card turn or pan under way, and the asset file open.
bool GameIdle(const TForm1& form);
bool TownAtRest(const TForm1& form);

}  // namespace velmora
