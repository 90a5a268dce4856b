#include "minigame/photo_game.h"
#include "app/form.h"
namespace velmora {
// PLACEHOLDER
void PhotoGame::DrawPhotoScreen(int) {}
void PhotoGame::DrawCard(int, int) {}
void PhotoGame::StartPhotoGame() {}
void PhotoGame::DealCards() {}
void PhotoGame::ShowPhotoMessage(int) {}
void PhotoGame::PhotoGameClick() {}
void PhotoGame::Play_TimerTimer() {}
void PhotoGame::RevealCard() {}
int32_t PhotoGame::PhotoScene() const { return 0; }
}  // namespace velmora
