#include "minigame/photo_game.h"

#include <array>
#include <random>

#include "app/form.h"
#include "gfx/asset_table.h"
#include "gfx/sjis.h"

namespace velmora {

namespace {

// Message 0 asks for a pick; 1..5 answer the card turned. Both failures without a retry
// read the same.
constexpr std::array<const char*, 6> PhotoMessages = {
    "1枚選んでください。", "撮影成功！", "「・・・！」", "「・・・？」", "「げっ！？」", "「げっ！？」",
};

constexpr int kCardColumns = 4;
constexpr int kCardValues = 5;

void CheckColumn(int column) {
  if (column < 0 || column >= kCardColumns) ThrowRangeError("カード", column);
}

void CheckValue(int32_t value) {
  if (value < 1 || value > kCardValues) ThrowRangeError("カード", value);
}

}  // namespace

Rect PhotoGame::CardCell(int kind) {
  if (kind == 6) return {540, 0, 590, 125};
  return {90 * kind, 0, 90 * kind + 90, 125};
}

Rect PhotoGame::EdgeFaceCell(int value) { return {540 + 50 * value, 0, 590 + 50 * value, 125}; }

Rect PhotoGame::CardSlot(int column) { return {50 + 110 * column, 160, 140 + 110 * column, 285}; }

Rect PhotoGame::EdgeSlot(int column) { return {70 + 110 * column, 160, 120 + 110 * column, 285}; }

int32_t PhotoGame::PhotoScene() const {
  // Park, convenience stores, anywhere else; this edition has one picture for all three.
  const uint8_t place = form_.State.CurrentPlace;
  int group = 3;
  if (place == 5)
    group = 2;
  else if (place >= 6 && place <= 9)
    group = 1;
  return AssetTable.ScenePictures[14 + group];
}

void PhotoGame::DrawPhotoScreen(int kind) {
  AssetPictures& assets = form_.Assets;
  switch (kind) {
    case 0:
      assets.LoadBackdrop(TownBackdrop);
      assets.DrawAssetAt(10, 10, PhotoScene(), 1);
      form_.Status.RefreshStatus(0);
      form_.Status.RefreshStatus(1);
      break;
    case 2:
      for (int column = 0; column < kCardColumns; ++column) DrawCard(0, column);
      break;
    case 3:
      // The strip is cut from the scene picture at the strip's own screen coordinates,
      // not shifted by the scene's (10, 10); the original did the same.
      assets.DrawAssetRect(PhotoMessageStrip, PhotoMessageStrip, PhotoScene(), 0);
      break;
    default:
      break;
  }
}

void PhotoGame::DrawCard(int kind, int column) {
  CheckColumn(column);
  AssetPictures& assets = form_.Assets;
  if (kind >= 0 && kind <= 5) {
    assets.DrawAssetSprite(CardCell(kind), CardSlot(column), kCardSheet, 0);
  } else if (kind == 6) {
    assets.DrawAssetSprite(CardCell(6), EdgeSlot(column), kCardSheet, 0);
  } else if (kind == 7) {
    // BackBuffer holds the table without cards, so copying it back removes the card.
    const Rect slot = CardSlot(column);
    CopyRect(form_.ImageBa.Bitmap, slot, form_.BackBuffer, slot);
  } else if (kind == 8) {
    const GameState& s = form_.State;
    const int32_t value = s.GameCards[s.GamePick];
    CheckValue(value);
    assets.DrawAssetSprite(EdgeFaceCell(value), EdgeSlot(column), kCardSheet, 0);
  }
}

void PhotoGame::StartPhotoGame() {
  form_.State.GamePick = 0;
  form_.State.GameRetries = 0;
  DealCards();
}

void PhotoGame::DealCards() {
  GameState& s = form_.State;
  // Charged without a check; the points may go below zero (and wrap, never trap).
  s.Points = static_cast<int32_t>(static_cast<uint32_t>(s.Points) - 10u);
  DrawPhotoScreen(0);
  DrawPhotoScreen(2);
  form_.Sound.PlaySoundEffect(2);
  ShowPhotoMessage(0);
  ShuffleCards();
  s.GamePhase = 1;
  s.GamePick = 0;
  form_.Play_Timer.Tag = 0;
}

void PhotoGame::ShuffleCards() {
  // Seeded anew from the clock at every deal, as the original reseeded its generator.
  std::mt19937 random(form_.host.Milliseconds());
  std::uniform_int_distribution<int32_t> draw(1, kCardValues);
  auto& cards = form_.State.GameCards;
  for (int i = 1; i <= kCardValues; ++i) {
    cards[i] = 0;
    int32_t value = 0;
    bool taken = true;
    while (taken) {
      value = draw(random);
      taken = false;
      for (int j = 1; j <= i; ++j) taken = taken || cards[j] == value;
    }
    cards[i] = value;
  }
}

void PhotoGame::ShowPhotoMessage(int result) {
  if (result < 0 || result >= static_cast<int>(PhotoMessages.size())) ThrowRangeError("写真の結果", result);
  form_.State.CgShown = 0;
  DrawPhotoScreen(3);
  form_.Text.SetTextStyle(0);
  form_.Feed.Begin(UnitKind::Remark, "photo:" + std::to_string(result));
  form_.Text.DrawStoryText(185, 312, Sjis(PhotoMessages[static_cast<size_t>(result)]));
  form_.Feed.End();
}

void PhotoGame::PhotoGameClick() {
  const GameState& s = form_.State;
  if (s.GamePhase == 1) {
    // A release after a press that missed the cards leaves the game waiting.
    if (s.GamePick > 0) form_.Play_Timer.SetEnabled(true);
  } else if (s.GamePhase == 2 && s.PressedButton == 5) {
    ApplyResult();
  }
}

void PhotoGame::ApplyResult() {
  GameState& s = form_.State;
  const int32_t result = s.GamePick;
  CheckValue(result);
  s.GameRetries = 0;
  s.HeroineWait[s.Partner] = 1;
  switch (result) {
    case 1:
      form_.Event.FinishEvent();
      break;
    case 2:
    case 3:
      if (s.Points <= 10) {
        // Not enough points for another try: the event is left for the town screen.
        s.TownPhase = 3;
        form_.Town.AdvanceTown();
        return;
      }
      s.GameRetries += 1;
      break;
    case 5:
      s.PlaceOpen[s.CurrentPlace] = 5;  // closed until the fourth day change
      break;
    default:
      break;
  }
  form_.Town.DrawScene(0);
  s.ScriptPos = static_cast<uint16_t>(form_.Script.GameResultLine(result));
  // The result's label was looked up with the heroine still the partner.
  if (SendsPartnerAway(s.Partner, result)) {
    s.HeroineWait[3] = 3;
    s.Partner = 0;
  }
  form_.Modes.SwitchMode(6, 1);
}

bool PhotoGame::SendsPartnerAway(int partner, int result) { return partner == 3 && (result == 4 || result == 5); }

void PhotoGame::Play_TimerTimer() {
  GameTimer& timer = form_.Play_Timer;
  try {
    TurnCardStep();
  } catch (...) {
    // A step that fails would fail again on the next ticks, one message box after another:
    // the turn stops there, and the card's next click goes straight on to the reveal.
    timer.SetEnabled(false);
    if (timer.Tag < 4) timer.Tag = 4;
    throw;
  }
}

void PhotoGame::TurnCardStep() {
  GameTimer& timer = form_.Play_Timer;
  const int column = form_.State.GamePick - 1;
  timer.Tag += 1;
  switch (timer.Tag) {
    case 1:  // edge-on, back side
      DrawCard(7, column);
      DrawCard(6, column);
      form_.Sound.PlaySoundEffect(2);
      break;
    case 2:  // the slot empty for one step
      DrawCard(7, column);
      break;
    case 3:  // edge-on, face side
      DrawCard(8, column);
      break;
    default:
      // The fourth tick. A tag past 4 only follows a reveal that failed on a bad picture;
      // revealing again there keeps the game from waiting for ever behind a busy timer.
      timer.SetEnabled(false);
      RevealCard();
      break;
  }
}

void PhotoGame::RevealCard() {
  GameState& s = form_.State;
  const int32_t value = s.GameCards[s.GamePick];
  CheckValue(value);
  DrawCard(value, s.GamePick - 1);
  s.GamePick = value;
  form_.Sound.PlaySoundEffect(value == 1 ? 3 : 4);
  ShowPhotoMessage(value);
  form_.Button.DrawButton(0, 5);
  s.GamePhase = 2;
}

}  // namespace velmora
