#!/usr/bin/env bash
# Plays the real program on a virtual X display: writes the demo game into a scratch
# folder, starts velmora there, waits until the title is on the screen, clicks the
# title's first button as a player would, and checks that the opening scene's first
# text page came up. Both screens are compared pixel for pixel with what the headless
# host renders for the same moment (smoke_reference), so a wrong offset, a missing
# repaint or text drawn in another face shows up here.
#
#   desktop_smoke.sh VELMORA VELMORA_DEMO SMOKE_REFERENCE [ARTIFACT_DIR]
#
# Exits 77 (skipped) only when no X server can be started; everything else that goes
# wrong fails. The X server and the game are stopped on every way out.
set -uo pipefail

[ $# -ge 3 ] || { echo "usage: $0 VELMORA VELMORA_DEMO SMOKE_REFERENCE [ARTIFACT_DIR]" >&2; exit 2; }
velmora="$(realpath "$1")" demo="$(realpath "$2")" reference="$(realpath "$3")" artifacts="${4:-}"
readonly title_wait_s=30 page_wait_s=20

work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-smoke.XXXXXX")"
xvfb_pid="" game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL: $*" >&2
  if [ -n "$artifacts" ]; then
    mkdir -p "$artifacts" && cp "$work"/*.png "$work"/*.log "$artifacts"/ 2>/dev/null
    echo "screenshots and logs kept in $artifacts" >&2
  fi
  exit 1
}

if ! command -v Xvfb > /dev/null; then
  echo "SKIPPED: there is no Xvfb to start a display with (tools/install_deps.sh installs it)" >&2
  exit 77
fi
for tool in xdotool xwininfo import compare; do
  command -v "$tool" > /dev/null || fail "$tool is missing (tools/install_deps.sh installs it)"
done

# A display of our own: Xvfb picks a free number and writes it once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$work/display" > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "SKIPPED: Xvfb could not start a display:" >&2
  cat "$work/xvfb.log" >&2
  exit 77
fi
export DISPLAY=":$(tr -d '[:space:]' < "$work/display")"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime"
# The player's own remembered zoom or fullscreen must not reach the test.
export XDG_CONFIG_HOME="$work/config"
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The pointer starts off the window, so no button is lit on the title.
xdotool mousemove 0 0

"$demo" "$work/game" > "$work/demo.log" 2>&1 || fail "the demo game could not be written"
"$reference" "$work/game" "$work" > "$work/reference.log" 2>&1 || fail "the headless reference failed: $(cat "$work/reference.log")"

(cd "$work/game" && exec "$velmora") > "$work/game.log" 2>&1 &
game_pid=$!

# The client area's top-left corner on the screen: the window's own corner, below the
# menu bar (the window is the menu bar over the 640x480 picture).
window=""
for _ in $(seq 100); do
  kill -0 "$game_pid" 2>/dev/null || fail "velmora ended at start-up: $(cat "$work/game.log")"
  window="$(xdotool search --onlyvisible --pid "$game_pid" 2> /dev/null | head -n 1)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window of velmora was shown in 10 s"
info="$(xwininfo -id "$window")"
win_x="$(awk '/Absolute upper-left X/ {print $4}' <<< "$info")"
win_y="$(awk '/Absolute upper-left Y/ {print $4}' <<< "$info")"
win_w="$(awk '/Width:/ {print $2}' <<< "$info")"
win_h="$(awk '/Height:/ {print $2}' <<< "$info")"
[ "$win_w" = 640 ] && [ "$win_h" -gt 480 ] || fail "the window is ${win_w}x${win_h}, not 640 wide over a 480-row picture"
client_x="$win_x" client_y=$((win_y + win_h - 480))
echo "window $window at ($win_x,$win_y) ${win_w}x${win_h}; client area at ($client_x,$client_y)"

# Differing pixels between the client area now and a reference picture.
differing_pixels() {
  import -window root -crop "640x480+$client_x+$client_y" +repage "$work/$2.png" 2> /dev/null || { echo 307200; return; }
  compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | awk '{print int($1)}'
}

# Waits until the client area equals Reference, at most Limit seconds; with a third
# argument, clicks the title's first button every few seconds while it waits.
wait_for_screen() {
  local ref="$1" limit="$2" clicking="${3:-}" deadline=$((SECONDS + $2)) next_click=$SECONDS clicks=0 diff=""
  while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$game_pid" 2>/dev/null || fail "velmora ended while waiting for $ref: $(cat "$work/game.log")"
    if [ -n "$clicking" ] && [ "$SECONDS" -ge "$next_click" ] && [ "$clicks" -lt 3 ]; then
      xdotool mousemove --sync $((client_x + 320)) $((client_y + 198)) click 1
      clicks=$((clicks + 1)) next_click=$((SECONDS + 5))
    fi
    diff="$(differing_pixels "$ref" "seen_$ref")"
    if [ "$diff" = 0 ]; then
      echo "$ref is on the screen${clicking:+ after $clicks click(s)}"
      return 0
    fi
    sleep 0.3
  done
  fail "after ${limit} s the screen still differs from the headless $ref in $diff pixels"
}

wait_for_screen title "$title_wait_s"
# The last wipe step already shows the whole title; the title takes clicks only once it
# has settled 300 ms later. A click that falls into that pause is dropped, as the game
# means it to be, so the click is made again while the page has not come.
sleep 0.5
wait_for_screen first_page "$page_wait_s" click
# The page must be the opening's: text pixels in the message window differ from the title.
message_area="490x80+15+385"
title_vs_page="$(compare -metric AE "$work/title.png[$message_area]" "$work/seen_first_page.png[$message_area]" null: 2>&1 |
  awk '{print int($1)}')"
[ "$title_vs_page" -gt 1000 ] || fail "the message window area is hardly different from the title's ($title_vs_page pixels)"
echo "PASS: the title and the opening's first page are on the screen as the headless host draws them"
