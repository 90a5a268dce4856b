#!/usr/bin/env bash
# The save and load screens in the real program on a virtual X display: the seeded
# autosave loaded with Ctrl+L and Enter; Ctrl+S on the town map and Enter into the first
# empty slot; the program ended, the autosave taken away (the slot's save is the only one
# left) and started again; Ctrl+L on the title and Enter: the status panel and the whole
# town screen as they were saved, pixel for pixel.
#
#   desktop_slots.sh VELMORA VELMORA_DEMO DESKTOP_SAVE_SEED [ARTIFACT_DIR]
#
# ARTIFACT_DIR also keeps the pictures of the save and load screens when the test passes.
set -uo pipefail

[ $# -ge 3 ] || { echo "usage: $0 VELMORA VELMORA_DEMO DESKTOP_SAVE_SEED [ARTIFACT_DIR]" >&2; exit 2; }
velmora="$(realpath "$1")" demo="$(realpath "$2")" seed="$(realpath "$3")" artifacts="${4:-}"

source "$(dirname "$0")/session.sh"

# Keeps a capture in the artifact folder. (The pointer rests where press() puts it: on the
# slot screens that is the key line, where nothing lights up.)
keep() { [ -n "$artifacts" ] && mkdir -p "$artifacts" && cp "$work/$1.png" "$artifacts/$2.png"; }

panel="125x480+515+0"

start_game first
wait_still title_first 3
press ctrl+l
sleep 1 && capture load_first  # the panel is painted at once
[ "$(differing title_first load_first)" -gt 10000 ] || fail "Ctrl+L on the title showed no load screen"
press Return
wait_still saved_screen 4
[ "$(differing title_first saved_screen "$panel")" -gt 1000 ] || fail "Enter on the load screen did not bring the town up"
press ctrl+s
sleep 1 && capture save_screen  # the panel is painted at once
[ "$(differing saved_screen save_screen)" -gt 10000 ] || fail "Ctrl+S on the map showed no save screen"
keep save_screen save-screen
press Return
for _ in $(seq 50); do [ -f "$folder/slot-01.vsl" ] && break; sleep 0.1; done
[ -f "$folder/slot-01.vsl" ] || fail "Enter on the save screen wrote no slot in $folder"
[ "$(ls "$folder")" = "$(printf 'auto.sav\nslot-01.vsl')" ] || fail "the save folder holds: $(ls "$folder" | tr '\n' ' ')"
# The screen closed and its note gone: nothing of either is left on the picture.
wait_still after_save 3
[ "$(differing saved_screen after_save)" = 0 ] || fail "the town screen is not as it was after saving"
stop_game

rm "$folder/auto.sav"
start_game second
wait_still title_second 3
press ctrl+l
sleep 1 && capture load_screen  # the panel is painted at once
keep load_screen load-screen
press Return
wait_still loaded_screen 4
panel_diff="$(differing saved_screen loaded_screen "$panel")"
whole_diff="$(differing saved_screen loaded_screen)"
echo "status panel: $panel_diff differing pixels; whole picture: $whole_diff"
[ "$panel_diff" = 0 ] || fail "the status panel after loading differs from the saved one in $panel_diff pixels"
[ "$whole_diff" = 0 ] || fail "the town screen after loading differs from the saved one in $whole_diff pixels"
grep -q "velmora:" "$work/game-first.log" "$work/game-second.log" && fail "the program reported: $(grep -h velmora: "$work"/game-*.log)"
echo "PASS: saved into a slot on the map with Ctrl+S, ended, started again, loaded it with Ctrl+L: the same town screen"
