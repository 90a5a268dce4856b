#!/usr/bin/env bash
# Measures what game pads cost while the game waits, on a virtual X display:
#   - the real program on its title for ten seconds with no pad connected (its pad
#     reading on, as always): CPU ticks from /proc, and its threads,
#   - pad_probe, the same window with the pad reading on (and how long starting it took),
#     with no pad and with one of SDL's virtual pads connected and untouched (read on the
#     pads' timer: the dearest case).
# Not part of ./check: the figures depend on the machine and on what else runs on it.
#
#   bench/measure_pads.sh [BUILD_DIR]   (default: build; needs the targets velmora,
#                                        velmora_demo, pad_probe)
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$here/build}")"
velmora="$build/velmora" demo="$build/tools/velmora_demo" probe="$build/bench/pad_probe"
for f in "$velmora" "$demo" "$probe"; do
  [ -x "$f" ] || { echo "missing $f: build the targets velmora velmora_demo pad_probe" >&2; exit 1; }
done
command -v Xvfb > /dev/null || { echo "Xvfb is missing (tools/install_deps.sh installs it)" >&2; exit 1; }

readonly idle_seconds=10
hz="$(getconf CLK_TCK)"
work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-pads.XXXXXX")"
xvfb_pid="" game_pid=""
cleanup() {
  for pid in "$game_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
die() { echo "measure_pads: $*" >&2; exit 1; }
cpu_ticks() { awk '{ print $14 + $15 }' "$1/stat"; }

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$work/display" > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || die "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(tr -d '[:space:]' < "$work/display")"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$demo" "$work/game" > /dev/null 2>&1 || die "the demo game could not be written"

echo "== machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start"
echo "== input devices: $(ls /dev/input 2> /dev/null | tr '\n' ' ' || true)"
(cd "$work/game" && exec "$velmora") > "$work/game.log" 2>&1 &
game_pid=$!
sleep 4  # the opening and the title settle
kill -0 "$game_pid" 2> /dev/null || die "velmora ended at start-up: $(cat "$work/game.log")"
start="$(cpu_ticks "/proc/$game_pid")"
sleep "$idle_seconds"
used=$(($(cpu_ticks "/proc/$game_pid") - start))
echo "velmora on the title, no pad: $used ticks of CPU in $idle_seconds s" \
     "($(awk -v t="$used" -v hz="$hz" -v s="$idle_seconds" 'BEGIN { printf "%.2f%%", 100 * t / hz / s }') of one core," \
     "$hz ticks/s), $(ls "/proc/$game_pid/task" | wc -l) threads"
kill "$game_pid" && wait "$game_pid" 2> /dev/null
game_pid=""
[ -s "$work/game.log" ] && { echo "its error output:"; head -n 5 "$work/game.log"; }

"$probe" "$work/game" --seconds "$idle_seconds" 2>&1 | grep -v '^QStandardPaths'
"$probe" "$work/game" --virtual-pad --seconds "$idle_seconds" 2>&1 | grep -v '^QStandardPaths'
echo "== load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
