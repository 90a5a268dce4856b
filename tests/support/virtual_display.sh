# Sourced by the scripts that play the real program on a virtual X display of their own.
#
# start_virtual_display WORK
#   Starts Xvfb (1024x768) on a free display number and sets xvfb_pid; exports DISPLAY and
#   gives the program folders of its own under WORK (runtime, config, data and home), so
#   nothing of the player's (a remembered zoom, saves) reaches a test and nothing of a
#   test reaches the player. Returns 77, having said why, when no display can be started.
#
# wait_for_window PID LOG TENTHS
#   Waits up to TENTHS tenths of a second for a visible window of process PID and sets
#   window, client_x and client_y (the 640x480 client area's top-left corner on the
#   screen, below the menu bar). Returns 1 with a reason on standard error when the
#   process ends first (its LOG's last lines) or no window comes.

start_virtual_display() {
  local work="$1"
  if ! command -v Xvfb > /dev/null; then
    echo "SKIPPED: there is no Xvfb to start a display with (tools/install_deps.sh installs it)" >&2
    return 77
  fi
  # -noreset: without it the server resets whenever its last client leaves, and a client
  # that connects during the reset is refused (seen as "could not connect to display" when
  # the game started right after an xdotool call).
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$work/display" > "$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$work/display" ]; then
    echo "SKIPPED: Xvfb could not start a display: $(cat "$work/xvfb.log")" >&2
    return 77
  fi
  export DISPLAY=":$(tr -d '[:space:]' < "$work/display")"
  export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
  export XDG_DATA_HOME="$work/data" HOME="$work/home"
  unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$HOME"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
}

wait_for_window() {
  local pid="$1" log="$2" tenths="$3" info
  window=""
  for _ in $(seq "$tenths"); do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "the program ended at start-up: $(tail -n 12 "$log")" >&2
      return 1
    fi
    window="$(xdotool search --onlyvisible --pid "$pid" 2> /dev/null | head -n 1)"
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "no window of the program was shown in $((tenths / 10)) s" >&2
    return 1
  fi
  info="$(xwininfo -id "$window")"
  client_x="$(awk '/Absolute upper-left X/ {print $4}' <<< "$info")"
  client_y=$(($(awk '/Absolute upper-left Y/ {print $4}' <<< "$info") + $(awk '/Height:/ {print $2}' <<< "$info") - 480))
}
