# Shared by screen_backdrop.sh and input_keyboard.sh: a private session (its own Xvfb and
# Wine prefix, so no other test's window can cover ours or take the keyboard focus), the
# probe started in it, and waiting on the probe's log. Source it after setting `probe`.

source "$(dirname "${BASH_SOURCE[0]}")/../wine_only.sh" "a private Xvfb and Wine prefix, driven by xdotool"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib"

probe_fail() { vlmr_log "FAIL: $*"; [[ -f ${log:-} ]] && sed 's/^/  log: /' "$log" >&2; exit 1; }

probe_start() {
  unset VLMR_SESSION DISPLAY
  vlmr_session_start
  work=$(mktemp -d)
  vlmr_on_exit "rm -rf '$work'"
  log=$work/probe.log
  stop=$work/stop
  vlmr_on_exit "touch '$stop'"
  vlmr_wine_start "$probe" "$(vlmr_winpath "$log")" "$(vlmr_winpath "$stop")"
  main=$(vlmr_wait_window "Vellomir probe" 60) || probe_fail "no probe window"
  other=$(vlmr_wait_window "Vellomir other" 20) || probe_fail "no second window"
  probe_wait_line '^before-read' 0 >/dev/null || probe_fail "the probe did not start"
}

# probe_wait_line REGEX AFTER [SECONDS]: wait for a log line matching REGEX below line AFTER;
# prints its line number.
probe_wait_line() {
  local regex=$1 after=$2 secs=${3:-10} deadline n
  deadline=$((SECONDS + secs))
  while ((SECONDS <= deadline)); do
    n=$(awk -v re="$regex" -v after="$after" 'NR > after && $0 ~ re { print NR; exit }' "$log" 2>/dev/null)
    if [[ -n $n ]]; then
      printf '%s\n' "$n"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

probe_lines() { wc -l <"$log"; }

# probe_focus XWINDOW: bring a window to the front as a user does, with a click on its
# caption (Wine draws the frames itself here, and activates a window clicked on).
probe_focus() {
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove "$((X + 40))" "$((Y + 8))" click 1
}

probe_stop() {
  touch "$stop"
  wait "$VLMR_WINE_PID" || probe_fail "the probe ended with an error"
  grep -q '^end$' "$log" || probe_fail "the probe did not end cleanly"
}
