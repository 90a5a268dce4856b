#!/usr/bin/env bash
# Plays the game natively under Wayland, on a headless Weston of its own with the demo
# game. First the program itself: its window comes up on the compositor's screen with
# the title, read back through Weston's screenshooter, and its error output stays empty.
# Then the same window driven from inside (wayland_session), since Wayland lets no one
# click into another program: the window opens, the opening picture and the title reach
# the compositor's screen, a click on the title's first button brings the new game's
# first text page, each compared pixel for pixel with what the headless host draws, and
# the error output stays empty.
#
#   wayland_session.sh WAYLAND_SESSION VELMORA VELMORA_DEMO SMOKE_REFERENCE [ARTIFACT_DIR]
#
# Exits 77 (skipped) only when no compositor can be started; everything else that goes
# wrong fails. Weston and its folders are gone on every way out.
set -uo pipefail

[ $# -ge 4 ] || { echo "usage: $0 WAYLAND_SESSION VELMORA VELMORA_DEMO SMOKE_REFERENCE [ARTIFACT_DIR]" >&2; exit 2; }
session="$(realpath "$1")" velmora="$(realpath "$2")" demo="$(realpath "$3")" reference="$(realpath "$4")"
artifacts="${5:-}"
readonly title_wait_s=30
. "$(dirname "$0")/../support/wayland_display.sh"

work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-wayland.XXXXXX")"
weston_pid="" session_pid="" game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  [ -n "$session_pid" ] && kill "$session_pid" 2>/dev/null && wait "$session_pid" 2>/dev/null
  stop_wayland_display
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL: $*" >&2
  if [ -n "$artifacts" ]; then
    mkdir -p "$artifacts" && cp "$work"/*.log "$work"/*.out "$work"/shots/*.png "$artifacts"/ 2>/dev/null
    echo "logs and screenshots kept in $artifacts" >&2
  fi
  exit 1
}

# The references are drawn before the compositor starts, on no display at all.
"$demo" "$work/game" > "$work/demo.log" 2>&1 || fail "the demo game could not be written"
"$reference" "$work/game" "$work" > "$work/reference.log" 2>&1 || fail "the headless reference failed: $(cat "$work/reference.log")"

mkdir "$work/shots"
start_wayland_display "$work" screenshots
started=$?
[ "$started" = 0 ] || exit "$started"
command -v weston-screenshooter > /dev/null || fail "weston-screenshooter is missing (the weston package has it)"

# The program itself, until the compositor's screen shows its title.
(cd "$work/game" && exec "$velmora") > "$work/game.log" 2> "$work/game-errors.log" &
game_pid=$!
deadline=$((SECONDS + title_wait_s))
until (cd "$work/shots" && rm -f ./*.png && weston-screenshooter > /dev/null 2>&1 &&
       "$session" --find ./*.png "$work/title.png"); do
  kill -0 "$game_pid" 2>/dev/null || fail "velmora ended: $(cat "$work/game-errors.log")"
  [ "$SECONDS" -lt "$deadline" ] || fail "the title did not reach the compositor's screen in $title_wait_s s"
  sleep 0.3
done
kill "$game_pid" && wait "$game_pid" 2>/dev/null
game_pid=""
[ -s "$work/game-errors.log" ] && fail "velmora wrote to its error output: $(head -n 5 "$work/game-errors.log")"
echo "velmora ran natively under Wayland: its title reached the compositor's screen"

"$session" "$work/game" "$work" "$work/shots" > "$work/session.log" 2> "$work/errors.log" &
session_pid=$!
wait "$session_pid"
status=$?
session_pid=""
cat "$work/session.log"
[ "$status" = 0 ] || fail "the session failed (status $status): $(cat "$work/errors.log")"
[ -s "$work/errors.log" ] && fail "the session wrote to its error output: $(head -n 5 "$work/errors.log")"
echo "PASS: natively under Wayland the window opened, and the opening, the title and, after a click, the first page reached the screen"
