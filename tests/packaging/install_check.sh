#!/usr/bin/env bash
# Installs the game as a player or a packager would, and plays the installed menu entry:
#  - `cmake --install --prefix` into a scratch prefix, and `DESTDIR=... cmake --install
#    --prefix /usr` into a scratch staging folder;
#  - every file in its place, paths written for the prefix installed to (never the staging
#    folder), the desktop entry, the AppStream metadata and the manual page validated;
#  - the installed entry's command started on a virtual X display with an empty
#    XDG_DATA_HOME: it plays the installed demo, whose title screen comes up exactly as
#    the build's screenshot of it; with a game folder of the player's own it plays that.
#
#   install_check.sh BUILD_DIR
#
# Exits 77 (skipped) only when no X server can be started; everything else that goes
# wrong fails. The X server and the game are stopped on every way out.
set -uo pipefail

[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build="$(realpath "$1")"
here="$(dirname "$(realpath "$0")")"
readonly title_wait_s=30
title_png="$build/packaging/screenshots/velmora-title.png"

work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-install.XXXXXX")"
xvfb_pid="" game_pid=""
stop_game() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  game_pid=""
}
cleanup() {
  stop_game
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in desktop-file-validate appstreamcli mandoc groff identify; do
  command -v "$tool" > /dev/null || fail "$tool is missing (tools/install_deps.sh installs it)"
done
# shellcheck source=expected_files.sh
source "$here/expected_files.sh"
source "$here/../support/virtual_display.sh"

# --- installing
prefix="$work/prefix with space"  # the entry must quote such a path
stage="$work/stage"
cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 ||
  fail "cmake --install --prefix failed: $(cat "$work/install.log")"
DESTDIR="$stage" cmake --install "$build" --prefix /usr > "$work/stage.log" 2>&1 ||
  fail "DESTDIR=... cmake --install failed: $(cat "$work/stage.log")"

# Exactly the expected files, and in the staging folder nothing outside /usr.
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) > "$work/prefix.files"
(cd "$stage" && find . -type f -o -type l | sed 's|^\./||' | sort) > "$work/stage.files"
expected_files | sort > "$work/expected.files"
diff -u "$work/expected.files" "$work/prefix.files" || fail "the prefix install holds other files than these"
sed 's|^|usr/|' "$work/expected.files" | diff -u - "$work/stage.files" ||
  fail "the DESTDIR install holds other files than these"

check_tree() {  # ROOT PREFIX: the files below ROOT name PREFIX, the prefix they run from
  local root="$1" p="$2" entry="$1/share/applications/velmora.desktop"
  local launcher="$1/libexec/velmora/velmora-launch" page="$1/share/man/man6/velmora.6.gz"
  [ -x "$root/bin/velmora" ] || fail "$root/bin/velmora is not executable"
  [ -x "$launcher" ] || fail "the launcher is not executable"
  grep -qxF "exec \"$p/bin/velmora\" \"\$@\"" "$launcher" || fail "the launcher does not start $p/bin/velmora"
  grep -qxF "demo_dir=\"$p/share/velmora/demo\"" "$launcher" || fail "the launcher does not name the demo in $p"
  local exec_line="Exec=$p/libexec/velmora/velmora-launch"
  [[ "$p" == *" "* ]] && exec_line="Exec=\"$p/libexec/velmora/velmora-launch\""
  grep -qxF "$exec_line" "$entry" || fail "the desktop entry does not run the launcher in $p: $(grep ^Exec= "$entry")"
  zcat "$page" | grep -qF "$p/share/velmora/demo" || fail "the manual does not name the demo in $p"
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
  # The whole tree, so the metadata is checked against the desktop entry it names too.
  appstreamcli validate-tree --no-net "$root" > "$work/appstream.log" 2>&1 ||
    fail "appstreamcli rejects the metadata: $(cat "$work/appstream.log")"
  # Both renderers of manual pages, with every warning shown: any output is a fault.
  local warnings
  warnings="$(zcat "$page" | mandoc -T lint -W warning 2>&1)"
  [ -z "$warnings" ] || fail "mandoc warns about the manual: $warnings"
  warnings="$(zcat "$page" | LC_ALL=C.UTF-8 groff -ww -man -Tutf8 -z 2>&1)"
  [ -z "$warnings" ] || fail "groff warns about the manual: $warnings"
}
check_tree "$prefix" "$prefix"
check_tree "$stage/usr" /usr
grep -rlF "$stage" "$stage" && fail "these staged files name the staging folder"

