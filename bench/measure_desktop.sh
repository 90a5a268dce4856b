#!/usr/bin/env bash
# Measures the real program on a virtual X display and prints every figure:
#   - start-up: from launch to the window being mapped and to the opening picture,
#   - idle cost: CPU time used over ten seconds on the title and on a text page,
#   - the cost of a pointer moving over a text page,
#   - the peak memory (VmHWM) of a play session of page turns and card picks,
#   - the pacing of the wipes and of a CG pan in the real window (pacing_probe).
# Not part of ./check: the figures depend on the machine and on what else runs on it.
# bench/measure_pacing.sh puts the pacing on X11 and under Wayland (Weston) side by side.
#
#   bench/measure_desktop.sh [BUILD_DIR]   (default: build; needs the targets velmora,
#                                           velmora_demo, smoke_reference, pacing_probe)
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$here/build}")"
velmora="$build/velmora" demo="$build/tools/velmora_demo"
reference="$build/tests/smoke/smoke_reference" probe="$build/bench/pacing_probe"
for f in "$velmora" "$demo" "$reference" "$probe"; do
  [ -x "$f" ] || { echo "missing $f: build the targets velmora velmora_demo smoke_reference pacing_probe" >&2; exit 1; }
done
for tool in Xvfb xev xwd xdotool xwininfo import compare identify stdbuf; do
  command -v "$tool" > /dev/null || { echo "$tool is missing (tools/install_deps.sh installs it)" >&2; exit 1; }
done

readonly idle_seconds=10 session_rounds=40
hz="$(getconf CLK_TCK)"
work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-measure.XXXXXX")"
xvfb_pid="" game_pid="" xev_pid=""
cleanup() {
  for pid in "$game_pid" "$xev_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
die() { echo "measure_desktop: $*" >&2; exit 1; }

# Milliseconds from one $EPOCHREALTIME reading to another.
ms_between() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) * 1000 }'; }
# User plus system CPU time of a process (or one thread), in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "$1/stat"; }

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$work/display" > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || die "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(tr -d '[:space:]' < "$work/display")"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime"
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
mkdir -m 700 "$XDG_RUNTIME_DIR"
xdotool mousemove 0 0

"$demo" "$work/game" > /dev/null 2>&1 || die "the demo game could not be written"
"$reference" "$work/game" "$work" > "$work/reference.log" 2>&1 || die "smoke_reference failed: $(cat "$work/reference.log")"

echo "== machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start"

# Every window mapped on the display, stamped as it arrives.
# (xev's own pid is kept, so that stopping it also ends the stamping loop.)
stdbuf -oL xev -root -event substructure 2> /dev/null \
  > >(while IFS= read -r line; do echo "$EPOCHREALTIME $line"; done > "$work/events.log") &
xev_pid=$!
sleep 0.5

launch="$EPOCHREALTIME"
(cd "$work/game" && VELMORA_TEXTHOOK=1 exec "$velmora") > "$work/story.txt" 2> "$work/game.log" &
game_pid=$!

window=""
for _ in $(seq 500); do
  kill -0 "$game_pid" 2>/dev/null || die "velmora ended at start-up: $(cat "$work/game.log")"
  window="$(xdotool search --onlyvisible --pid "$game_pid" 2> /dev/null | head -n 1)"
  [ -n "$window" ] && break
  sleep 0.02
done
[ -n "$window" ] || die "no window in 10 s"
# The opening: the first capture of the client area that is not all black.
info="$(xwininfo -id "$window")"
win_h="$(awk '/Height:/ {print $2}' <<< "$info")"
menu_h=$((win_h - 480))
shots=()
for i in $(seq 40); do
  before="$EPOCHREALTIME"
  xwd -id "$window" -silent > "$work/shot$i.xwd" 2> /dev/null
  shots+=("$before $EPOCHREALTIME $i")
  sleep 0.005
done
opening="" previous=""
for entry in "${shots[@]}"; do
  read -r before after i <<< "$entry"
  mean="$(identify -format '%[fx:mean]' "$work/shot$i.xwd[640x480+0+$menu_h]" 2> /dev/null)"
  if awk -v m="${mean:-0}" 'BEGIN { exit !(m > 0.001) }'; then opening="$previous $after"; break; fi
  previous="$before"
