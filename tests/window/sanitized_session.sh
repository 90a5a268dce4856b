#!/usr/bin/env bash
# A short play session in the real program built with AddressSanitizer and
# UndefinedBehaviorSanitizer, on a virtual X display of its own with a window manager:
# the title, a new game and its pages, the photo game, the town map, the supermarket's
# event with a portrait and a CG (its pan cut short by a click), the menu's back command,
# a second new game, the sound switched off and on, the about box, and the exit from the
# menu. The program is driven from outside, as a player would (xdotool); the story lines
# it prints with VELMORA_TEXTHOOK=1 tell how far it got. Fails on any sanitizer report,
# on a step that does not come, and on an exit that is not clean.
#
#   sanitized_session.sh VELMORA VELMORA_DEMO [ARTIFACT_DIR]
#
# Exits 77 (skipped) only when no X server can be started here.
set -uo pipefail

[ $# -ge 2 ] || { echo "usage: $0 VELMORA VELMORA_DEMO [ARTIFACT_DIR]" >&2; exit 2; }
velmora="$(realpath "$1")" demo="$(realpath "$2")" artifacts="${3:-}"
here="$(cd "$(dirname "$0")" && pwd)"
# Slow under the sanitizers: each step gets this long to show.
readonly step_wait_s=40 exit_wait_s=60

source "$here/../support/virtual_display.sh"

work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-window.XXXXXX")"
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
  echo "FAIL: $*" >&2
  echo "-- story lines shown:" >&2; tail -n 5 "$work/story.txt" >&2
  echo "-- the program's error output:" >&2; tail -n 40 "$work/game.log" >&2
  if [ -n "$artifacts" ]; then
    mkdir -p "$artifacts" && cp "$work"/*.txt "$work"/*.log "$work"/*.png "$artifacts"/ 2>/dev/null
    import -window root "$artifacts/screen.png" 2>/dev/null
    echo "logs kept in $artifacts" >&2
  fi
  exit 1
}

for tool in openbox xdotool xwininfo import convert; do
  command -v "$tool" > /dev/null || fail "$tool is missing (tools/install_deps.sh installs it)"
done
start_virtual_display "$work" || exit $?
openbox > "$work/openbox.log" 2>&1 &
wm_pid=$!
xdotool mousemove 0 0

# The sanitizers report into the log and the run fails on any report. Qt, fontconfig and
# the X libraries keep some allocations to the end of the process on purpose; those
# libraries' leaks are not the game's.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:exitcode=23:log_path=$work/sanitizer"
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$work/sanitizer"

"$demo" "$work/game" > "$work/demo.log" 2>&1 || fail "the demo game could not be written"
(cd "$work/game" && VELMORA_TEXTHOOK=1 exec "$velmora") > "$work/story.txt" 2> "$work/game.log" &
game_pid=$!
started=$SECONDS

window=""
for _ in $(seq 300); do
  kill -0 "$game_pid" 2>/dev/null || fail "velmora ended at start-up"
  window="$(xdotool search --onlyvisible --pid "$game_pid" 2> /dev/null | head -n 1)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window of velmora was shown in 30 s"
sleep 0.5  # the window manager places the window
info="$(xwininfo -id "$window")"
win_x="$(awk '/Absolute upper-left X/ {print $4}' <<< "$info")"
win_y="$(awk '/Absolute upper-left Y/ {print $4}' <<< "$info")"
win_h="$(awk '/Height:/ {print $2}' <<< "$info")"
menu_h=$((win_h - 480))
[ "$menu_h" -gt 5 ] || fail "the window is $win_h pixels high: no menu bar over the 480-row picture"
client_x="$win_x" client_y=$((win_y + menu_h))

click() { xdotool mousemove $((client_x + $1)) $((client_y + $2)) sleep 0.05 click 1; }
alive() { kill -0 "$game_pid" 2>/dev/null || fail "velmora ended during the session ($1)"; }
lines_like() { grep -c -- "$1" "$work/story.txt"; }
windows() { xdotool search --onlyvisible --pid "$game_pid" 2> /dev/null | wc -l; }

# The menu bar's titles, left to right: the middle of each run of dark columns in the bar.
menu_titles=()
find_menu_titles() {
  import -window "$window" -crop "640x${menu_h}+0+0" +repage "$work/menubar.png" 2> /dev/null ||
    fail "the menu bar could not be captured"
  mapfile -t menu_titles < <(convert "$work/menubar.png" -colorspace gray -depth 8 txt:- |
    sed -n 's/^\([0-9]*\),[0-9]*: (\([0-9]*\).*/\1 \2/p' | awk '
    $2 < 100 { dark[$1] = 1 }
    END {
      start = -1; gap = 0
      for (x = 0; x <= 640; x++) {
        if (x < 640 && dark[x]) { if (start < 0) start = x; last = x; gap = 0; continue }
        if (start >= 0 && ++gap >= 8) { print int((start + last) / 2); start = -1 }
      }
    }')
  [ "${#menu_titles[@]}" -ge 3 ] || fail "the menu bar shows ${#menu_titles[@]} titles, not GAME, 設定 and バージョン情報"
}
# Opens menu title N (0 GAME, 1 設定, 2 バージョン情報) and types Keys in it.
menu() {
  local n="$1"; shift
  xdotool mousemove $((client_x + menu_titles[n])) $((win_y + menu_h / 2)) sleep 0.05 click 1
  sleep 0.5
  for key in "$@"; do xdotool key "$key"; sleep 0.3; done
}