# The metadata's launchable is the installed entry, and its screenshots are the PNGs the
# build draws from the demo.
metainfo="$prefix/share/metainfo/org.velmora.velmora.metainfo.xml"
grep -qF '<binary>velmora</binary>' "$metainfo" || fail "the metadata does not provide the binary velmora"
shots="$(sed -n 's|.*<image[^>]*>.*/\([^/<]*\.png\)</image>.*|\1|p' "$metainfo")"
[ "$(wc -l <<< "$shots")" -ge 2 ] || fail "the metadata names fewer than two screenshots"
for shot in $shots; do
  size="$(identify -format '%m %wx%h' "$build/packaging/screenshots/$shot" 2>/dev/null)"
  [ "$size" = "PNG 640x480" ] || fail "the build did not draw the screenshot $shot as a 640x480 PNG (${size:-missing})"
done
echo "installed into a prefix and a DESTDIR; entry, metadata and manual valid"

# --- playing the installed menu entry on a virtual display
for tool in xdotool xwininfo import compare; do
  command -v "$tool" > /dev/null || fail "$tool is missing (tools/install_deps.sh installs it)"
done
# A new player: an empty home, data and config folder.
start_virtual_display "$work" || exit $?
unset VELMORA_TEXTHOOK
xdotool mousemove 0 0  # off the window, so no title button is lit

# Starts the installed entry's command as a desktop would, from another folder, and waits
# for the game's window; sets window and the client area's corner.
start_entry() {
  local command
  command="$(sed -n 's/^Exec=//p' "$prefix/share/applications/velmora.desktop")"
  (cd / && eval "exec $command") > "$work/game.log" 2>&1 &
  game_pid=$!
  wait_for_window "$game_pid" "$work/game.log" 100 2> "$work/window.log" || fail "$(cat "$work/window.log")"
  [ "$(readlink "/proc/$game_pid/exe")" = "$prefix/bin/velmora" ] || fail "the entry did not start the installed game"
}

start_entry
[ "$(readlink "/proc/$game_pid/cwd")" = "$prefix/share/velmora/demo" ] ||
  fail "with no game folder of the player's own the game plays $(readlink "/proc/$game_pid/cwd"), not the demo"
diff=""
deadline=$((SECONDS + title_wait_s))
while [ "$SECONDS" -lt "$deadline" ]; do
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its title: $(cat "$work/game.log")"
  import -window root -crop "640x480+$client_x+$client_y" +repage "$work/seen.png" 2> /dev/null &&
    diff="$(compare -metric AE "$title_png" "$work/seen.png" null: 2>&1 | awk '{print int($1)}')"
  [ "$diff" = 0 ] && break
  sleep 0.3
done
[ "$diff" = 0 ] || fail "after $title_wait_s s the window differs from the demo's title in ${diff:-all} pixels"
echo "the menu entry plays the installed demo: its title is on the screen"
stop_game

# A game folder of the player's own, copied from a disc in capitals, is played instead.
own="$XDG_DATA_HOME/velmora"
mkdir -p "$own/DATA" "$own/WAV"
cp "$prefix/share/velmora/demo/data/qelvart.red" "$own/DATA/QELVART.RED"
start_entry
[ "$(readlink "/proc/$game_pid/cwd")" = "$own" ] ||
  fail "with a game folder of the player's own the game plays $(readlink "/proc/$game_pid/cwd")"
echo "the menu entry plays the player's own game folder when there is one"
stop_game

# Neither the player's folder nor the demo: the player is told, by a notification (a
# stand-in notify-send records it), the log and the game's own missing-file message box.
rm -rf "$own"
mv "$prefix/share/velmora/demo" "$work/demo.away"
mkdir -p "$work/tools"
printf '#!/bin/sh\necho "$*" > "%s"\n' "$work/notified" > "$work/tools/notify-send"
chmod +x "$work/tools/notify-send"
PATH="$work/tools:$PATH" start_entry
mv "$work/demo.away" "$prefix/share/velmora/demo"
sleep 0.5  # the notification is sent in the background
grep -q "velmora-launch: There is no game to play: put the game's folder .* in $own" "$work/game.log" &&
  grep -q "There is no game to play" "$work/notified" ||
  fail "with nothing to play the log or the notification does not say so: $(cat "$work/game.log")"
# The game's message box comes up before its window, and alone.
[ "$(xdotool search --onlyvisible --pid "$game_pid" | wc -l)" = 1 ] &&
  [ "$(xwininfo -id "$window" | awk '/Width:/ {print $2}')" -lt 640 ] || fail "the game's own message did not come up"
echo "with nothing to play the menu entry says so: a notification, the log and the game's message"
echo "PASS"
