#include "explore/explorer.h"

#include <algorithm>

#include "gfx/sjis.h"
#include "script/events.h"
#include "town/town_map.h"

namespace velmora::explore {

namespace {

// How a resting player's next action is drawn (out of 1000).
constexpr int kMenuChance = 10;   // a menu command
constexpr int kMissChance = 20;   // a click where nothing is
constexpr int kWaitChance = 20;   // a pause
// Out of 1000 resting steps, how often a player stops the game and goes back to the title.
constexpr int kGiveUpChance = 2;
// Out of 100 actions, how many are left to run to rest; the others are followed at once.
constexpr int kSettleChance = 80;
// Out of 100: how often a player who knows the story walks to where it goes on (drawn per
// game, so some players follow the story closely and others wander and miss days), and
// confirms the move in the box.
constexpr int kFollowStoryLeast = 20, kFollowStoryMost = 95;
constexpr int kConfirmChance = 85;
// Out of 100: how often a player at a question picks an answer not given to it before.
constexpr int kNewChoiceChance = 70;
// Of a hundred times the exit is drawn, the times it is taken (each exit is a start-up).
constexpr int kExitChance = 5;
// The day from which a session's player has had enough, drawn per session.
constexpr int32_t kBoredFrom = 10, kBoredTo = 20;
// A resting game that needs more actions than this to reach the title has lost its way back.
constexpr int kWayBackActions = 200;
// Game time to come to rest in; the longest pan takes a few seconds.
constexpr uint32_t kRestLimitMs = 10 * 60 * 1000;
constexpr uint32_t kSettleSliceMs = 50;
// Title button 4 ends the program; title button 1 starts a game.
constexpr int kExitButton = 4;
// Target ids of the town screen (app/live_targets.h): a place n is 300 + n, the go button 309.
constexpr int kGoButton = kTownIds + 9;
constexpr int kEventMinPoints = 20;
constexpr int kHomePlace = kTownIds + 1;
// Out of 100: the days a player spends at home, letting the story wait a day.
constexpr int kStayHomeChance = 12;
constexpr size_t kRecentActions = 16;

void Mix(uint64_t& hash, uint64_t value) {
  hash ^= value;
  hash *= 0x100000001b3ULL;
  hash ^= hash >> 29;
}

template <typename Array>
void MixAll(uint64_t& hash, const Array& values) {
  for (const auto v : values) Mix(hash, static_cast<uint64_t>(v));
}

void MixMenu(uint64_t& hash, const MenuItem& item) {
  Mix(hash, (item.Enabled() ? 1u : 0u) | (item.Visible() ? 2u : 0u));
  for (const MenuItem* child : item.Items()) MixMenu(hash, *child);
}

}  // namespace

Explorer::Explorer(uint32_t seed) : seed_(seed), random_(seed) { testing::WriteSounds(dir_); }

Explorer::~Explorer() = default;

void Explorer::StartUp() {
  if (host_) figures_.GameMilliseconds += host_->Now();
  // No one looks at the window's frames: the screen the checks compare is the game's own
  // screen picture, which a watched window would only copy.
  host_ = std::make_unique<HeadlessHost>(dir_.Path(), HeadlessHost::Watch::Unwatched);
  const auto asset = testing::DemoAssetShared();
  host_->SetMemoryFile("data/qelvart.red", asset, {}, static_cast<int64_t>(asset->size()));
  host_->Start();
  ++figures_.StartUps;
  if (figures_.StartUps == 1) coverage_.Learn(host_->Form());
  lastMode_ = -1;
  Observe();
  Settle(true);
  if (host_->Form().State.ScreenMode != 1) Fail("the program did not come to its title after start-up");
}

void Explorer::Run(int64_t steps) {
  target_ = steps;
  if (!host_) StartUp();
  // How often the run looks whether it has seen the whole story yet.
  constexpr int64_t kCoverageLook = 100;
  int64_t nextLook = figures_.Steps + kCoverageLook;
  while (figures_.Steps < target_) {
    Step();
    if (figures_.WholeStoryAt == 0 && figures_.Steps >= nextLook) {
      nextLook = figures_.Steps + kCoverageLook;
      if (coverage_.Complete()) figures_.WholeStoryAt = figures_.Steps;
    }
  }
}

bool Explorer::AtRest() const {
  const TForm1& f = host_->Form();
  return !f.G_Timer.Enabled() && !f.CG_Timer.Enabled() && !f.Play_Timer.Enabled();
}

uint64_t Explorer::StateFingerprint() const {
  const TForm1& f = host_->Form();
  const GameState& s = f.State;
  uint64_t h = 0xcbf29ce484222325ULL;
  for (const int64_t v : {int64_t{s.DayCount}, int64_t{s.TimeSlot}, int64_t{s.TownPhase}, int64_t{s.ChoiceSet},
                          int64_t{s.CurrentPlace}, int64_t{s.TargetPlace}, int64_t{s.Partner}, int64_t{s.Points},
                          int64_t{s.CurrentEvent}, int64_t{s.ScriptPos}, int64_t{s.CgShown}, int64_t{s.ModeArg},
                          int64_t{s.CurrentCg}, int64_t{s.ScreenMode}, int64_t{s.PressedButton}, int64_t{s.PanY},
                          int64_t{s.PanX}, int64_t{s.GamePhase}, int64_t{s.GamePick}, int64_t{s.GameRetries}})
    Mix(h, static_cast<uint64_t>(v));
  MixAll(h, s.HeroineWait);
  MixAll(h, s.HeroineGauge);
  MixAll(h, s.EventState);
  MixAll(h, s.PlaceOpen);
  MixAll(h, s.GameCards);
  MixAll(h, s.CgSeen);
  MixMenu(h, f.MainMenu1);
  for (const GameTimer* t : {&f.G_Timer, &f.CG_Timer, &f.Play_Timer}) Mix(h, t->Enabled() ? 1 : 0);
  Mix(h, host_->Closed() ? 1 : 0);
  return h;
}

uint64_t Explorer::ScreenFingerprint() const {
  const Picture& screen = host_->Form().ImageBa.Bitmap;
  const size_t words = static_cast<size_t>(screen.Stride()) * static_cast<size_t>(screen.Height()) / sizeof(uint64_t);
  const auto* bits = reinterpret_cast<const uint64_t*>(screen.Bits());
  // Four lanes, so the multiplications do not wait on one another.
  uint64_t lanes[4] = {1, 2, 3, 4};
  size_t i = 0;
  for (; i + 4 <= words; i += 4)
    for (size_t k = 0; k < 4; ++k) lanes[k] = (lanes[k] ^ bits[i + k]) * 0x9E3779B97F4A7C15ULL;
  for (; i < words; ++i) lanes[0] = (lanes[0] ^ bits[i]) * 0x9E3779B97F4A7C15ULL;
  uint64_t h = words;
  for (const uint64_t lane : lanes) Mix(h, lane);
  return h;
}

void Explorer::Observe() {
  if (host_->Closed()) return;
  const TForm1& f = host_->Form();
  const GameState& s = f.State;
  for (const std::string& message : host_->Messages()) {
    if (message == TForm1::AboutText()) {
      ++figures_.AboutBoxes;
      continue;
    }
    Fail("a message box said: " + message);
  }
  host_->ClearRecords();
  for (int e = EventTable.kFirst; e <= EventTable.kLast; ++e)
    if (s.EventState[e] > 2) Fail("event " + std::to_string(e) + " is in state " + std::to_string(s.EventState[e]));
  for (int p = 1; p <= 16; ++p)
    if (s.PlaceOpen[p] < 0) Fail("place " + std::to_string(p) + " has the flag " + std::to_string(s.PlaceOpen[p]));
  if (s.TownPhase > 7) Fail("the town phase is " + std::to_string(s.TownPhase));
  if (s.ScreenMode < 0 || s.ScreenMode > 8) Fail("the screen mode is " + std::to_string(s.ScreenMode));
  if (s.ScriptPos >= f.ScriptLines.Count())
    Fail("the play position " + std::to_string(s.ScriptPos) + " is past the script's " +
         std::to_string(f.ScriptLines.Count()) + " lines");
  coverage_.Observe(f);
  if (s.ScreenMode == 7 && lastMode_ != 7) ++figures_.Endings;
  if (s.ScreenMode == 6 && lastMode_ == 1) {
    // A new game: its player will have had enough of it some day.
    ++figures_.Sessions;
    boredDay_ = std::uniform_int_distribution<int32_t>(kBoredFrom, kBoredTo)(random_);
    followStory_ = std::uniform_int_distribution<int>(kFollowStoryLeast, kFollowStoryMost)(random_);
  }
  lastMode_ = s.ScreenMode;
}

void Explorer::Settle(bool fully) {
  if (fully) {
    const uint32_t start = host_->Now();
    while (!host_->Closed() && !AtRest()) {
      if (host_->Now() - start > kRestLimitMs) Fail("the game did not come to rest in ten minutes of game time");
      host_->RunFor(kSettleSliceMs);
      Observe();
    }
    return;
  }
  for (uint32_t left = std::uniform_int_distribution<uint32_t>(0, 700)(random_); left > 0 && !host_->Closed();) {
    const uint32_t slice = std::min(left, kSettleSliceMs);
    host_->RunFor(slice);
    left -= slice;
    Observe();
  }
}

bool Explorer::Perform(const Action& action, bool fully) {
  ++figures_.Steps;
  recent_.push_back(Where() + ": " + action.Describe());
  if (recent_.size() > kRecentActions) recent_.pop_front();
  if (action.What == Action::Kind::Click) {
    host_->Move(action.At.X, action.At.Y);  // the hand gets there first
    Observe();
  }
  if (host_->Closed()) return true;
  const uint64_t stateBefore = StateFingerprint();
  const uint64_t screenBefore = ScreenFingerprint();
  switch (action.What) {
    case Action::Kind::Click:
      host_->Press(action.At.X, action.At.Y);
      Observe();
      host_->Release(action.At.X, action.At.Y);
      break;
    case Action::Kind::Menu:
      host_->ClickMenu(*action.Item);
      break;
    case Action::Kind::Wait:
      host_->RunFor(action.Milliseconds);
      break;
  }
  Observe();
  Settle(fully);
  return host_->Closed() || StateFingerprint() != stateBefore || ScreenFingerprint() != screenBefore;
}

void Explorer::Step() {
  if (host_->Closed()) StartUp();
  TForm1& f = host_->Form();
  const GameState& s = f.State;
  const bool atRest = AtRest();
  const bool inPlay = s.ModeArg == 1 && s.ScreenMode >= 3 && s.ScreenMode <= 7;
  if (atRest && inPlay &&
      (s.DayCount >= boredDay_ || std::uniform_int_distribution<int>(0, 999)(random_) < kGiveUpChance)) {
    GoBackToTitle();
    return;
  }
  const Action action = ChooseAction(atRest);
  const bool fully = std::uniform_int_distribution<int>(0, 99)(random_) < kSettleChance;
  const bool changed = Perform(action, fully);
  if (host_->Closed()) return;
  if (atRest && !changed && action.What != Action::Kind::Wait && AtRest()) ProveLive();
}

Action Explorer::ChooseAction(bool atRest) {
  TForm1& f = host_->Form();
  const int roll = std::uniform_int_distribution<int>(0, 999)(random_);
  if (roll < kMenuChance) {
    const std::vector<Action> commands = LiveMenuCommands(f);
    for (int tries = 0; tries < 10 && !commands.empty(); ++tries) {
      const Action& a = commands[std::uniform_int_distribution<size_t>(0, commands.size() - 1)(random_)];
      if (a.Item == &f.Exit_Btn1 && std::uniform_int_distribution<int>(0, 99)(random_) >= kExitChance) continue;
      return a;
    }
  }
  if (roll < kMenuChance + kMissChance)
    return Action::Click(0, {std::uniform_int_distribution<int>(0, 639)(random_),
                             std::uniform_int_distribution<int>(0, 479)(random_)});
  if (roll < kMenuChance + kMissChance + kWaitChance || !atRest)
    return roll % 2 == 0 || atRest ? Action::Wait(std::uniform_int_distribution<uint32_t>(1, 3000)(random_))
                                   : ChooseClick(LiveClicks(f, random_));
  return ChooseClick(LiveClicks(f, random_));
}

Action Explorer::ChooseClick(const std::vector<Action>& clicks) {
  if (clicks.empty()) return Action::Wait(std::uniform_int_distribution<uint32_t>(1, 500)(random_));
  TForm1& f = host_->Form();
  const GameState& s = f.State;
  auto chance = [&](int percent) { return std::uniform_int_distribution<int>(0, 99)(random_) < percent; };
  std::vector<Action> preferred;
  if (s.ScreenMode == 4 && s.TownPhase == 1 && s.DayCount != dayPlanned_) {
    // Each new day the player decides whether to go out at all.
    dayPlanned_ = s.DayCount;
    stayHome_ = chance(kStayHomeChance);
  }
  if (s.ScreenMode == 4 && s.TownPhase == 1 && stayHome_) {
    for (const Action& c : clicks)
      if (c.HitId == kHomePlace) preferred.push_back(c);
  } else if (s.ScreenMode == 4 && s.TownPhase == 1 && chance(followStory_)) {
    // Places where an event would start today, as a player who knows the story walks.
    for (const Action& c : clicks) {
      const int place = c.HitId - kTownIds;
      if (place < 1 || place > 16 || s.PlaceOpen[place] != 1) continue;
      if (s.Points - f.Town.MoveCost(place) < kEventMinPoints) continue;
      for (int e = EventTable.kFirst; e <= EventTable.kLast; ++e) {
        const TEvent_Rec& r = EventTable[e];
        if (r.Place == place && place != 1 && s.EventState[e] == 1 && s.HeroineWait[r.Heroine] <= 0 &&
            f.Event.PartnerAvailable(r.Heroine)) {
          preferred.push_back(c);
          break;
        }
      }
    }
  } else if (s.ScreenMode == 4 && s.TownPhase == 4 && chance(kNewChoiceChance)) {
    // A curious player: at a question, an answer not yet given to it.
    for (const Action& c : clicks)
      if (!answersGiven_.count({s.ChoiceSet, s.ScriptPos, c.HitId})) preferred.push_back(c);
  } else if (s.ScreenMode == 4 && s.TownPhase == 2 && chance(kConfirmChance)) {
    for (const Action& c : clicks)
      if (c.HitId == kGoButton) preferred.push_back(c);
  }
  const std::vector<Action>& from = preferred.empty() ? clicks : preferred;
  Action chosen = from.front();
  for (int tries = 0; tries < 10; ++tries) {
    chosen = from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random_)];
    if (s.ScreenMode == 1 && chosen.HitId == kExitButton && !chance(kExitChance)) continue;
    break;
  }
  if (s.ScreenMode == 4 && s.TownPhase == 4) answersGiven_.insert({s.ChoiceSet, s.ScriptPos, chosen.HitId});
  return chosen;
}

