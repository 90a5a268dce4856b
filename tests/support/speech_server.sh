# Sourced by the scripts that hear the real program's speech.
#
# start_speech_server WORK
#   Starts a speech-dispatcher server of its own under WORK (its configuration, log and
#   socket there; no sound device) whose one output module appends each text it is asked to
#   say to WORK/said.txt, a line per line of text; sets server_pid and exports
#   SPEECHD_ADDRESS. Returns 77, having said why, when none can be started.
#
# stop_process PID
#   Ends a process started by the script; speech-dispatcher can hang in its own shutdown,
#   so one still there after two seconds is killed outright.

start_speech_server() {
  local work="$1" modules="" dir
  if ! command -v speech-dispatcher > /dev/null; then
    echo "SKIPPED: there is no speech-dispatcher server (./check installs it)" >&2
    return 77
  fi
  for dir in /usr/lib/speech-dispatcher-modules /usr/lib/*/speech-dispatcher-modules; do
    [ -x "$dir/sd_generic" ] && modules="$dir" && break
  done
  if [ -z "$modules" ]; then
    echo "SKIPPED: speech-dispatcher's generic output module is not installed" >&2
    return 77
  fi
  mkdir -p "$work/speechd/modules" "$work/speechd/log" "$work/speechd/run"
  cat > "$work/speechd/speechd.conf" << CONF
LogDir "$work/speechd/log"
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "recorder" "sd_generic" "recorder.conf"
DefaultModule recorder
LanguageDefaultModule "ja" "recorder"
CONF
  cat > "$work/speechd/modules/recorder.conf" << CONF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >> $work/said.txt"
AddVoice "ja" "female1" "ja"
GenericLanguage "ja" "ja" "utf-8"
CONF
  local socket="$work/speechd/run/speechd.sock"
  speech-dispatcher -s -t 0 -C "$work/speechd" -m "$modules" -S "$socket" -P "$work/speechd/pid" \
    > "$work/speechd/server.log" 2>&1 &
  server_pid=$!
  for _ in $(seq 50); do [ -S "$socket" ] && break; sleep 0.1; done
  if [ ! -S "$socket" ]; then
    echo "SKIPPED: speech-dispatcher did not start: $(tail -n 5 "$work"/speechd/log/*.log 2> /dev/null)" >&2
    return 77
  fi
  export SPEECHD_ADDRESS="unix_socket:$socket"
}

stop_process() {
  [ -n "$1" ] && kill "$1" 2> /dev/null || return 0
  for _ in $(seq 20); do kill -0 "$1" 2> /dev/null || break; sleep 0.1; done
  kill -9 "$1" 2> /dev/null
  wait "$1" 2> /dev/null
}
