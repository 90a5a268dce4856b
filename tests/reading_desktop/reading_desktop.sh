#!/usr/bin/env bash
# Reading aids in the real program on a virtual X display. The opening is read page by
# page with Enter up to where its pages end; the program is ended once the memory of pages
# read is on the disk, and started again; on the first page the wheel turned away opens the
# backlog and Esc closes it with the picture exactly as before; then Ctrl is held and the
# read pages pass by themselves, stopping where the first reading stopped, on the same
# picture.
#
#   reading_desktop.sh VELMORA VELMORA_DEMO [ARTIFACT_DIR]
#
# Exits 77 (skipped) only when no X server can be started. Everything it starts is
# stopped on every way out.
set -uo pipefail

[ $# -ge 2 ] || { echo "usage: $0 VELMORA VELMORA_DEMO [ARTIFACT_DIR]" >&2; exit 2; }
velmora="$(realpath "$1")" demo="$(realpath "$2")" artifacts="${3:-}"

before_cleanup() { xdotool keyup Control_L 2>/dev/null; }
source "$(dirname "$0")/../support/window_test_kit.sh" reading
start_virtual_display "$work" || exit $?
xdotool mousemove 0 0
"$demo" "$work/game" > "$work/demo.log" 2>&1 || fail "the demo game could not be written"

window="" client_x="" client_y=""
start_game() {
  (cd "$work/game" && exec "$velmora") > "$work/game-$1.log" 2>&1 &
  game_pid=$!
  wait_for_window "$game_pid" "$work/game-$1.log" 100 2> "$work/window.log" || fail "$(cat "$work/window.log")"
}
# Waits until the picture stays the same for Still seconds (1 unless given), at most 40
# seconds; the last capture is Name.
wait_still() {
  local name="$1" still="${2:-1}" deadline=$((SECONDS + 40))
  capture "$name"
  while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$game_pid" 2>/dev/null || fail "velmora ended while waiting for $name"
    sleep "$still"
    cp "$work/$name.png" "$work/${name}_before.png"
    capture "$name"
    [ "$(differing "${name}_before" "$name")" = 0 ] && return 0
  done
  fail "the picture did not come to rest for $name"
}
focus() {
  local x=$((client_x + 600)) y=$((client_y + 470)) X Y SCREEN WINDOW
  # A move to where the pointer already is would wait for a motion that never comes.
  eval "$(xdotool getmouselocation --shell)"
  [ "$X,$Y" = "$x,$y" ] || xdotool mousemove --sync "$x" "$y"
  xdotool windowfocus --sync "$window" 2> /dev/null || true
}
new_game() {
  wait_still "title_$1"
  xdotool mousemove --sync $((client_x + 320)) $((client_y + 198)) click 1
  wait_still "first_page_$1"
}

start_game first
new_game first
# Enter until the pages end (a page at rest does not change on the wait; the photo game
# neither does on Enter).
for page in $(seq 30); do
  focus
  xdotool key Return
  wait_still "read_$page"
  [ "$page" -gt 1 ] && [ "$(differing "read_$((page - 1))" "read_$page")" = 0 ] && break
done
cp "$work/read_$page.png" "$work/end_of_reading.png"
echo "the first reading took $page presses of Enter"
# The memory is written a few seconds after the last new page.
sleep 6
ls "$XDG_DATA_HOME"/velmora/read/*.dat > /dev/null 2>&1 || fail "no memory of pages read was written"
stop_game

start_game second
new_game second
focus
xdotool click 4  # the wheel turned away from the player
sleep 0.5
capture backlog
[ "$(differing first_page_second backlog)" -gt 10000 ] || fail "the wheel turned away did not open the backlog"
xdotool key Escape
sleep 0.5
capture backlog_closed
[ "$(differing first_page_second backlog_closed)" = 0 ] ||
  fail "after the backlog closed the picture differs in $(differing first_page_second backlog_closed) pixels"

focus
started=$SECONDS
xdotool keydown Control_L
wait_still skipped 2
xdotool keyup Control_L
echo "holding Ctrl came to rest after $((SECONDS - started)) s (the last 2 s still)"
wait_still after_skip
[ "$(differing end_of_reading after_skip)" = 0 ] ||
  fail "skipping stopped on another picture than the first reading ($(differing end_of_reading after_skip) pixels differ)"
grep -q "velmora:" "$work"/game-*.log && fail "the program reported: $(grep -h velmora: "$work"/game-*.log)"
echo "PASS: read pages skipped with Ctrl held to where the first reading ended; the backlog closed on the same picture"
