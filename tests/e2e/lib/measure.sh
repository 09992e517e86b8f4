# Measuring helpers for the benchmark, soak and fault scripts: source after scripts/lib and
# tests/e2e/lib/pad.sh. The program under Wine is a real Linux process, so its CPU time and
# memory are read from /proc; its text and pixels through the inspector's watches.
#
#   measure_pid [SECONDS]         Linux pid of vellomir.exe in this Wine prefix (waits)
#   measure_server_pid            Linux pid of this prefix's Wine server
#   measure_cpu_ticks PID         user + system time so far, in clock ticks
#   measure_cpu_percent PID SECS  share of one core used over the next SECS seconds
#   measure_cpu_ns PID            time on a CPU so far of all its live threads, in ns (the
#                                 scheduler's own count: finer than ticks, for short runs)
#   measure_private_kb PID        private anonymous memory, in KiB
#   measure_writer_start [MS]     change controller 0 every MS ms (default 10) in the
#                                 background, flipping between two fully active states
#   measure_writer_stop           end it; MEASURE_WRITES is how many changes it wrote
#   measure_pad_write STATE       write one of the two states (0 or 1) at once
#   measure_soak CHANGES FILE     run the writer until it wrote CHANGES changes, sampling
#                                 every MEASURE_SOAK_EVERY s (default 5) into FILE: seconds,
#                                 changes, program private KiB, program CPU ticks, Wine
#                                 server private KiB; fails when the program dies
#   measure_flat FILE COLUMN KIB  true when the column stayed within KIB after warm-up
#                                 (the first 10 % of samples); prints what it compared
#   measure_doc_section DOC NAME FILE  put FILE in DOC between the lines "<!-- NAME" and
#                                 "<!-- /NAME -->" (FILE brings both), or append it
#   measure_soak_case CHANGES KIB one soak with lib/app.sh: start with one controller, soak,
#                                 then the program must still follow the controller in its
#                                 fields and its picture, have as many windows as before,
#                                 end with 0 by "Beenden", and both memories must be flat;
#                                 sets SOAK_* for a report; with VLMR_SOAK_STICK_TEST set,
#                                 the Stick-Test stays open all through and must still
#                                 follow the controller at the end
#   measure_watch_text ID TEXT CMD...  run CMD once the watch is armed; MEASURE_US is
#                                 the microseconds from CMD's end until control ID read TEXT
#   measure_watch_pixel X Y CMD...     likewise until client pixel (X, Y) changed;
#                                 MEASURE_ARMED and MEASURE_SEEN are its colours before/after
#   measure_startup ID TEXT DIR   start the program in DIR (APP_PID, as app_launch does);
#                                 MEASURE_US is the microseconds from the start until
#                                 control ID read TEXT
# The watches return non-zero when the awaited state did not show within 30 s; with
# MEASURE_WATCH_LOG set, the inspector's own words and a line per failed watch go there.
#
# The two writer states light every patch of the picture (four axes at their ends, twelve
# buttons, a diagonal hat): each change is a refresh of the full cost. The state file is
# written directly (its format: tools/padctl), since padctl itself takes tens of ms a run.
# Limitations: one program per prefix; ticks are 10 ms, so short intervals are coarse.

MEASURE_TICK=$(getconf CLK_TCK)
MEASURE_INSPECTOR=${VLMR_INSPECTOR:-$VLMR_WIN_BUILD/tools/inspector/inspector.exe}

# First process of this prefix whose command line matches the pattern.
measure_find() {
  local p cmd
  for p in /proc/[0-9]*; do
    cmd=$(tr '\0' ' ' 2>/dev/null <"$p/cmdline") || continue
    [[ $cmd == $1 ]] || continue
    tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    printf '%s\n' "${p#/proc/}"
    return 0
  done
  return 1
}

measure_pid() {
  local deadline=$((SECONDS + ${1:-20}))
  while ((SECONDS <= deadline)); do
    measure_find '*vellomir.exe*' && return 0
    sleep 0.1
  done
  return 1
}

measure_server_pid() { measure_find '*wineserver*'; }

