# Sourced by the tests that play the real program on a virtual X display: a scratch folder
# of the test's own ($work, named after $1), the program and the X server stopped on every
# way out, a failure that keeps the screenshots and logs in $artifacts when it is set, the
# tools checked, and captures of the client area compared pixel by pixel. The caller sets
# velmora, demo and artifacts, and may define before_cleanup for what it must undo first.

source "$(dirname "${BASH_SOURCE[0]}")/virtual_display.sh"

work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-$1.XXXXXX")"
xvfb_pid="" game_pid=""
stop_game() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  game_pid=""
}
cleanup() {
  declare -F before_cleanup > /dev/null && before_cleanup
  stop_game
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL: $*" >&2
  if [ -n "$artifacts" ]; then
    mkdir -p "$artifacts" && cp "$work"/*.png "$work"/*.log "$artifacts"/ 2>/dev/null
    echo "screenshots and logs kept in $artifacts" >&2
  fi
  exit 1
}

for tool in xdotool xwininfo import compare; do
  command -v "$tool" > /dev/null || fail "$tool is missing (tools/install_deps.sh installs it)"
done

capture() { import -window root -crop "640x480+$client_x+$client_y" +repage "$work/$1.png" 2> /dev/null; }
# Differing pixels of two captures, in the whole picture or in Area (WxH+X+Y).
differing() {
  local area="${3:-640x480+0+0}"
  compare -metric AE "$work/$1.png[$area]" "$work/$2.png[$area]" null: 2>&1 | awk '{print int($1)}'
}
