#!/usr/bin/env bash
# Measures the pacing of the real window on X11 and on Wayland and prints the figures
# side by side: pacing_probe (the title's vertical wipe, the horizontal wipes into and
# out of a panning CG, the pan) on a virtual X display (Xvfb) and natively on a headless
# Weston, once drawing with software rendering as a desktop would and once with Weston's
# headless default, which takes the pictures and draws nothing.
# Not part of ./check: the figures depend on the machine and on what else runs on it.
#
#   bench/measure_pacing.sh [BUILD_DIR] [RUNS]   (default: build, 2 runs per session;
#                                                 needs the target pacing_probe)
#   VERBOSE=1 also prints every probe's step tables.
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$here/build}")"
runs="${2:-2}"
probe="$build/bench/pacing_probe"
[ -x "$probe" ] || { echo "missing $probe: build the target pacing_probe" >&2; exit 1; }
. "$here/tests/support/virtual_display.sh"
. "$here/tests/support/wayland_display.sh"

work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-pacing.XXXXXX")"
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM

sessions=(x11 weston weston-no-rendering)
declare -A heading=([x11]="X11 (Xvfb)" [weston]="Wayland (Weston)" [weston-no-rendering]="Wayland (Weston, no rendering)")

# Runs the probe RUNS times in one session; each run's output in WORK/SESSION.N.txt.
# (A subshell of its own: the display's variables and its server stay in there.)
run_session() {
  local session="$1" dir="$work/$1"
  mkdir -p "$dir"
  (
    xvfb_pid="" weston_pid=""
    trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null; stop_wayland_display' EXIT
    case "$session" in
      x11) start_virtual_display "$dir" || exit 1 ;;
      weston) start_wayland_display "$dir" || exit 1 ;;
      weston-no-rendering) start_wayland_display "$dir" no-rendering || exit 1 ;;
    esac
    for i in $(seq "$runs"); do
      "$probe" 3 > "$work/$session.$i.txt" 2>&1 || { echo "pacing_probe failed in $session:" >&2; tail -n 3 "$work/$session.$i.txt" >&2; }
    done
  )
}

echo "== machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start"
for session in "${sessions[@]}"; do run_session "$session"; done

# One figure of one run's output: the wipe's largest lateness, the pan's rate, the pan's
# dropped and doubled positions.
figure() {  # FILE WHAT
  case "$2" in
    "title wipe"|"wipe into the CG"|"wipe to the rest frame")
      sed -n "s/^$2: largest lateness \([0-9.]*\) ms.*/\1 ms/p" "$1" ;;
    rate) sed -n 's/^pan: .* ms from first to last tick, \([0-9.]*\) ticks\/s.*/\1 ticks\/s/p' "$1" ;;
    positions) sed -n 's/^pan: PanY shown .*; \([0-9]*\) positions never painted.*; \([0-9]*\) painted more than once.*/\1 dropped, \2 doubled/p' "$1" ;;
  esac
}

rows=("title wipe|title wipe (vertical, 27 ms steps): largest lateness"
      "wipe into the CG|wipe into the CG (horizontal, 37 ms steps): largest lateness"
      "wipe to the rest frame|wipe to the rest frame (horizontal, 37 ms steps): largest lateness"
      "rate|pan of CG 3: ticks a second"
      "positions|pan of CG 3: window positions")
for i in $(seq "$runs"); do
  echo
  printf '%-66s' "run $i"
  for session in "${sessions[@]}"; do printf ' | %-30s' "${heading[$session]}"; done
  echo
  for row in "${rows[@]}"; do
    printf '%-66s' "${row#*|}"
    for session in "${sessions[@]}"; do
      value="$(figure "$work/$session.$i.txt" "${row%%|*}")"
      printf ' | %-30s' "${value:-(none)}"
    done
    echo
  done
done
if [ "${VERBOSE:-0}" = 1 ]; then
  for session in "${sessions[@]}"; do
    for i in $(seq "$runs"); do echo; echo "==== ${heading[$session]}, run $i"; cat "$work/$session.$i.txt"; done
  done
fi
echo
echo "== load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