# Fields 14 and 15 of /proc/PID/stat; the command name before them may hold blanks.
measure_cpu_ticks() {
  local stat rest
  local -a f
  stat=$(<"/proc/$1/stat") || return 1
  rest=${stat##*) }
  read -r -a f <<<"$rest"
  printf '%d\n' $((f[11] + f[12]))
}

measure_cpu_ns() {
  # %.0f: Debian's awk (mawk) prints %d no higher than 2^31 - 1, which is 2.1 s of CPU: a
  # program at rest passes that within minutes, and its CPU then seemed to stand still.
  cat "/proc/$1/task/"*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%.0f\n", ns }'
}

measure_cpu_percent() {
  local pid=$1 secs=$2 t0 t1 w0 w1
  t0=$(measure_cpu_ticks "$pid") || return 1
  w0=$EPOCHREALTIME
  sleep "$secs"
  t1=$(measure_cpu_ticks "$pid") || return 1
  w1=$EPOCHREALTIME
  awk -v t="$((t1 - t0))" -v hz="$MEASURE_TICK" -v w0="$w0" -v w1="$w1" \
    'BEGIN { printf "%.2f\n", 100 * t / hz / (w1 - w0) }'
}

# Anonymous pages only: heaps, stacks and everything written. Private file pages (the
# program's and Wine's mapped images) come and go as the kernel reclaims them, so counting
# them would show drops and regrowth that no leak causes.
measure_private_kb() {
  awk '/^Anonymous:/ { kb += $2 } END { print kb + 0 }' "/proc/$1/smaps_rollup"
}

measure_pad_write() {
  local tmp=$VLMR_PAD_STATE.w
  if (($1 == 0)); then
    printf 'count 1\npad 0 x 0 y 0 z 0 r 0 buttons 4095 pov 4500\n' >"$tmp"
  else
    printf 'count 1\npad 0 x 65535 y 65535 z 65535 r 65535 buttons 4095 pov 22500\n' >"$tmp"
  fi
  mv -f "$tmp" "$VLMR_PAD_STATE"
}

measure_writer_start() {
  local ms=${1:-10} pause
  pause=$(printf '0.%03d' "$ms")
  rm -f "$VLMR_PAD_STATE.stop" "$VLMR_PAD_STATE.count"
  (
    local n=0 fd
    exec {fd}<> <(:)
    while [[ ! -e $VLMR_PAD_STATE.stop ]]; do
      measure_pad_write $((n % 2))
      n=$((n + 1))
      ((n % 64)) || echo "$n" >"$VLMR_PAD_STATE.count"
      read -r -t "$pause" -u "$fd" || true
    done
    echo "$n" >"$VLMR_PAD_STATE.count"
  ) &
  MEASURE_WRITER_PID=$!
}

measure_writer_stop() {
  [[ -n ${MEASURE_WRITER_PID:-} ]] || return 1
  : >"$VLMR_PAD_STATE.stop"
  wait "$MEASURE_WRITER_PID" 2>/dev/null
  MEASURE_WRITER_PID=
  MEASURE_WRITES=$(<"$VLMR_PAD_STATE.count")
  rm -f "$VLMR_PAD_STATE.count" "$VLMR_PAD_STATE.stop"
}

# Start a watch, wait for its "armed" line, run the change, take the moment the change is
# complete, then the moment the watch saw it.
measure_watch() {
  local -a watch=("${@:1:3}")
  shift 3
  local fifo fd pid line done_at status=1
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/vlmr-watch.XXXXXX")
  mkfifo "$fifo" || return 1
  WINEDLLOVERRIDES=${WINEDLLOVERRIDES//winmm=n/} wine "$MEASURE_INSPECTOR" --wait 30 "${watch[@]}" \
    >"$fifo" 2>>"${MEASURE_WATCH_LOG:-/dev/null}" </dev/null &
  pid=$!
  exec {fd}<"$fifo"
  rm -f "$fifo"
  if IFS=$'\t' read -r -t 20 -a line <&"$fd" && [[ ${line[0]} == armed ]]; then
    MEASURE_ARMED=${line[2]}
    [[ ${MEASURE_FROM:-end} == start ]] && done_at=$EPOCHREALTIME
    "$@"
    [[ ${MEASURE_FROM:-end} == start ]] || done_at=$EPOCHREALTIME
    if IFS=$'\t' read -r -t 20 -a line <&"$fd" && [[ ${line[0]} == seen ]]; then
      MEASURE_US=$((line[1] - 10#${done_at//[.,]/}))
      MEASURE_SEEN=${line[2]}
      status=0
    fi
  fi
  exec {fd}<&-
  wait "$pid" 2>/dev/null
  local exit_code=$?
  ((status == 0)) || [[ -z ${MEASURE_WATCH_LOG:-} ]] ||
    echo "$(date -u +%T) watch ${watch[*]} failed: last line '${line[*]:-}', inspector exit $exit_code" >>"$MEASURE_WATCH_LOG"
  return $status
}

measure_watch_text() { measure_watch --watch "$1" "$2" "${@:3}"; }
measure_watch_pixel() { measure_watch --watch-pixel "$1" "$2" "${@:3}"; }

measure_launch() {
  (cd "$1" && exec wine "$APP_EXE" </dev/null >>"${APP_SHOTS:-/tmp}/program.log" 2>&1) &
  APP_PID=$!
}

measure_startup() {
  MEASURE_FROM=start measure_watch --watch "$1" "$2" measure_launch "$3"
}

measure_soak() {
  local target=$1 out=$2 every=${MEASURE_SOAK_EVERY:-5} pid server start n=0 got
  pid=$(measure_pid) || return 1
  server=$(measure_server_pid) || return 1
  start=$SECONDS
  measure_writer_start 10
  while :; do
    got=$(cat "$VLMR_PAD_STATE.count" 2>/dev/null)
    [[ $got =~ ^[0-9]+$ ]] && n=$got
    if ! kill -0 "$pid" 2>/dev/null; then
      measure_writer_stop
      vlmr_log "the program died after $n changes"
      return 1
    fi
    printf '%d %d %d %d %d\n' $((SECONDS - start)) "$n" "$(measure_private_kb "$pid")" \
      "$(measure_cpu_ticks "$pid")" "$(measure_private_kb "$server")" >>"$out"
    ((n >= target)) && break
    sleep "$every"
  done
  measure_writer_stop
}

# Baseline: the median of the samples just after warm-up (10-20 %); end: the median of the
# last 10 %; also the highest value after warm-up and the least-squares slope per 1000
# changes (column 2) over the last 90 %.
measure_flat() {
  awk -v col="$2" -v tol="$3" '
    { c[NR] = $2; v[NR] = $col }
    function med(a, b,   i, n, t, j, k, x) {
      n = 0
      for (i = a; i <= b; i++) t[++n] = v[i]
      for (j = 2; j <= n; j++) { x = t[j]; for (k = j - 1; k >= 1 && t[k] > x; k--) t[k + 1] = t[k]; t[k + 1] = x }
      return t[int((n + 1) / 2)]
    }
    END {
      if (NR < 5) { print "too few samples: " NR; exit 1 }
      w = int(NR / 10) + 1; e = NR - int(NR / 10)
      base = med(w, w + int(NR / 10)); last = med(e, NR)
      hi = base; sx = sy = sxx = sxy = 0; m = 0
      for (i = w; i <= NR; i++) {
        if (v[i] > hi) hi = v[i]
        m++; sx += c[i]; sy += v[i]; sxx += c[i] * c[i]; sxy += c[i] * v[i]
      }
      d = m * sxx - sx * sx; slope = d > 0 ? (m * sxy - sx * sy) / d * 1000 : 0
      printf "baseline %d KiB, end %d KiB, growth %d KiB, highest %d KiB, slope %.2f KiB per 1000 changes\n",
        base, last, last - base, hi, slope
      exit (last - base <= tol && hi - base <= 2 * tol) ? 0 : 1
    }' "$1"
}

measure_controls() {
  app_dump
  grep -c '^control' "$APP_DUMP"
}

# The Stick-Test of controller 0, opened with F2 and waited for; whether its raw field
# shows TEXT within 10 s; and, once it does, closed with F2.
MEASURE_STICK_TEST="Stick-Test: Gamepad 1"
measure_stick_test_open() {
  local i
  app_front
  app_hold_key F2 0.3
  for ((i = 0; i < 50; i++)); do
    app_inspector --title "$MEASURE_STICK_TEST" --dump >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  app_fail "F2 did not open the Stick-Test"
}
measure_stick_test_follows() {
  local deadline=$((SECONDS + 10))
  while ((SECONDS <= deadline)); do
    app_inspector --title "$MEASURE_STICK_TEST" --dump 2>/dev/null |
      awk -F'\t' -v t="text=$1" '$1 == "control" && $3 == "id=43" { for (i = 4; i <= NF; i++) if ($i == t) found = 1 } END { exit !found }' &&
      return 0
    sleep 0.2
  done
  app_fail "the Stick-Test no longer follows the controller"
}
measure_stick_test_close() {
  local i
  measure_stick_test_follows "$1"
  app_hold_key F2 0.3
  for ((i = 0; i < 50; i++)); do
    app_inspector --title "$MEASURE_STICK_TEST" --dump >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  app_fail "F2 did not close the Stick-Test"
}

measure_soak_case() {
  local changes=$1 tol=$2 samples=$APP_SHOTS/soak-samples ok=1
  rm -f "$samples"
  pad_setup 1
  app_start
  app_wait_texts 10 33 "POV : 65535"
  [[ -z ${VLMR_SOAK_STICK_TEST:-} ]] || measure_stick_test_open
  SOAK_CONTROLS_BEFORE=$(measure_controls)
  SOAK_START=$SECONDS
  measure_soak "$changes" "$samples" || app_fail "the program did not survive the soak"
  SOAK_SECONDS=$((SECONDS - SOAK_START))
  SOAK_CHANGES=$MEASURE_WRITES
  SOAK_SAMPLES=$samples
  SOAK_CPU=$(awk -v hz="$MEASURE_TICK" 'NR == 1 { t = $4; s = $1 } END { printf "%.1f", 100 * ($4 - t) / hz / ($1 - s) }' "$samples")
  SOAK_PROGRAM=$(measure_flat "$samples" 3 "$tol") || ok=0
  SOAK_SERVER=$(measure_flat "$samples" 5 "$tol") || ok=0
  vlmr_log "program private memory: $SOAK_PROGRAM"
  vlmr_log "Wine server private memory: $SOAK_SERVER"
  # Still alive and following: a state neither writer state has.
  pad centre 0 press 0 1
  app_wait_texts 10 12 "Button 1: 1" 13 "Button 2: 0" 1 0 33 "POV : 65535"
  # And the picture is still composed: each refresh makes new images, which a lost GDI
  # object per refresh would have made impossible long before the end of a long soak.
  # The Stick-Test covers the picture: it must still follow, then F2 closes it.
  [[ -z ${VLMR_SOAK_STICK_TEST:-} ]] || measure_stick_test_close "X: 32767  Y: 32767"
  app_sheet_lit "$APP_SHOTS/expect-after-soak.png" 230,40,20,20
  app_wait_picture "$APP_SHOTS/picture-after-soak.png" "$APP_SHOTS/expect-after-soak.png"
  SOAK_CONTROLS_AFTER=$(measure_controls)
  ((SOAK_CONTROLS_AFTER == SOAK_CONTROLS_BEFORE)) ||
    app_fail "$SOAK_CONTROLS_BEFORE windows before the soak, $SOAK_CONTROLS_AFTER after"
  app_quit_button
  app_expect_exit 0 20
  ((ok)) || app_fail "memory grew beyond $tol KiB after warm-up"
}

measure_doc_section() {
  local doc=$1 name=$2 file=$3
  mkdir -p "$(dirname "$doc")"
  [[ -f $doc ]] || printf '# Vellomir performance and reliability\n\n' >"$doc"
  if grep -q "^<!-- $name" "$doc"; then
    awk -v file="$file" -v first="<!-- $name" -v last="<!-- /$name -->" '
      index($0, first) == 1 { while ((getline line < file) > 0) print line; skip = 1; next }
      $0 == last { skip = 0; next }
      !skip { print }' "$doc" >"$doc.new" && mv "$doc.new" "$doc"
  else
    { echo; cat "$file"; } >>"$doc"
  fi
}
