#include "playthrough/player.h"

#include <algorithm>
#include <deque>
#include <set>
#include <random>

#include "app/live_targets.h"
#include "gfx/asset_table.h"
#include "gfx/sjis.h"
#include "town/town_map.h"

namespace velmora::playthrough {

namespace {

// The middle of choice option Option's area for Set, where a player would click.
Point OptionSpot(int set, int option) {
  if (set == 2) return {113, option == 11 ? 421 : 441};
  if (option == 18) return {463, 448};
  if (option >= 15) return {103 + 110 * (option - 15), 441};
  return {103 + 110 * (option - 11), 421};
}

Point Centre(const Rect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

}  // namespace

std::string ScreenName(Screen screen) {
  static const char* const names[] = {
      "the opening", "the title",   "the album",   "the album with a slot selected",
      "the photo game", "a picture", "a text page", "a picture from the album",
      "the ending",  "the morning", "the walk's end", "bedtime",
      "sleep",       "the map",     "the confirmation box", "a choice", "the town on its way"};
  return names[static_cast<int>(screen)];
}

std::array<int32_t, 5> DealAt(uint32_t milliseconds) {
  // The game's own shuffle: a generator seeded from the clock, values drawn until unused.
  std::mt19937 random(milliseconds);
  std::uniform_int_distribution<int32_t> draw(1, 5);
  std::array<int32_t, 5> cards{};
  for (size_t i = 0; i < cards.size(); ++i) {
    int32_t value = 0;
    do value = draw(random);
    while (std::find(cards.begin(), cards.begin() + static_cast<std::ptrdiff_t>(i), value) !=
           cards.begin() + static_cast<std::ptrdiff_t>(i));
    cards[i] = value;
  }
  return cards;
}

bool SameArea(const Picture& a, const Picture& b, const Rect& area) {
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (!a.Contains(x, y) || !b.Contains(x, y) || a.PixelColor(x, y) != b.PixelColor(x, y)) return false;
  return true;
}

Player::Player() : host_(dir_.Path()) {
  testing::WriteSounds(dir_);
  const auto asset = testing::DemoAssetShared();
  host_.SetMemoryFile("data/qelvart.red", asset, {}, static_cast<int64_t>(asset->size()));
  host_.Start();
  Settle();  // the opening picture, then the title
  if (Where() != Screen::Title) throw PlayError("the game did not come to its title but to " + ScreenName(Where()));
}

Screen Player::Where() {
  const GameState& s = state();
  switch (s.ScreenMode) {
    case 0: return Screen::Opening;
    case 1: return Screen::Title;
    case 2: return Screen::Album;
    case 3: return Screen::PhotoGame;
    case 5: return Screen::Picture;
    case 6: return s.ModeArg == 2 ? Screen::AlbumPicture : Screen::Page;
    case 7: return Screen::Ending;
    case 8: return Screen::AlbumSlotSelected;
    default: break;
  }
  switch (s.TownPhase) {
    case 0: return Screen::Morning;
    case 1: return Screen::Map;
    case 2: return Screen::ConfirmBox;
    case 4: return Screen::Choice;
    case 5: return Screen::WalkOver;
    case 6: return Screen::Bedtime;
    case 7: return Screen::Asleep;
    default: return Screen::Town;
  }
}

void Player::Settle() {
  for (int guard = 0; guard < 200000; ++guard) {
    TForm1& f = form();
    if (host_.Closed()) return;
    if (f.G_Timer.Enabled()) {
      const bool entering = f.G_Timer.Tag == 0;
      host_.RunFor(1);
      if (entering && f.G_Timer.Tag != 0) {
        // Phase 1 has just wiped to the new screen: the window must show BackBuffer now.
        ++wipes_;
        if (!SameArea(host_.Window(), f.BackBuffer, ScreenRect)) ++badWipes_;
      }
      continue;
    }
    if (f.CG_Timer.Enabled()) {
      if (skipPans_ && ticksThisPan_ > 0) {
        // A press on the picture (or a page key) ends the pan at its rest frame.
        if (!byKey_)
          host_.Click(320, 240);
        else if (!PressPageKey())
          throw PlayError("the page keys do not skip a pan");
        ticksThisPan_ = 0;
        continue;
      }
      host_.RunFor(kCoarseTimerInterval);
      ++panTicks_;
      ++ticksThisPan_;
      continue;
    }
    ticksThisPan_ = 0;
    if (f.Play_Timer.Enabled()) {
      host_.RunFor(50);
      continue;
    }
    return;
  }
  throw PlayError("the game never came to rest");
}

void Player::ClickAt(Point p) {
  PressAt(p);
  Settle();
}

void Player::PressAt(Point p) {
  if (keysAlone_) return KeyTo(p);
  host_.Move(p.X, p.Y);  // the pointer gets there first, as a hand moves it
  host_.Click(p.X, p.Y);
}

void Player::KeyTo(Point p) {
  const int wanted = TargetIdAt(form(), p.X, p.Y);
  focus_.Update(ScreenKey(form()), LiveTargets(form()));
  // The fewest arrow keys that put the focus on the wanted target.
  struct Path {
    KeyboardFocus Focus;
    std::vector<FocusDirection> Keys;
  };
  std::deque<Path> paths{{focus_, {}}};
  std::set<int> seen;
  std::vector<FocusDirection> keys;
  bool found = false;
  while (!paths.empty() && !found) {
    Path path = std::move(paths.front());
    paths.pop_front();
    const LiveTarget* on = path.Focus.Focused();
    if (on && on->Id == wanted) {
      keys = path.Keys;
      found = true;
    } else if (seen.insert(on ? on->Id : -1).second) {
      for (const FocusDirection d : {FocusDirection::Left, FocusDirection::Right, FocusDirection::Up, FocusDirection::Down}) {
        Path next = path;
        next.Keys.push_back(d);
        if (next.Focus.Move(d)) paths.push_back(std::move(next));
      }
    }
  }
  const std::optional<Point> page = PageButtonTarget(form());
  if (page) {
    // Enter turns the page where the page button is live, wherever the focus is.
    if (TargetIdAt(form(), page->X, page->Y) != wanted)
      throw PlayError("Enter turns the page instead of pressing area " + std::to_string(wanted));
    keys.clear();
  } else if (!found) {
    throw PlayError("no arrow keys lead to area " + std::to_string(wanted) + " on " + ScreenName(Where()));
  }
  for (const FocusDirection d : keys) focus_.Move(d);
  const Point at = page ? *page : focus_.Focused()->At;
  host_.Press(at.X, at.Y);
  host_.Release(at.X, at.Y);
}

Point Player::PageButtonSpot() {
  const GameState& s = state();
  if (s.ScreenMode == 2 || s.ScreenMode == 8) return kAlbumBackButton;
  return s.CgShown != 0 ? kPageButtonOverPicture : kPageButton;
}

void Player::StartNewGame() {
  if (Where() != Screen::Title) throw PlayError("a new game from " + ScreenName(Where()));
  const uint32_t clicked = host_.Now();
  PressAt(kNewGameButton);
  // The mode change's wipe sets the pace of every later one: from the click to the end
  // of the wipe, then 300 ms to the settle, where a photo game deals.
  while (form().G_Timer.Enabled() && form().G_Timer.Tag == 0) host_.RunFor(1);
  settleDelay_ = host_.Now() - clicked + 300;
  ++wipes_;
  if (!SameArea(host_.Window(), form().BackBuffer, ScreenRect)) ++badWipes_;
  Settle();
}

void Player::OpenAlbum() {
  if (Where() != Screen::Title) throw PlayError("the album from " + ScreenName(Where()));
  ClickAt(kAlbumButton);
}

void Player::ClickAlbumSlot(int slot) {
  const Point cell = PointerInput::AlbumSlotPos(static_cast<uint8_t>(slot), 0);
  ClickAt({cell.X + 33, cell.Y + 33});
}

void Player::ViewPicture() { ClickAt(kAlbumViewButton); }

void Player::BackToTitleByMenu() {
  host_.ClickMenu(form().ReSet_Btn1);
  Settle();
}

void Player::Next() {
  if (wanted_ != 0 && PageDeals() > 0) Steer(PageDeals());
  if (!byKey_) {
    ClickAt(PageButtonSpot());
  } else if (!PressPageKey()) {
    throw PlayError("the page keys do nothing on " + ScreenName(Where()));
  }
}

bool Player::PressPageKey() {
  const std::optional<Point> at = PageButtonTarget(form());
  if (!at) return false;
  host_.Press(at->X, at->Y);
  host_.Release(at->X, at->Y);
  Settle();
  return true;
}

int Player::PageDeals() {
  const GameState& s = state();
  if (Where() != Screen::Page || s.ScriptPos == 0) return 0;
  const int tag = ScriptText::TagIndex(form().ScriptLines[s.ScriptPos]);
  return tag == 9 || (tag == 10 && s.DayCount == 0) ? 1 : 0;  // "<Game>", or the opening's "*next_ba"
}

int Player::ChoiceDeals(int option) {
  const GameState& s = state();
  const bool photoEvent = s.CurrentEvent == 11 || s.CurrentEvent == 13;
  const bool goesOn = s.ChoiceSet == 2 && option == 11 && (s.Partner == 0 || (s.Partner == 3 && photoEvent));
  if (!goesOn) return 0;
  if (s.GameRetries > 0) return 1;  // the cards again, at once
  // Play goes on four lines after the question; a "<Game>" there deals after the page's own
  // mode change.
  const int64_t next = int64_t{s.ScriptPos} + 4;
  if (next < form().ScriptLines.Count() && ScriptText::TagIndex(form().ScriptLines[next]) == 9) return 2;
  return 0;
}

Screen Player::ReadOn() {
  for (int pages = 0; pages < 1000; ++pages) {
    Settle();
    if (Where() != Screen::Page) return Where();
    Next();
  }
  throw PlayError("the story never stopped asking for the next page");
}

void Player::ReadToMap() {
  for (int clicks = 0; clicks < 100; ++clicks) {
    const Screen at = ReadOn();
    if (at == Screen::Map) return;
    if (at != Screen::WalkOver && at != Screen::Bedtime && at != Screen::Asleep && at != Screen::Morning)
      throw PlayError("reading on towards the map stopped at " + ScreenName(at));
    Next();
  }
  throw PlayError("the map never showed");
}

bool Player::PickPlace(int place) {
  if (Where() != Screen::Map) throw PlayError("picking a place on " + ScreenName(Where()));
  ClickAt(Centre(PlaceTable[place].MapRect));
  return Where() == Screen::ConfirmBox;
}

void Player::GoTo(int place) {
  if (!PickPlace(place)) throw PlayError("place " + std::to_string(place) + " cannot be picked");
  ClickAt({244, form().Town.ConfirmTop() + 67});
  if (Where() == Screen::ConfirmBox) throw PlayError("place " + std::to_string(place) + " is too dear");
}

void Player::CancelMove() {
  if (Where() != Screen::ConfirmBox) throw PlayError("cancel on " + ScreenName(Where()));
  ClickAt({289, form().Town.ConfirmTop() + 67});
}

void Player::SleepAtHome() {
  GoTo(1);
  ReadToMap();
}

void Player::WantPhoto(int result) { wanted_ = result; }

void Player::Steer(int modeChanges) {
  for (uint32_t wait = 0; wait < 5000; ++wait) {
    const std::array<int32_t, 5> deal = DealAt(host_.Now() + wait + settleDelay_ * static_cast<uint32_t>(modeChanges));
    if (std::find(deal.begin(), deal.begin() + 4, wanted_) == deal.begin() + 4) continue;
    host_.RunFor(wait);
    predicted_ = deal;
    steered_ = true;
    wanted_ = 0;
    return;
  }
  throw PlayError("no moment lays out result " + std::to_string(wanted_));
}

void Player::TakePhoto(int result) {
  if (Where() != Screen::PhotoGame || state().GamePhase != 1)
    throw PlayError("a photo on " + ScreenName(Where()));
  const GameState& s = state();
  wanted_ = 0;  // a deal no click foretold is taken as it comes
  if (steered_) {
    steered_ = false;
    for (int i = 1; i <= 5; ++i)
      if (s.GameCards[i] != predicted_[static_cast<size_t>(i - 1)])
        throw PlayError("the cards were dealt at another moment than the click foretold");
  }
  int column = 0;
  for (int slot = 1; slot <= 4; ++slot)
    if (s.GameCards[slot] == result) column = slot;
  if (column == 0) throw PlayError("no card on the table holds result " + std::to_string(result));
  ClickAt({95 + 110 * (column - 1), 200});  // Settle watches the card turn
  if (s.GamePhase != 2 || s.GamePick != result) throw PlayError("the card did not turn to its result");
  if (byKey_)
    Next();
  else
    ClickAt(kPageButton);
}

void Player::Choose(int option) {
  if (Where() != Screen::Choice) throw PlayError("a choice on " + ScreenName(Where()));
  if (wanted_ != 0 && ChoiceDeals(option) > 0) Steer(ChoiceDeals(option));
  ClickAt(OptionSpot(state().ChoiceSet, option));
}

std::vector<std::string> Player::TakeLines() {
  std::vector<std::string> lines(host_.Lines.begin() + static_cast<std::ptrdiff_t>(linesTaken_), host_.Lines.end());
  linesTaken_ = host_.Lines.size();
  return lines;
}

bool Player::Saw(const std::string& line) const {
  return std::find(host_.Lines.begin(), host_.Lines.end(), line) != host_.Lines.end();
}

}  // namespace velmora::playthrough
