#!/usr/bin/env bash
# Storms the real program: on a virtual X display with a window manager, the demo game
# gets a burst of random presses, releases, pointer moves, wheel turns, other buttons,
# the advance keys and menu commands (back to the title, a new game, the sound switch, the
# about box), fired in quick runs so they land in wipes, pans and card turns. Then:
#   - the program is still running;
#   - it answers: a click on the menu bar opens the menu within two seconds;
#   - no error box came up at any time (the about box comes only when asked for);
#   - left alone, it goes back to no CPU use.
# Prints the figures; exits 1 on any failure. Run by hand (it is not part of ./check):
#
#   tools/storm.sh [BUILD_DIR] [EVENTS] [SEED]      (defaults: build, 1000, 1)
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$here/build}")"
events="${2:-1000}" seed="${3:-1}"
velmora="$build/velmora" demo="$build/tools/velmora_demo"
for f in "$velmora" "$demo"; do
  [ -x "$f" ] || { echo "storm: missing $f (build the targets velmora and velmora_demo)" >&2; exit 1; }
done
for tool in Xvfb openbox xdotool xwininfo; do
  command -v "$tool" > /dev/null || { echo "storm: $tool is missing (tools/install_deps.sh installs it)" >&2; exit 1; }
done
readonly chunk=50 answer_limit_ms=2000 idle_pause_s=5 idle_seconds=10
# The message boxes' title (the about box and every error box).
readonly box_title='^Velmora　体験版$'
hz="$(getconf CLK_TCK)"

source "$here/tests/support/virtual_display.sh"

work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-storm.XXXXXX")"
xvfb_pid="" wm_pid="" game_pid=""
cleanup() {
  for pid in "$game_pid" "$wm_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() {
  echo "storm: FAIL: $*" >&2
  echo "-- last story lines:" >&2; tail -n 3 "$work/story.txt" >&2
  echo "-- the program's error output:" >&2; tail -n 20 "$work/game.log" >&2
  exit 1
}
ms_now() { echo $(( ${EPOCHREALTIME/./} / 1000 )); }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
alive() { kill -0 "$game_pid" 2>/dev/null || fail "velmora ended $1: $(tail -n 5 "$work/game.log")"; }
boxes() { xdotool search --onlyvisible --name "$box_title" 2> /dev/null | wc -l; }

start_virtual_display "$work" || fail "no virtual display could be started"
openbox > "$work/openbox.log" 2>&1 &
wm_pid=$!

"$demo" "$work/game" > /dev/null 2>&1 || fail "the demo game could not be written"
(cd "$work/game" && VELMORA_TEXTHOOK=1 exec "$velmora") > "$work/story.txt" 2> "$work/game.log" &
game_pid=$!
window=""
for _ in $(seq 200); do
  alive "at start-up"
  window="$(xdotool search --onlyvisible --pid "$game_pid" 2> /dev/null | head -n 1)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window in 20 s"
sleep 0.5
info="$(xwininfo -id "$window")"
win_x="$(awk '/Absolute upper-left X/ {print $4}' <<< "$info")"
win_y="$(awk '/Absolute upper-left Y/ {print $4}' <<< "$info")"
menu_h=$(($(awk '/Height:/ {print $2}' <<< "$info") - 480))
cx="$win_x" cy=$((win_y + menu_h))
# The menu bar's titles and the rows of their menus, as the window draws them with the
# Japanese font (GAME, 設定, バージョン情報; rows 19 pixels apart below the bar).
game_title=$((cx + 28)) settings_title=$((cx + 70)) about_title=$((cx + 133)) bar_y=$((win_y + menu_h / 2))
row() { echo $((cy + 12 + 19 * $1)); }

# The title, then a new game, so the storm starts in play.
sleep 2
xdotool mousemove --sync $((cx + 320)) $((cy + 198)) click 1
sleep 1

RANDOM="$seed"
declare -A sent=()
point() {  # a random point on the picture in PX PY, never on the title's exit button
  while :; do
    PX=$((RANDOM % 640)) PY=$((RANDOM % 480))
    # Now and then where the game takes clicks: page buttons, the cards, the map's middle.
    if [ $((RANDOM % 5)) = 0 ]; then
      case $((RANDOM % 4)) in 0) PX=465 PY=451 ;; 1) PX=575 PY=444 ;; 2) PX=$((95 + 110 * (RANDOM % 4))) PY=220 ;;
        3) PX=320 PY=198 ;; esac
    fi
    [ "$PX" -ge 276 ] && [ "$PX" -le 364 ] && [ "$PY" -ge 281 ] && [ "$PY" -le 319 ] && continue
    PX=$((cx + PX)) PY=$((cy + PY))
    return
  done
}

