#!/usr/bin/env bash
# The real program on a virtual X display with its asset file cut short while it runs:
# the title comes up, the file is cut to 4 KB, and a click on the title's first button
# has to bring a message box (one per failed action) while the program keeps running.
# After the boxes are closed no further box may come, and the game still answers its
# menu's exit.
#
#   window_asset_cut.sh VELMORA VELMORA_DEMO [ARTIFACT_DIR]
#
# Exits 77 (skipped) only when no X server can be started.
set -uo pipefail

[ $# -ge 2 ] || { echo "usage: $0 VELMORA VELMORA_DEMO [ARTIFACT_DIR]" >&2; exit 2; }
velmora="$(realpath "$1")" demo="$(realpath "$2")" artifacts="${3:-}"
readonly wait_s=30

source "$(dirname "$0")/../support/virtual_display.sh"

work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-cut.XXXXXX")"
xvfb_pid="" wm_pid="" game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL: $*" >&2
  if [ -n "$artifacts" ]; then
    mkdir -p "$artifacts" && cp "$work"/*.log "$artifacts"/ 2>/dev/null
    import -window root "$artifacts/screen.png" 2>/dev/null
    echo "logs kept in $artifacts" >&2
  fi
  exit 1
}

for tool in openbox xdotool xwininfo; do
  command -v "$tool" > /dev/null || fail "$tool is missing (tools/install_deps.sh installs it)"
done
start_virtual_display "$work" || exit $?
openbox > "$work/openbox.log" 2>&1 &
wm_pid=$!
xdotool mousemove 0 0

"$demo" "$work/game" > "$work/demo.log" 2>&1 || fail "the demo game could not be written"
(cd "$work/game" && exec "$velmora") > "$work/game.log" 2>&1 &
game_pid=$!

alive() { kill -0 "$game_pid" 2>/dev/null || fail "velmora ended ($1): $(tail -n 5 "$work/game.log")"; }
windows() { xdotool search --onlyvisible --pid "$game_pid" 2> /dev/null | wc -l; }

window=""
for _ in $(seq 300); do
  alive "at start-up"
  window="$(xdotool search --onlyvisible --pid "$game_pid" 2> /dev/null | head -n 1)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window of velmora was shown in 30 s"
sleep 0.5  # the window manager places the window
info="$(xwininfo -id "$window")"
win_x="$(awk '/Absolute upper-left X/ {print $4}' <<< "$info")"
win_y="$(awk '/Absolute upper-left Y/ {print $4}' <<< "$info")"
win_h="$(awk '/Height:/ {print $2}' <<< "$info")"
client_x="$win_x" client_y=$((win_y + win_h - 480))
# The opening picture, the wipe to the title and its settle take about two seconds.
sleep 4
alive "on the title"
[ "$(windows)" -eq 1 ] || fail "a box came up before the file was cut"

truncate -s 4096 "$work/game/data/qelvart.red"
xdotool mousemove $((client_x + 320)) $((client_y + 198)) sleep 0.05 click 1

# Each failed action shows one box; closing it may let the click's next step fail once
# more. After that the game stays quiet.
boxes=0
deadline=$((SECONDS + wait_s))
while [ "$SECONDS" -lt "$deadline" ]; do
  alive "with a message box"
  if [ "$(windows)" -ge 2 ]; then
    boxes=$((boxes + 1))
    [ "$boxes" -le 2 ] || fail "more than two message boxes came from one click on the title"
    xdotool key Return
    until [ "$(windows)" -le 1 ]; do
      [ "$SECONDS" -lt "$deadline" ] || fail "the message box did not close"
      sleep 0.2
    done
    quiet_until=$((SECONDS + 4))
  elif [ "$boxes" -gt 0 ] && [ "$SECONDS" -ge "$quiet_until" ]; then
    break
  fi
  sleep 0.2
done
[ "$boxes" -ge 1 ] || fail "no message box came up after the asset file was cut"
alive "after the message boxes"
echo "the cut file was reported in $boxes message box(es) and velmora kept running"

# The game still answers: its window closes as a player closes it.
xdotool windowactivate --sync "$window" key alt+F4
deadline=$((SECONDS + wait_s))
while kill -0 "$game_pid" 2>/dev/null; do
  [ "$SECONDS" -lt "$deadline" ] || fail "velmora did not end when its window was closed"
  sleep 0.2
done
wait "$game_pid"
status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "velmora ended with status $status"
echo "PASS: the asset file cut short under the running program was reported and the program went on"
