#!/usr/bin/env bash
# Measures fullscreen and zoom in the real program on virtual X screens of 1920x1080 and
# 3840x2160 under a window manager (openbox): the scale chosen, where the picture lies on
# the screen, and the window's size at each zoom step. Prints one line per measurement.
# Not part of ./check (the tests check the same rules on the offscreen platform).
#
#   bench/measure_fullscreen.sh [BUILD_DIR]   (default: build; needs velmora, velmora_demo)
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$here/build}")"
velmora="$build/velmora" demo="$build/tools/velmora_demo"
for f in "$velmora" "$demo"; do [ -x "$f" ] || { echo "missing $f" >&2; exit 1; }; done
for tool in Xvfb openbox xdotool xwininfo xwd convert; do
  command -v "$tool" > /dev/null || { echo "$tool is missing (tools/install_deps.sh installs it)" >&2; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-fullscreen.XXXXXX")"
pids=()
stop_all() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done; pids=(); }
trap 'stop_all; rm -rf "$work"' EXIT
"$demo" "$work/game" > /dev/null 2>&1 || { echo "the demo game could not be written" >&2; exit 1; }

# The bounding box of the picture on the screen below the menu bar (its first 40 rows are
# left out): everything there that is not black.
picture_box() {
  xwd -root -silent | convert xwd:- -crop +0+40 +repage -fuzz 0 -trim \
    -format '%w x %h, left edge %X, top edge %Y+40' info: 2>/dev/null
}

measure() {
  local size="$1"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3> "$work/display" > "$work/xvfb.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(tr -d '[:space:]' < "$work/display")" QT_QPA_PLATFORM=xcb
  export XDG_RUNTIME_DIR="$work/runtime-$size" XDG_CONFIG_HOME="$work/config-$size" HOME="$work/home"
  unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
  mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
  openbox --sm-disable > "$work/openbox.log" 2>&1 &
  pids+=($!)
  sleep 1
  "$velmora" --fullscreen "$work/game" > "$work/game.log" 2>&1 &
  pids+=($!)
  local window=""
  for _ in $(seq 100); do
    window="$(xdotool search --onlyvisible --pid "${pids[-1]}" 2> /dev/null | head -n 1)"
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "$size: no window"; stop_all; return; }
  sleep 3  # the opening picture is up
  local geometry
  geometry="$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')"
  echo "$size fullscreen: window $geometry, picture $(picture_box)"
  xdotool key --window "$window" Escape
  sleep 1
  geometry="$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')"
  echo "$size after Esc: window $geometry"
  for _ in 1 2 3 4 5; do
    xdotool key --window "$window" ctrl+plus
    sleep 0.5
    geometry="$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')"
    echo "$size Ctrl+Plus: window $geometry"
  done
  stop_all
}

measure 1920x1080
measure 3840x2160
