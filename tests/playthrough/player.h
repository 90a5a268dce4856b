#pragma once
// A player at the headless window: everything it does is a click of the left button where
// a person would click (title buttons, the page button, map places, the go button of the
// confirmation box, choice options, cards) or a menu command, with the virtual clock run
// forward between them. It reads the game state (and the script line under way) only to
// know where it is, which card to take and when a click is about to deal the cards. Every
// wipe it sits through is checked: when the wipe ends, the window shows BackBuffer exactly.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/keyboard_focus.h"
#include "platform/headless/headless_host.h"
#include "support/fixtures.h"

namespace velmora::playthrough {

// A headless host that also keeps the story lines (UTF-8) the game hands to the text hook.
class StoryHost : public HeadlessHost {
 public:
  using HeadlessHost::HeadlessHost;
  void StoryText(const std::string& line) override { Lines.push_back(line); }
  std::vector<std::string> Lines;
};

// A play-through that cannot go on as the test asked (the map never showed, no card holds
// the result, a place cannot be picked); the test fails with the message.
class PlayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the window shows, as a player would name it.
enum class Screen {
  Opening,
  Title,
  Album,
  AlbumSlotSelected,
  PhotoGame,
  Picture,         // a full-screen picture on its way in (panning)
  Page,            // a text page of the story
  AlbumPicture,    // a picture viewed from the album
  Ending,
  Morning,         // town phases 0, 5, 6, 7: a remark and the page button
  WalkOver,
  Bedtime,
  Asleep,
  Map,             // town phase 1: pick a destination
  ConfirmBox,      // town phase 2
  Choice,          // town phase 4
  Town,            // any other town phase (on the way somewhere)
};
// The screen's name for a failure message.
std::string ScreenName(Screen screen);

// Where a player clicks.
inline constexpr Point kNewGameButton{320, 198};
inline constexpr Point kAlbumButton{320, 266};
inline constexpr Point kPageButton{460, 450};              // in the town frame
inline constexpr Point kPageButtonOverPicture{570, 445};   // over a full-screen picture
inline constexpr Point kAlbumBackButton{82, 30};
inline constexpr Point kAlbumViewButton{247, 275};

class Player {
 public:
  // The game started in a fresh folder with the demo asset file and sounds, at the title.
  Player();

  StoryHost& host() { return host_; }
  TForm1& form() { return host_.Form(); }
  const GameState& state() { return host_.Form().State; }
  // What the window shows now.
  Screen Where();

  // --- the title and the album ---
  // Title button 1; the first page of the opening is up afterwards.
  void StartNewGame();
  // Title button 3 (only there once picture 4 has been seen).
  void OpenAlbum();
  // A press and release on album slot 1..8.
  void ClickAlbumSlot(int slot);
  // Album button 7: the selected picture.
  void ViewPicture();
  // The menu command "戻る": back to the title, whatever the game was doing.
  void BackToTitleByMenu();

  // --- reading ---
  // One click of the page button where it stands now (town frame or over a picture, or
  // the album's back button), then the game is left to come to rest.
  void Next();
  // Clicks next page after page until the story asks for something else; panning
  // pictures are watched to their end. Returns where reading stopped.
  Screen ReadOn();
  // From now on a panning picture is cut short by a click on it, as an impatient player
  // does, once its first frame has shown.
  void SkipPans(bool skip) { skipPans_ = skip; }
  // From now on every page is turned as by Enter, Space or the wheel (a press and release
  // where the page button is live, without moving the pointer), never by the mouse; a
  // screen where the keys do nothing fails the play-through.
  void TurnPagesByKey(bool byKey) { byKey_ = byKey; }
  // One page turned by key; false, with nothing done, where the keys do nothing.
  bool PressPageKey();
  // From now on every click is made with the keys alone: arrow keys until the focus is on
  // the target the click would land on, then Enter (the page button where it is live,
  // else the focused target); the pointer never moves. Fails if no arrows lead there.
  void UseKeysAlone(bool on) { keysAlone_ = on; byKey_ = byKey_ || on; }
  const KeyboardFocus& Focus() const { return focus_; }
  // Reads on, then clicks through the walk-over, night and morning remarks, until the town
  // map shows. Fails if the photo game, a choice or the ending comes first.
  void ReadToMap();

  // --- the town ---
  // Picks Place on the map (the centre of its label) and clicks "go" in the box.
  void GoTo(int place);
  // Picks Place; true if the confirmation box came up (a closed place does nothing).
  bool PickPlace(int place);
  // The box's cancel button.
  void CancelMove();
  // Goes home and sleeps until the next morning's map.
  void SleepAtHome();

  // --- the photo game and choices ---
  // The next deal is to show Result face down among the four cards: the player takes a
  // moment before the click that deals, so the deal, which the game shuffles from the
  // clock, comes at a moment that lays it out.
  void WantPhoto(int result);
  // Clicks the card that holds Result, watches it turn and clicks the page button.
  void TakePhoto(int result);
  // Clicks choice option 11..16 or 18 in the middle of its area.
  void Choose(int option);

  // --- what the player saw ---
  // The story lines drawn since the last call, and whether Line was among them.
  std::vector<std::string> TakeLines();
  bool Saw(const std::string& line) const;
  // Wipes watched to their end, and those after which the window was not BackBuffer.
  int WipesSeen() const { return wipes_; }
  int WipesNotEndingOnBackBuffer() const { return badWipes_; }
  // Ticks of panning watched.
  int PanTicksSeen() const { return panTicks_; }

 private:
  // Runs the clock until no mode change, pan or card turn is under way.
  void Settle();
  // Moves the pointer to P, presses and releases there, and lets the game come to rest.
  void ClickAt(Point p);
  // The press and release of a click at P, by hand or by keys.
  void PressAt(Point p);
  // Arrow keys to the target a click at P lands on, then Enter.
  void KeyTo(Point p);
  // Where the page button (or the album's back button) stands on the screen now.
  Point PageButtonSpot();
  // How many mode changes after the next click at the page button (or on Option) the game
  // deals: 0 when it does not.
  int PageDeals();
  int ChoiceDeals(int option);
  // Waits the moment that makes the deal ModeChanges mode changes away hold wanted_.
  void Steer(int modeChanges);

  testing::ScratchDir dir_;
  StoryHost host_;
  size_t linesTaken_ = 0;
  int wipes_ = 0;
  int badWipes_ = 0;
  int panTicks_ = 0;
  int ticksThisPan_ = 0;
  bool skipPans_ = false;
  bool byKey_ = false;
  bool keysAlone_ = false;
  KeyboardFocus focus_;
  // From a click that starts a mode change to the moment the new screen settles.
  uint32_t settleDelay_ = 0;
  int wanted_ = 0;
  bool steered_ = false;
  std::array<int32_t, 5> predicted_{};
};

// The four values a deal seeded at Milliseconds lays out and the one it keeps back.
std::array<int32_t, 5> DealAt(uint32_t milliseconds);
// Whether Area of A and B holds the same colours.
bool SameArea(const Picture& a, const Picture& b, const Rect& area);

}  // namespace velmora::playthrough