done
rm -f "$work"/shot*.xwd
hex="$(printf '0x%x' "$window")"
# A MapNotify's second line names the window that was mapped.
mapped="$(awk -v w="window $hex, override" '/MapNotify/ { map = 1; next } map && index($0, w) { print $1; exit }
  { map = 0 }' "$work/events.log")"
echo "== start-up"
[ -n "$mapped" ] && echo "launch to window mapped: $(ms_between "$launch" "$mapped") ms"
if [ -n "$opening" ]; then
  read -r last_black first_seen <<< "$opening"
  echo "launch to opening picture on the screen: between $(ms_between "$launch" "$last_black") and" \
       "$(ms_between "$launch" "$first_seen") ms (by screen captures)"
  [ -n "$mapped" ] && echo "window mapped to opening picture: about $(ms_between "$mapped" "$first_seen") ms (500 ms by design)"
else
  echo "the opening picture was not seen in the captures"
fi

win_x="$(awk '/Absolute upper-left X/ {print $4}' <<< "$info")"
win_y="$(awk '/Absolute upper-left Y/ {print $4}' <<< "$info")"
client_x="$win_x" client_y=$((win_y + menu_h))
on_screen() {
  import -window root -crop "640x480+$client_x+$client_y" +repage "$work/seen.png" 2> /dev/null &&
    [ "$(compare -metric AE "$work/$1.png" "$work/seen.png" null: 2>&1 | awk '{print int($1)}')" = 0 ]
}
wait_for() {  # Reference, seconds, [click]
  local deadline=$((SECONDS + $2)) next=$SECONDS
  while [ "$SECONDS" -lt "$deadline" ]; do
    if [ -n "${3:-}" ] && [ "$SECONDS" -ge "$next" ]; then
      xdotool mousemove --sync $((client_x + 320)) $((client_y + 198)) click 1
      next=$((SECONDS + 5))
    fi
    on_screen "$1" && return 0
    sleep 0.2
  done
  die "$1 did not come up in $2 s"
}
wait_for title 30
echo "launch to the title on the screen (first poll that saw it): $(ms_between "$launch" "$EPOCHREALTIME") ms"