storm_started="$(ms_now)" about_boxes=0 error_boxes=0
for ((done_events = 0; done_events < events; done_events += chunk)); do
  cmd=()
  for ((i = 0; i < chunk && done_events + i < events; i++)); do
    roll=$((RANDOM % 100))
    point
    if [ "$roll" -lt 35 ]; then cmd+=(mousemove "$PX" "$PY" click 1) kind=click
    elif [ "$roll" -lt 50 ]; then cmd+=(mousemove "$PX" "$PY") kind=move
    elif [ "$roll" -lt 61 ]; then cmd+=(mousemove "$PX" "$PY" mousedown 1) kind=press
    elif [ "$roll" -lt 72 ]; then cmd+=(mousemove "$PX" "$PY" mouseup 1) kind=release
    elif [ "$roll" -lt 84 ]; then cmd+=(click $((4 + RANDOM % 2))) kind=wheel
    elif [ "$roll" -lt 88 ]; then cmd+=(mousemove "$PX" "$PY" click $((2 + RANDOM % 2))) kind=other_button
    elif [ "$roll" -lt 94 ]; then
      if [ $((RANDOM % 2)) = 0 ]; then cmd+=(key Return); else cmd+=(key space); fi
      kind=advance_key
    elif [ "$roll" -lt 97 ]; then
      # GAME > 最初から or 戻る (never the exit below them), by the pointer.
      cmd+=(mouseup 1 mousemove "$game_title" "$bar_y" click 1 sleep 0.15 mousemove "$game_title" "$(row $((RANDOM % 2)))"
            click 1 sleep 0.05 key Escape)
      kind=menu_game
    else
      # 設定 > 音 ON > ON or OFF, by the keys.
      cmd+=(mouseup 1 mousemove "$settings_title" "$bar_y" click 1 sleep 0.15 key Down Right)
      if [ $((RANDOM % 2)) = 0 ]; then cmd+=(key Up); else cmd+=(key Down); fi
      cmd+=(key Return sleep 0.05 key Escape)
      kind=menu_sound
    fi
    sent[$kind]=$((${sent[$kind]:-0} + 1))
    # A short random pause, so the next event lands anywhere in a wipe, a pan or a card turn.
    cmd+=(sleep "0.0$((RANDOM % 4))$((RANDOM % 10))")
  done
  xdotool "${cmd[@]}" 2> /dev/null
  alive "during the storm"
  if [ "$(boxes)" -gt 0 ]; then
    error_boxes=$((error_boxes + 1))
    fail "a message box is up after $((done_events + chunk)) events"
  fi
  # Every fourth run the about box, asked for from the menu bar and closed with its button.
  if [ $(((done_events / chunk) % 4)) = 3 ]; then
    # The game opens it only while no wipe, pan or card turn is under way: a few tries.
    for _ in 1 2 3 4; do
      xdotool key Escape mouseup 1 mousemove "$about_title" "$bar_y" click 1
      for _ in $(seq 10); do [ "$(boxes)" -gt 0 ] && break; sleep 0.1; done
      [ "$(boxes)" -gt 0 ] && break
      sleep 0.5
    done
    if [ "$(boxes)" -gt 0 ]; then
      about_boxes=$((about_boxes + 1))
      xdotool key Return
      for _ in $(seq 20); do [ "$(boxes)" = 0 ] && break; sleep 0.1; done
      [ "$(boxes)" = 0 ] || fail "the about box did not close"
    fi
    sent[menu_about]=$((${sent[menu_about]:-0} + 1))
  fi
done
storm_ms=$(($(ms_now) - storm_started))
xdotool mouseup 1 key Escape 2> /dev/null
sleep 0.3
alive "after the storm"
[ "$(boxes)" = 0 ] || fail "a message box is up after the storm"

# Does it answer? The menu bar's GAME menu opens within two seconds of a click.
before="$(xdotool search --onlyvisible --pid "$game_pid" 2> /dev/null | wc -l)"
t0="$(ms_now)" answered=""
xdotool mousemove "$game_title" "$bar_y" click 1
while [ $(($(ms_now) - t0)) -lt 5000 ]; do
  if [ "$(xdotool search --onlyvisible --pid "$game_pid" 2> /dev/null | wc -l)" -gt "$before" ]; then
    answered=$(($(ms_now) - t0)); break
  fi
  sleep 0.02
done
xdotool key Escape
[ -n "$answered" ] || fail "the GAME menu did not open within 5 s of a click after the storm"
[ "$answered" -le "$answer_limit_ms" ] || fail "the GAME menu took $answered ms to open after the storm"

# Left alone: back to no CPU use (a pan under way ends by itself first).
xdotool mousemove 0 0
sleep "$idle_pause_s"
alive "while idle"
start="$(cpu_ticks "$game_pid")"
sleep "$idle_seconds"
idle_ticks=$(($(cpu_ticks "$game_pid") - start))
idle_percent="$(awk -v t="$idle_ticks" -v hz="$hz" -v s="$idle_seconds" 'BEGIN { printf "%.2f", 100 * t / hz / s }')"

echo "storm: seed $seed, $events events in $storm_ms ms ($(for k in "${!sent[@]}"; do printf '%s %s, ' "$k" "${sent[$k]}"; done | sed 's/, $//'))"
echo "storm: about boxes opened and closed: $about_boxes; error boxes: $error_boxes"
echo "storm: $(wc -l < "$work/story.txt") story lines shown; last: $(tail -n 1 "$work/story.txt")"
echo "storm: the GAME menu opened $answered ms after a click"
echo "storm: idle afterwards: $idle_ticks ticks of CPU in $idle_seconds s ($idle_percent% of one core, $hz ticks/s)"
grep -E '^(VmHWM|Threads)' "/proc/$game_pid/status" | tr -s '\t ' ' ' | sed 's/^/storm: /'
[ -s "$work/game.log" ] && { echo "storm: the program's error output:"; head -n 5 "$work/game.log"; }
awk -v p="$idle_percent" 'BEGIN { exit !(p < 1.0) }' || fail "the idle program uses $idle_percent% of a core"
echo "storm: PASS"
