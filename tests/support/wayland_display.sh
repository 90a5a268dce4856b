# Sourced by the scripts that play the real program natively under Wayland.
#
# start_wayland_display WORK [OPTION...]
#   Starts a headless Weston (1024x768, software rendering) on a socket of its own in a
#   runtime folder of its own under WORK, and sets weston_pid. Exports WAYLAND_DISPLAY and
#   QT_QPA_PLATFORM=wayland, takes DISPLAY away (nothing may fall back to X) and gives the
#   program folders of its own under WORK (runtime, config, data and home). Options:
#     screenshots    enables Weston's screenshooter (its debug protocol)
#     no-rendering   Weston's headless default: it takes the pictures but draws nothing
#   Returns 77, having said why, when no compositor can be started.
# stop_wayland_display
#   Stops that Weston (and with it the helpers it started) by its pid.

start_wayland_display() {
  local work="$1" plugin option renderer="--use-pixman" debug=""
  shift
  for option in "$@"; do
    case "$option" in
      screenshots) debug="--debug" ;;
      no-rendering) renderer="" ;;
      *) echo "start_wayland_display: unknown option $option" >&2; return 2 ;;
    esac
  done
  if ! command -v weston > /dev/null; then
    echo "SKIPPED: there is no weston to start a Wayland compositor with (tools/install_deps.sh installs it)" >&2
    return 77
  fi
  plugin="$(find /usr/lib/*/qt6/plugins/platforms -name 'libqwayland-generic.so' 2> /dev/null | head -n 1)"
  if [ -z "$plugin" ]; then
    echo "SKIPPED: Qt's Wayland platform is not installed (qt6-wayland; tools/install_deps.sh installs it)" >&2
    return 77
  fi
  export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" HOME="$work/home"
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$HOME"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  local socket="velmora-$$-$RANDOM"
  weston --backend=headless-backend.so $renderer --width=1024 --height=768 --socket="$socket" \
    --idle-time=0 --no-config $debug --log="$work/weston.log" > "$work/weston.out" 2>&1 &
  weston_pid=$!
  for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; then
    echo "SKIPPED: weston could not start: $(tail -n 5 "$work/weston.log" "$work/weston.out" 2> /dev/null)" >&2
    return 77
  fi
  export WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland
  unset DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
}

stop_wayland_display() {
  [ -n "${weston_pid:-}" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
  weston_pid=""
}
