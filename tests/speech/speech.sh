#!/usr/bin/env bash
# Self-voicing in the real program on a virtual X display, heard by a speech-dispatcher
# server of the test's own whose one output module writes each text it is asked to say to
# a file (no sound device): V switches speech on, an arrow key speaks the focused button's
# name and Enter brings the first page, which is spoken whole; V again switches it off and
# the next page is not spoken. The choice is remembered in the settings file.
#
#   speech.sh VELMORA VELMORA_DEMO [ARTIFACT_DIR]
#
# Exits 77 (skipped) when no X server or speech-dispatcher can be started here.
set -uo pipefail

[ $# -ge 2 ] || { echo "usage: $0 VELMORA VELMORA_DEMO [ARTIFACT_DIR]" >&2; exit 2; }
velmora="$(realpath "$1")" demo="$(realpath "$2")" artifacts="${3:-}"

source "$(dirname "$0")/../support/virtual_display.sh"
source "$(dirname "$0")/../support/speech_server.sh"

work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-speech.XXXXXX")"
xvfb_pid="" server_pid="" game_pid=""
cleanup() {
  for pid in "$game_pid" "$server_pid" "$xvfb_pid"; do stop_process "$pid"; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL: $*" >&2
  if [ -n "$artifacts" ]; then
    mkdir -p "$artifacts" && cp "$work"/*.log "$work"/said.txt "$artifacts"/ 2>/dev/null
    cp "$work"/speechd/log/*.log "$artifacts"/ 2>/dev/null
    echo "logs kept in $artifacts" >&2
  fi
  exit 1
}
command -v xdotool > /dev/null || fail "xdotool is missing (tools/install_deps.sh installs it)"
start_virtual_display "$work" || exit $?

start_speech_server "$work" || exit $?

"$demo" "$work/game" > "$work/demo.log" 2>&1 || fail "the demo game could not be written"
(cd "$work/game" && exec "$velmora") > "$work/game.log" 2>&1 &
game_pid=$!
wait_for_window "$game_pid" "$work/game.log" 100 2> "$work/window.log" || fail "$(cat "$work/window.log")"
xdotool mousemove 0 0
sleep 3  # the opening picture, then the title
key() { xdotool windowfocus --sync "$window" 2> /dev/null || true; xdotool key "$1"; }
# Waits up to five seconds for Line among the texts said.
heard() {
  for _ in $(seq 50); do grep -qxF "$1" "$work/said.txt" 2> /dev/null && return 0; sleep 0.1; done
  return 1
}

key Down
sleep 1
[ -s "$work/said.txt" ] && fail "something was spoken before speech was switched on: $(cat "$work/said.txt")"
key v
key Down
heard "終了" || fail "the focused button was not spoken: $(cat "$work/said.txt" 2>/dev/null)"
key Up
heard "最初から" || fail "the focus moved back was not spoken: $(cat "$work/said.txt" 2>/dev/null)"
key Return
heard "今でも時々、この写真を見返す。" || fail "the first page was not spoken: $(cat "$work/said.txt" 2>/dev/null)"
awk '/^\[/ {section = $0} section == "[speech]" && $0 == "on=true" {found = 1} END {exit !found}' \
  "$XDG_CONFIG_HOME/velmora/velmora.conf" 2> /dev/null ||
  fail "speech on was not remembered in the settings file"
key v
sleep 0.5
before="$(wc -l < "$work/said.txt")"
key Return
sleep 2
[ "$(wc -l < "$work/said.txt")" = "$before" ] || fail "a page was spoken after V switched speech off: $(tail -n 2 "$work/said.txt")"
grep -q "velmora:" "$work/game.log" && fail "the program reported: $(grep velmora: "$work/game.log")"
echo "PASS: the focused buttons and the first page were spoken, nothing once speech was off; heard:"
cat "$work/said.txt"
