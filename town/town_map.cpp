#include "town/town_map.h"
#include "app/form.h"
namespace velmora {
// PLACEHOLDER
int32_t TownMap::MoveCost(int32_t) const { return 0; }
int32_t TownMap::ConfirmTop() const { return 70; }
uint8_t TownMap::MapHit(int32_t, int32_t) const { return 0; }
Point TownMap::PreviewOrigin(int32_t) const { return {}; }
void TownMap::ShowMoveConfirm() {}
void TownMap::DrawDestinationMenu(int32_t) {}
void TownMap::DrawScene(int) {}
void TownMap::EnterTown(int) {}
void TownMap::AdvanceTown() {}
void TownMap::DrawScenePicture(int32_t) {}
void TownMap::Finish(int) {}
void TownMap::Move() {}
}  // namespace velmora