void Explorer::ProveLive() {
  ++figures_.LivenessProbes;
  std::vector<Action> clicks = LiveClicks(host_->Form(), random_);
  std::shuffle(clicks.begin(), clicks.end(), random_);
  for (const Action& click : clicks)
    if (Perform(click, true)) return;
  // No hit area moves the game on; name what the menu could still do.
  for (Action command : LiveMenuCommands(host_->Form()))
    if (command.Item != &host_->Form().Exit_Btn1 && Perform(command, true))
      Fail(std::string("no hit area changes the state or the screen; only the menu's ") + command.Item->Name() +
           " does");
  Fail("stuck: no timer runs and no hit area, page button or menu command changes the state or the screen");
}

void Explorer::GoBackToTitle() {
  ++figures_.WaysBack;
  const std::string from = Where();
  for (int actions = 0; actions < kWayBackActions; ++actions) {
    if (host_->Closed()) return;
    TForm1& f = host_->Form();
    if (!AtRest()) {
      Settle(true);
      continue;
    }
    if (f.State.ScreenMode == 1) return;
    const std::vector<Action> commands = LiveMenuCommands(f);
    const auto back = std::find_if(commands.begin(), commands.end(), [&](const Action& a) { return a.Item == &f.ReSet_Btn1; });
    if (back != commands.end()) {
      Perform(*back, true);
      if (!host_->Closed() && host_->Form().State.ScreenMode != 1)
        Fail("the menu's back command did not bring back the title");
      continue;
    }
    // The back command is not offered here (the move box is up, or a move was called off
    // on the map, which leaves it off until the next move): play on until it is.
    const std::vector<Action> clicks = LiveClicks(f, random_);
    if (clicks.empty()) Fail("on the way back to the title from " + from + ": neither the back command nor a click is offered");
    Perform(ChooseClick(clicks), true);
  }
  Fail("no way back to the title from " + from + " in " + std::to_string(kWayBackActions) + " actions");
}

std::string Explorer::Where() const {
  if (host_->Closed()) return "closed";
  const TForm1& f = host_->Form();
  const GameState& s = f.State;
  std::string where = "mode " + std::to_string(s.ScreenMode) + " day " + std::to_string(s.DayCount) + " phase " +
                      std::to_string(s.TownPhase) + " event " + std::to_string(s.CurrentEvent) + " line " +
                      std::to_string(s.ScriptPos);
  if (s.ScriptPos > 0 && s.ScriptPos < f.ScriptLines.Count()) where += " (" + DecodeCp932(f.ScriptLines[s.ScriptPos]) + ")";
  return where;
}

void Explorer::Fail(const std::string& what) const {
  std::string message = "seed " + std::to_string(seed_) + ", step " + std::to_string(figures_.Steps) + ": " + what +
                        "\n  at " + Where() + "\n  replay: VELMORA_EXPLORE_SEED=" + std::to_string(seed_) +
                        " VELMORA_EXPLORE_STEPS=" + std::to_string(figures_.Steps) + "\n  the last actions:";
  for (const std::string& r : recent_) message += "\n    " + r;
  throw ExploreFailure(message);
}

}  // namespace velmora::explore
