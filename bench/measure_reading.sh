#!/usr/bin/env bash
# Measures reading in the real program's window on a virtual X display (reading_probe):
# pages per second turned at the fastest rate the game allows and passed by skipping once
# read, the time for 100 pages each way, and the backlog's opening time with 200 entries;
# then the real program's CPU time on a resting page with auto-read off and on.
# Not part of ./check: the figures depend on the machine and on what else runs on it.
#
#   bench/measure_reading.sh [BUILD_DIR] [PAGES]   (default: build, 100; needs the targets
#                                                    velmora, velmora_demo and reading_probe)
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$here/build}")"
pages="${2:-100}"
velmora="$build/velmora" demo="$build/tools/velmora_demo" probe="$build/bench/reading_probe"
for f in "$velmora" "$demo" "$probe"; do
  [ -x "$f" ] || { echo "missing $f: build the targets velmora_demo reading_probe" >&2; exit 1; }
done
source "$here/tests/support/virtual_display.sh"
work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-reading-measure.XXXXXX")"
xvfb_pid="" game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
start_virtual_display "$work" || { echo "no X server could be started" >&2; exit 1; }
"$demo" "$work/game" > /dev/null 2>&1 || { echo "the demo game could not be written" >&2; exit 1; }
"$probe" "$work/game" "$pages"

# Idle cost: the real program resting on the first page (36 characters), auto-read off,
# then on at its slowest (40 s a 250 characters: a 9.8 s pause, one timer waiting).
(cd "$work/game" && exec "$velmora") > /dev/null 2>&1 &
game_pid=$!
wait_for_window "$game_pid" /dev/null 100 || exit 1
sleep 8
xdotool mousemove --sync $((client_x + 320)) $((client_y + 198)) click 1
sleep 5
xdotool mousemove --sync $((client_x + 600)) $((client_y + 470))
hz="$(getconf CLK_TCK)"
cpu() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
a=$(cpu); sleep 10; b=$(cpu)
echo "resting on a page, auto-read off:   $(((b - a) * 1000 / hz)) ms CPU in 10 s"
for _ in $(seq 11); do xdotool key minus; done
sleep 2  # the note about the speed goes again
xdotool key a
a=$(cpu); sleep 8; b=$(cpu)
echo "resting on a page, auto-read on:    $(((b - a) * 1000 / hz)) ms CPU in 8 s (before the pause ends)"