# Clicks where a reader moves on (the page button in the town frame and over a picture, and
# the middle of the picture, which cuts a pan short and in the photo game takes the third
# card) until a story line matching Pattern has been shown Count times.
advance_until() {
  local pattern="$1" count="${2:-1}" what="$3" deadline=$((SECONDS + step_wait_s))
  while [ "$(lines_like "$pattern")" -lt "$count" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$what did not come in ${step_wait_s} s"
    alive "$what"
    for at in "570 445" "460 450" "320 240"; do
      # shellcheck disable=SC2086
      click $at
      sleep 0.3
      [ "$(lines_like "$pattern")" -ge "$count" ] && break
    done
  done
  echo "$what ($((SECONDS - started)) s)"
}
# Clicks on as above, and on a choice's second option, until no new story line has come
# for a few rounds: the town map, where these clicks fall on nothing.
advance_until_quiet() {
  local quiet=0 before deadline=$((SECONDS + step_wait_s))
  while [ "$quiet" -lt 3 ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the story did not stop at the map in ${step_wait_s} s"
    alive "on to the map"
    before="$(wc -l < "$work/story.txt")"
    for at in "460 450" "570 445" "113 441"; do
      # shellcheck disable=SC2086
      click $at
      sleep 0.3
    done
    if [ "$(wc -l < "$work/story.txt")" = "$before" ]; then quiet=$((quiet + 1)); else quiet=0; fi
  done
  echo "the town map ($((SECONDS - started)) s)"
}

find_menu_titles
# The title: its first button starts a game once the opening has gone on to it.
deadline=$((SECONDS + step_wait_s))
until [ "$(lines_like '今でも時々')" -ge 1 ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "a new game did not start from the title in ${step_wait_s} s"
  alive "the title"
  click 320 198
  sleep 0.5
done
echo "a new game from the title ($((SECONDS - started)) s)"
advance_until 'まずは一枚、撮ってみよう' 1 "the opening's pages, its CG and the last page"
advance_until '撮影成功\|惜しい\|あれ？\|レンズキャップ\|夢中で' 1 "a photo taken in the photo game"
advance_until_quiet
# The supermarket on the map, and the box's go button (the box stands low for it).
click 410 240
sleep 1
click 244 337
advance_until 'スーパーの果物売り場' 1 "the supermarket's event"
advance_until '彼女は、僕の首から下がったカメラを見つめた' 1 "the heroine's portrait and her faces"
advance_until '店の前の桜の下で' 1 "the CG, its pan cut short"
# GAME > 戻る (the item above 終了): the title, and a new game from it once more.
menu 0 Up Up Return
deadline=$((SECONDS + step_wait_s))
until [ "$(lines_like '今でも時々')" -ge 2 ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the menu's back command did not lead to the title"
  alive "back to the title"
  click 320 198
  sleep 0.5
done
echo "back to the title by the menu, and a new game ($((SECONDS - started)) s)"
sleep 1
# 設定 > 音 ON > OFF, then > ON.
menu 1 Down Right Up Return
menu 1 Down Right Up Up Return
alive "the sound switched off and on"
echo "the sound switched off and on ($((SECONDS - started)) s)"
# The about box: a second window, closed with its button.
menu 2
deadline=$((SECONDS + step_wait_s))
until [ "$(windows)" -ge 2 ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the about box did not open"
  alive "the about box"
  sleep 0.3
done
xdotool key Return
deadline=$((SECONDS + step_wait_s))
until [ "$(windows)" -le 1 ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the about box did not close"
  sleep 0.3
done
echo "the about box opened and closed ($((SECONDS - started)) s)"
# GAME > 終了, the last item.
menu 0 Up Return
deadline=$((SECONDS + exit_wait_s))
while kill -0 "$game_pid" 2>/dev/null; do
  [ "$SECONDS" -lt "$deadline" ] || fail "velmora did not end within ${exit_wait_s} s of the menu's exit"
  sleep 0.2
done
wait "$game_pid"
status=$?
game_pid=""
reports="$(cat "$work"/sanitizer* 2>/dev/null; grep -E 'Sanitizer|runtime error' "$work/game.log")"
[ -z "$reports" ] || fail "sanitizer report:
$reports"
[ "$status" = 0 ] || fail "velmora exited with status $status"
echo "PASS: the session ran to a clean exit in $((SECONDS - started)) s with no sanitizer report"
