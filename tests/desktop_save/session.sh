# Sourced by the desktop save tests: a virtual display of the test's own, the demo game
# with a morning's autosave of day 3 put in a scratch save folder (its folder in $folder),
# and the means to start the program, capture its client area, compare captures, wait
# for the picture to rest and press keys. Needs velmora, demo, seed and artifacts set.
# Exits 77 (skipped) only when no X server can be started; everything it starts is
# stopped on every way out.

source "$(dirname "$0")/../support/window_test_kit.sh" save
# Folders of its own: the saves, the remembered display choice, the runtime folder.
start_virtual_display "$work" || exit $?
xdotool mousemove 0 0

"$demo" "$work/game" > "$work/demo.log" 2>&1 || fail "the demo game could not be written"
folder="$("$seed" "$work/game" "$XDG_DATA_HOME/velmora/saves" 2> "$work/seed.log")" ||
  fail "the autosave could not be put in place: $(cat "$work/seed.log")"

window="" client_x="" client_y=""
start_game() {
  (cd "$work/game" && exec "$velmora") > "$work/game-$1.log" 2>&1 &
  game_pid=$!
  wait_for_window "$game_pid" "$work/game-$1.log" 100 2> "$work/window.log" || fail "$(cat "$work/window.log")"
}

# Waits until the picture stays the same for a second, at least Min seconds after now,
# at most 30 seconds; the last capture is Name.
wait_still() {
  local name="$1" min="$2" deadline=$((SECONDS + 30)) earliest=$((SECONDS + $2))
  capture "$name"
  while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$game_pid" 2>/dev/null || fail "velmora ended while waiting for $name"
    sleep 1
    cp "$work/$name.png" "$work/${name}_before.png"
    capture "$name"
    if [ "$SECONDS" -ge "$earliest" ] && [ "$(differing "${name}_before" "$name")" = 0 ]; then return 0; fi
  done
  fail "the picture did not come to rest for $name"
}
# A key to the window: the pointer rests over the status panel, where nothing lights up,
# and the keyboard follows it there.
press() {
  local x=$((client_x + 600)) y=$((client_y + 470)) X Y SCREEN WINDOW
  # A move to where the pointer already is would wait for a motion that never comes.
  eval "$(xdotool getmouselocation --shell)"
  [ "$X,$Y" = "$x,$y" ] || xdotool mousemove --sync "$x" "$y"
  xdotool windowfocus --sync "$window" 2> /dev/null || true
  xdotool key "$1"
}