# CPU used while the game waits; per thread as well, to name a busy one.
idle_cost() {
  local what="$1" proc="/proc/$game_pid" start end
  declare -A thread_start
  for t in "$proc"/task/*; do thread_start[$t]="$(cpu_ticks "$t")"; done
  start="$(cpu_ticks "$proc")" x_start="$(cpu_ticks "/proc/$xvfb_pid")"
  sleep "$idle_seconds"
  end="$(cpu_ticks "$proc")" x_end="$(cpu_ticks "/proc/$xvfb_pid")"
  echo "idle on $what: $((end - start)) ticks of CPU in ${idle_seconds} s ($(awk -v t=$((end - start)) -v hz="$hz" \
       -v s="$idle_seconds" 'BEGIN { printf "%.2f%%", 100 * t / hz / s }') of one core, ${hz} ticks/s)"
  echo "idle on $what: the X server used $((x_end - x_start)) ticks"
  for t in "$proc"/task/*; do
    local used=$(($(cpu_ticks "$t") - ${thread_start[$t]:-0}))
    [ "$used" -gt 0 ] && echo "  thread $(cat "$t/comm"): $used ticks"
  done
  return 0
}
sleep 1
idle_cost "the title"

wait_for first_page 20 click
sleep 1
idle_cost "a text page"

# The pointer wandering over the text page (every move is a handler call in the game),
# and the same moves beside the window, where they cost the game nothing: what the X
# server spends on xdotool itself.
proc="/proc/$game_pid"
pointer_cost() {  # what, left end and width of the strip the pointer sweeps
  local start x_start moves=0 t0="$EPOCHREALTIME"
  start="$(cpu_ticks "$proc")" x_start="$(cpu_ticks "/proc/$xvfb_pid")"
  for round in $(seq 20); do
    for i in $(seq 15); do
      xdotool mousemove $(($2 + i * $3 / 16)) $((client_y + 40 + round * 20))
      moves=$((moves + 1))
    done
  done
  echo "pointer moving $1: $(($(cpu_ticks "$proc") - start)) ticks of CPU in the game and" \
       "$(($(cpu_ticks "/proc/$xvfb_pid") - x_start)) in the X server for $moves moves in $(ms_between "$t0" "$EPOCHREALTIME") ms"
}
pointer_cost "over a text page" "$client_x" 640
# The window is centred on the 1024-wide screen, so a strip is free to its left.
pointer_cost "beside the window (xdotool's own cost)" 0 "$client_x"

# A play session: page turns at both page-button places and a card pick, over and over.
echo "== play session ($session_rounds rounds of clicks)"
start="$(cpu_ticks "$proc")" t0="$EPOCHREALTIME"
for _ in $(seq "$session_rounds"); do
  for at in "575 444" "465 451" "95 220"; do
    read -r x y <<< "$at"
    xdotool mousemove --sync $((client_x + x)) $((client_y + y)) click 1
    sleep 0.4
  done
  kill -0 "$game_pid" 2>/dev/null || die "velmora ended during the session: $(cat "$work/game.log")"
done
echo "session: $(ms_between "$t0" "$EPOCHREALTIME") ms, $(($(cpu_ticks "$proc") - start)) ticks of CPU," \
     "$(wc -l < "$work/story.txt") story lines shown; last: $(tail -n 1 "$work/story.txt")"
grep -E '^(VmHWM|VmRSS|Threads)' "$proc/status" | tr -s '\t ' ' '
[ -s "$work/game.log" ] && { echo "the game's error output:"; head -n 5 "$work/game.log"; }
kill "$game_pid" && wait "$game_pid" 2>/dev/null
game_pid=""

# A second session with the tallest picture in memory: the probe's game opens on CG 3,
# which pans for about four seconds before its text page.
echo "== play session through a CG pan (CG 3)"
mkdir "$work/pan"
"$probe" --write-game "$work/pan/game" 3 > /dev/null 2>&1 || die "pacing_probe could not write its game"
"$reference" "$work/pan/game" "$work/pan" > /dev/null 2>&1  # only its title picture is used
[ -s "$work/pan/title.png" ] || die "no title reference for the pan game"
(cd "$work/pan/game" && VELMORA_TEXTHOOK=1 exec "$velmora") > "$work/pan/story.txt" 2> /dev/null &
game_pid=$!
proc="/proc/$game_pid"
window=""
for _ in $(seq 500); do
  window="$(xdotool search --onlyvisible --pid "$game_pid" 2> /dev/null | head -n 1)"
  [ -n "$window" ] && break
  sleep 0.02
done
[ -n "$window" ] || die "no window for the pan session"
info="$(xwininfo -id "$window")"
client_x="$(awk '/Absolute upper-left X/ {print $4}' <<< "$info")"
client_y=$(($(awk '/Absolute upper-left Y/ {print $4}' <<< "$info") + menu_h))
wait_for pan/title 30
sleep 0.5
start="$(cpu_ticks "$proc")" t0="$EPOCHREALTIME"
# A click can fall into the title's settling pause and be dropped: click again only
# while the title is still there (a click during the pan would cut it short).
for _ in $(seq 150); do
  [ -s "$work/pan/story.txt" ] && break
  if on_screen pan/title; then xdotool mousemove --sync $((client_x + 320)) $((client_y + 198)) click 1; fi
  sleep 0.2
done
[ -s "$work/pan/story.txt" ] || die "the text page after the pan did not come up in 30 s"
echo "click to the text page after the pan: $(ms_between "$t0" "$EPOCHREALTIME") ms, $(($(cpu_ticks "$proc") - start))" \
     "ticks of CPU (two wipes and the pan)"
grep -E '^(VmHWM|VmRSS)' "$proc/status" | tr -s '\t ' ' '
kill "$game_pid" && wait "$game_pid" 2>/dev/null
game_pid=""

echo "== pacing in the real window"
for cg in 3 2; do
  x_start="$(cpu_ticks "/proc/$xvfb_pid")"
  "$probe" "$cg" > "$work/probe$cg.txt" 2>&1 || { cat "$work/probe$cg.txt"; die "pacing_probe $cg failed"; }
  if [ "${VERBOSE:-0}" = 1 ]; then cat "$work/probe$cg.txt"; else grep -E '^(start-up|title|wipe|pan|peak)' "$work/probe$cg.txt"; fi
  echo "the X server used $(($(cpu_ticks "/proc/$xvfb_pid") - x_start)) ticks during that probe run"
done
echo "== load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
