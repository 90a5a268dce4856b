#!/usr/bin/env bash
# Measures what keyboard focus, the screen reader bridge and speech cost while the game
# waits on a text page: the real program on a virtual X display, with a session bus and an
# accessibility bus of its own (the bridge forced on), a speech-dispatcher server of its
# own (its output module writes to a file) and speech switched on. The first page is
# reached by keys, spoken, and the focus ring put on its page button; then the CPU time of
# the game (and of each of its threads), of the speech server and of the AT-SPI registry
# is read over ten seconds. The same is measured with none of the extras, for comparison.
# Not part of ./check: the figures depend on the machine.
#
#   bench/measure_access.sh [BUILD_DIR]   (default: build; needs velmora and velmora_demo)
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$here/build}")"
velmora="$build/velmora" demo="$build/tools/velmora_demo"
for f in "$velmora" "$demo"; do [ -x "$f" ] || { echo "missing $f" >&2; exit 1; }; done
readonly idle_seconds=10
hz="$(getconf CLK_TCK)"
work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-access.XXXXXX")"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do stop_process "$pid"; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
die() { echo "measure_access: $*" >&2; exit 1; }
cpu_ticks() { awk '{ print $14 + $15 }' "$1/stat" 2>/dev/null || echo 0; }
percent() { awk -v t="$1" -v hz="$hz" -v s="$idle_seconds" 'BEGIN { printf "%.2f", 100 * t / hz / s }'; }

source "$here/tests/support/virtual_display.sh"
source "$here/tests/support/speech_server.sh"
start_virtual_display "$work" > /dev/null 2>&1 || die "no Xvfb"
pids+=("$xvfb_pid")
xdotool mousemove 0 0
"$demo" "$work/game" > /dev/null 2>&1 || die "the demo game could not be written"

dbus-daemon --session --address="unix:path=$work/bus" --nofork --nopidfile > /dev/null 2>&1 &
pids+=("$!")
for _ in $(seq 50); do [ -S "$work/bus" ] && break; sleep 0.1; done
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
/usr/libexec/at-spi-bus-launcher --launch-immediately > /dev/null 2>&1 &
pids+=("$!")

start_speech_server "$work" > /dev/null 2>&1 || die "speech-dispatcher did not start"
pids+=("$server_pid")

echo "== machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start"

# Plays to the first page by keys and measures the waiting game; Label names the run.
measure() {
  local label="$1"
  (cd "$work/game" && exec "$velmora") > "$work/game-$label.log" 2>&1 &
  local game=$!
  pids+=("$game")
  wait_for_window "$game" "$work/game-$label.log" 100 2> /dev/null || die "no window ($label)"
  sleep 3
  xdotool windowfocus --sync "$window" 2> /dev/null; xdotool key Down; sleep 0.3; xdotool key Return
  sleep 3
  xdotool key Down  # the ring on the page button (spoken when speech is on)
  sleep 2
  if [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    /usr/bin/python3 "$here/tests/screen_reader/read_tree.py" tree 2>&1 | grep -c "focused" |
      awk '{ print "accessible tree read: " $1 " focused objects" }'
  fi
  local registry
  registry="$(pgrep -n -f at-spi2-registryd || true)"
  declare -A before
  for t in /proc/"$game"/task/*; do before[$t]="$(cpu_ticks "$t")"; done
  local g0 s0 r0
  g0="$(cpu_ticks /proc/"$game")" s0="$(cpu_ticks /proc/"$server_pid")" r0="$( [ -n "$registry" ] && cpu_ticks /proc/"$registry" || echo 0)"
  sleep "$idle_seconds"
  local g1 s1 r1
  g1="$(cpu_ticks /proc/"$game")" s1="$(cpu_ticks /proc/"$server_pid")" r1="$( [ -n "$registry" ] && cpu_ticks /proc/"$registry" || echo 0)"
  echo "== $label: waiting on the first page for $idle_seconds s"
  echo "game: $((g1 - g0)) ticks = $(percent $((g1 - g0))) % of a core ($(ls /proc/"$game"/task | wc -l) threads)"
  for t in /proc/"$game"/task/*; do
    local d=$(( $(cpu_ticks "$t") - ${before[$t]:-0} ))
    [ "$d" -gt 0 ] && echo "  thread $(cat "$t/comm"): $d ticks"
  done
  echo "speech-dispatcher: $((s1 - s0)) ticks; AT-SPI registry: $((r1 - r0)) ticks"
  stop_process "$game"
}

mkdir -p "$XDG_CONFIG_HOME/velmora"
printf '[speech]\non=true\n' > "$XDG_CONFIG_HOME/velmora/velmora.conf"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 measure "speech and screen reader bridge on"
echo "spoken: $(tr '\n' ' ' < "$work/said.txt" 2>/dev/null)"
: > "$work/said.txt"
rm -f "$XDG_CONFIG_HOME/velmora/velmora.conf"
unset DBUS_SESSION_BUS_ADDRESS
measure "no extras"
echo "spoken: $(cat "$work/said.txt")"
