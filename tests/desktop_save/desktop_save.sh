#!/usr/bin/env bash
# Saving in the real program on a virtual X display. A morning's autosave of day 3 is put
# in a scratch save folder; the program starts, F9 loads it (there is no quick save yet)
# and the town map comes up; F5 writes the quick save; the program is ended; it starts
# again, F9 loads the quick save, and the town screen's status panel (and the whole
# picture) must match what was on the screen when F5 was pressed, pixel for pixel.
#
#   desktop_save.sh VELMORA VELMORA_DEMO DESKTOP_SAVE_SEED [ARTIFACT_DIR]
#
# Exits 77 (skipped) only when no X server can be started. Everything it starts is
# stopped on every way out.
set -uo pipefail

[ $# -ge 3 ] || { echo "usage: $0 VELMORA VELMORA_DEMO DESKTOP_SAVE_SEED [ARTIFACT_DIR]" >&2; exit 2; }
velmora="$(realpath "$1")" demo="$(realpath "$2")" seed="$(realpath "$3")" artifacts="${4:-}"

source "$(dirname "$0")/session.sh"

panel="125x480+515+0"

start_game first
wait_still title_first 3
press F9
# The wipe to the town, its settle, and the overlay's note gone again.
wait_still saved_screen 4
[ "$(differing title_first saved_screen "$panel")" -gt 1000 ] || fail "F9 did not bring the town screen up"
[ -f "$folder/quick.sav" ] && fail "a quick save was there before F5"
press F5
for _ in $(seq 50); do [ -f "$folder/quick.sav" ] && break; sleep 0.1; done
[ -f "$folder/quick.sav" ] || fail "F5 on the map wrote no quick save in $folder"
ls "$folder" > "$work/folder.log"
[ "$(ls "$folder")" = "$(printf 'auto.sav\nquick.sav')" ] || fail "the save folder holds: $(ls "$folder" | tr '\n' ' ')"
stop_game

start_game second
wait_still title_second 3
press F9
wait_still loaded_screen 4
panel_diff="$(differing saved_screen loaded_screen "$panel")"
whole_diff="$(differing saved_screen loaded_screen)"
echo "status panel: $panel_diff differing pixels; whole picture: $whole_diff"
[ "$panel_diff" = 0 ] || fail "the status panel after loading differs from the saved one in $panel_diff pixels"
[ "$whole_diff" = 0 ] || fail "the town screen after loading differs from the saved one in $whole_diff pixels"
grep -q "velmora:" "$work/game-first.log" "$work/game-second.log" && fail "the program reported: $(grep -h velmora: "$work"/game-*.log)"
echo "PASS: saved on the map with F5, ended, started again, loaded with F9: the same town screen"
