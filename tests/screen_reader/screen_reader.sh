#!/usr/bin/env bash
# The game as a screen reader sees it, on a virtual X display with a session bus and an
# accessibility bus of the test's own (dbus-daemon, at-spi2-core's bus launcher and
# registry): at the title the first arrow key puts the focus on "最初から", a focused
# button of that name; Enter starts the game and the opening's first page is the focused
# text. Both come as focus events, as Orca hears them.
#
#   screen_reader.sh VELMORA VELMORA_DEMO [ARTIFACT_DIR]
#
# Exits 77 (skipped) when no X server, bus or AT-SPI reader can be started here.
set -uo pipefail

[ $# -ge 2 ] || { echo "usage: $0 VELMORA VELMORA_DEMO [ARTIFACT_DIR]" >&2; exit 2; }
velmora="$(realpath "$1")" demo="$(realpath "$2")" artifacts="${3:-}"
here="$(dirname "$(realpath "$0")")"
python=/usr/bin/python3  # the distribution's, which has pyatspi

source "$here/../support/virtual_display.sh"

work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-reader.XXXXXX")"
xvfb_pid="" bus_pid="" launcher_pid="" game_pid="" listener_pid=""
cleanup() {
  for pid in "$listener_pid" "$game_pid" "$launcher_pid" "$bus_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL: $*" >&2
  if [ -n "$artifacts" ]; then
    mkdir -p "$artifacts" && cp "$work"/*.log "$artifacts"/ 2>/dev/null
    echo "logs kept in $artifacts" >&2
  fi
  exit 1
}
skip() { echo "SKIPPED: $*" >&2; exit 77; }

launcher=/usr/libexec/at-spi-bus-launcher
command -v dbus-daemon > /dev/null || skip "there is no dbus-daemon (tools/install_deps.sh installs dbus)"
[ -x "$launcher" ] || skip "there is no $launcher (at-spi2-core)"
"$python" -c "import pyatspi" 2> /dev/null || skip "$python cannot import pyatspi (python3-pyatspi)"
command -v xdotool > /dev/null || fail "xdotool is missing (tools/install_deps.sh installs it)"
start_virtual_display "$work" || exit $?

# A session bus of our own, and the accessibility bus it hands out.
dbus-daemon --session --address="unix:path=$work/bus" --nofork --nopidfile > "$work/bus.log" 2>&1 &
bus_pid=$!
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
for _ in $(seq 50); do [ -S "$work/bus" ] && break; sleep 0.1; done
[ -S "$work/bus" ] || skip "the session bus did not start: $(cat "$work/bus.log")"
"$launcher" --launch-immediately > "$work/launcher.log" 2>&1 &
launcher_pid=$!

"$demo" "$work/game" > "$work/demo.log" 2>&1 || fail "the demo game could not be written"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
(cd "$work/game" && exec "$velmora") > "$work/game.log" 2>&1 &
game_pid=$!
wait_for_window "$game_pid" "$work/game.log" 100 2> "$work/window.log" || fail "$(cat "$work/window.log")"
xdotool mousemove 0 0
sleep 3  # the opening picture, then the title

# The title: the game's application is on the bus, its text says what the screen is and no
# control is focused yet.
for _ in $(seq 30); do "$python" "$here/read_tree.py" tree > "$work/title.log" 2>&1 && break; sleep 0.5; done
grep -q "^filler" "$work/title.log" || fail "the game's client area is not in the accessible tree: $(head -5 "$work/title.log")"
grep -q "^push button" "$work/title.log" && fail "a control is focused before any key"
grep -qP "^label\tfocused\tタイトル画面$" "$work/title.log" || fail "the title does not say what it is: $(grep -v menu "$work/title.log")"

"$python" "$here/read_tree.py" listen 8 > "$work/events.log" 2>&1 &
listener_pid=$!
for _ in $(seq 50); do grep -q listening "$work/events.log" && break; sleep 0.1; done
sleep 0.5
key() { xdotool windowfocus --sync "$window" 2> /dev/null || true; xdotool key "$1"; }
key Down
sleep 1
"$python" "$here/read_tree.py" tree > "$work/focused.log" 2>&1
grep -qP "^push button\tfocused\t最初から$" "$work/focused.log" ||
  fail "after an arrow key no focused button names 最初から: $(grep -v menu "$work/focused.log")"
key Return
page="今でも時々、この写真を見返す。 / 高校二年になる前の、春休みに撮った一枚だ。"
for _ in $(seq 40); do
  "$python" "$here/read_tree.py" tree > "$work/page.log" 2>&1
  grep -qP "^label\tfocused\t\Q$page\E$" "$work/page.log" && break
  sleep 0.25
done
grep -qP "^label\tfocused\t\Q$page\E$" "$work/page.log" ||
  fail "the first page is not the focused text: $(grep -v menu "$work/page.log")"
wait "$listener_pid"
listener_pid=""
grep -qP "^focus\tpush button\t最初から$" "$work/events.log" || fail "no focus event named the button: $(cat "$work/events.log")"
grep -qP "^focus\tlabel\t\Q$page\E$" "$work/events.log" || fail "no focus event brought the page: $(cat "$work/events.log")"
echo "PASS: the focused button and the first page reached the accessibility bus, each with a focus event"
