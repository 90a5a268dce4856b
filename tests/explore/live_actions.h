#pragma once
// What a player can do on the screen the game shows now: one click per live target
// (app/live_targets: title and album buttons, album pictures, cards, map places, the
// confirmation box's buttons, choice options, the page button, a click anywhere on a
// panning picture or the ending), and every menu command a player can reach.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/form.h"
#include "app/live_targets.h"

namespace velmora::explore {

struct Action {
  enum class Kind { Click, Menu, Wait };
  Kind What = Kind::Wait;
  int HitId = 0;              // the hit test's answer at At (Click)
  Point At{0, 0};             // where the click lands (Click)
  MenuItem* Item = nullptr;   // the command (Menu)
  uint32_t Milliseconds = 0;  // how long the player waits (Wait)

  static Action Click(int hitId, Point at) { return {Kind::Click, hitId, at, nullptr, 0}; }
  static Action Menu(MenuItem& item) { return {Kind::Menu, 0, {0, 0}, &item, 0}; }
  static Action Wait(uint32_t ms) { return {Kind::Wait, 0, {0, 0}, nullptr, ms}; }
  std::string Describe() const;
};

// One click per live target of the current screen (the game's own list, the one keyboard
// focus offers), each at a random point of the target's area (the areas are found on a
// grid of random phase, so over a run every part of them is tried).
std::vector<Action> LiveClicks(const TForm1& form, std::mt19937& random);

// Every menu command a player can reach: the item and every menu above it visible and
// enabled, and the item does something when chosen.
std::vector<Action> LiveMenuCommands(TForm1& form);

}  // namespace velmora::explore
