#!/usr/bin/env bash
# Measures reading in the real program's window on a virtual X display (reading_probe):
# pages per second turned at the fastest rate the game allows and passed by skipping once
# read, the time for 100 pages each way, and the backlog's opening time with 200 entries.
# Not part of ./check: the figures depend on the machine and on what else runs on it.
#
#   bench/measure_reading.sh [BUILD_DIR] [PAGES]   (default: build, 100; needs the targets
#                                                    velmora_demo and reading_probe)
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$here/build}")"
pages="${2:-100}"
demo="$build/tools/velmora_demo" probe="$build/bench/reading_probe"
for f in "$demo" "$probe"; do
  [ -x "$f" ] || { echo "missing $f: build the targets velmora_demo reading_probe" >&2; exit 1; }
done
source "$here/tests/support/virtual_display.sh"
work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-reading-measure.XXXXXX")"
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
start_virtual_display "$work" || { echo "no X server could be started" >&2; exit 1; }
"$demo" "$work/game" > /dev/null 2>&1 || { echo "the demo game could not be written" >&2; exit 1; }
"$probe" "$work/game" "$pages"
