#!/usr/bin/env bash
# Keyboard play in the real program on a virtual X display: with the pointer left outside
# the window, the arrow keys, Enter and Backspace alone take the game from the title to the
# town map. On every screen an arrow shows the focus ring on the first target and Enter
# presses (the page button where it is live, otherwise the focused target); the map is
# known by the ring showing round its first place. There Enter opens the move box and Backspace cancels it, back to
# the same map.
#
#   keyboard_play.sh VELMORA VELMORA_DEMO [ARTIFACT_DIR]
#
# Exits 77 (skipped) only when no X server can be started.
set -uo pipefail

[ $# -ge 2 ] || { echo "usage: $0 VELMORA VELMORA_DEMO [ARTIFACT_DIR]" >&2; exit 2; }
velmora="$(realpath "$1")" demo="$(realpath "$2")" artifacts="${3:-}"

source "$(dirname "$0")/../support/window_test_kit.sh" keys
start_virtual_display "$work" || exit $?
xdotool mousemove 0 0  # outside the window, where it stays: a move would hide the ring

"$demo" "$work/game" > "$work/demo.log" 2>&1 || fail "the demo game could not be written"
(cd "$work/game" && exec "$velmora") > "$work/game.log" 2>&1 &
game_pid=$!
wait_for_window "$game_pid" "$work/game.log" 100 2> "$work/window.log" || fail "$(cat "$work/window.log")"
[ "$client_x" -gt 0 ] && [ "$client_y" -gt 0 ] || fail "the window lies over the pointer's corner"

key() {
  kill -0 "$game_pid" 2>/dev/null || fail "velmora ended"
  xdotool windowfocus --sync "$window" 2> /dev/null || true
  xdotool key "$@"
}

# Pixels of the ring's colour round the map's first place in reading order (the family
# restaurant, top right) in capture Name.
ring_pixels() {
  convert "$work/$1.png" -crop 76x48+439+28 +repage -fill black +opaque "#FFDC00" -fill white -opaque "#FFDC00" \
    -format "%[fx:round(mean*w*h)]" info:
}
sleep 3  # the opening picture, then the title
at_map=""
for step in $(seq 50); do
  capture plain
  key Down
  sleep 0.4
  capture ringed
  if [ "$(ring_pixels plain)" = 0 ] && [ "$(ring_pixels ringed)" -gt 100 ]; then
    at_map="$step"
    break
  fi
  # Enter presses the focused target (the first of each screen) or turns the page.
  key Return
  sleep 1
done
[ -n "$at_map" ] || fail "the keys did not bring the town map up"
echo "the town map after $at_map rounds of arrow and Enter"

key Return
sleep 1
capture box
[ "$(differing ringed box)" -gt 1000 ] || fail "Enter on the focused place brought no move box"
key BackSpace
sleep 1
capture back
map_area="490x470+10+10"  # the status panel beside it redraws its clock
[ "$(differing plain back "$map_area")" = 0 ] ||
  fail "Backspace did not cancel the move box back to the same map ($(differing plain back "$map_area") pixels differ)"
grep -q "velmora:" "$work/game.log" && fail "the program reported: $(grep velmora: "$work/game.log")"
echo "PASS: from the title to the town map with the keyboard alone; Enter opened the move box, Backspace cancelled it"
