#!/usr/bin/env bash
# A run of scripts/wine-run that is killed leaves nothing behind: no session prefix under
# build/wine/sessions, no /tmp/wine-* folder of its server, no process of its session (a
# defunct one counts). Three runs of a program that never ends, each in a session of its
# own, are ended the three ways a run dies: TERM (a plain kill, or `timeout`), INT to its
# process group (Ctrl-C at a terminal), and CTest's timeout, which stops the test and kills
# every process below it outright, so no clean-up of its own runs.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../wine_only.sh" "the run under Wine and Xvfb is what is killed"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib"
unset VLMR_SESSION VLMR_WINEPREFIX WINEPREFIX DISPLAY
export VLMR_WINE_TIMEOUT=3600  # the runs end only by the signals they are sent
set -m  # each run in a process group of its own, with INT not ignored, as at a terminal

work=$(mktemp -d)
vlmr_on_exit "rm -rf '$work'"
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

# The test leaves nothing behind either, whatever became of the runs.
reap_leftovers() {
  local prefix
  for prefix in "${PREFIXES[@]}"; do
    WINEPREFIX=$prefix vlmr_wineserver_stop
    rm -rf "$prefix"
  done
}
PREFIXES=()
vlmr_on_exit reap_leftovers

# start NAME: wine-run of a program that runs until it is killed, from a folder of its own,
# where it writes up.txt once it runs. Sets PID_<NAME>.
start() {
  mkdir -p "$work/$1"
  (cd "$work/$1" && exec "$VLMR_ROOT/scripts/wine-run" cmd.exe /c "echo up>up.txt& ping -n 3600 127.0.0.1>nul") \
    >"$work/$1.log" 2>&1 </dev/null &
  printf -v "PID_$1" %s $!
}

# descendants PID: the process and every process below it.
descendants() {
  local child
  echo "$1"
  for child in $(ps -o pid= --ppid "$1"); do descendants "$child"; done
}

# session_processes PREFIX: every process started with this Wine prefix (its server, its
# programs, the system processes Wine starts for it).
session_processes() {
  grep -lzxF "WINEPREFIX=$1" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3
}

# watch NAME: once its program runs, note the run's prefix, its server's folder and its
# processes in PREFIX_<NAME>, TMP_<NAME> and PROCS_<NAME>.
watch() {
  local name=$1 pid_var=PID_$1 i prefix
  for ((i = 0; i < 600; i++)); do
    [[ -f $work/$name/up.txt ]] && break
    sleep 0.1
  done
  [[ -f $work/$name/up.txt ]] || { fail "$name: the program did not start"; cat "$work/$name.log"; return 1; }
  prefix=$(ls -d "$VLMR_WINE_DIR/sessions/s${!pid_var}".* 2>/dev/null | head -n 1)
  [[ -n $prefix ]] || { fail "$name: no session prefix of the run"; return 1; }
  PREFIXES+=("$prefix")
  printf -v "PREFIX_$name" %s "$prefix"
  printf -v "TMP_$name" %s "${TMPDIR:-/tmp}/$(cat "$prefix/wineserver")"
  printf -v "PROCS_$name" %s "$(descendants "${!pid_var}" | grep -vx "${!pid_var}"; session_processes "$prefix")"
}

# As CTest ends a test that ran out of time: stop it, kill what runs below it, then it.
ctest_kill() {
  local child
  kill -STOP "$1" 2>/dev/null
  for child in $(ps -o pid= --ppid "$1"); do ctest_kill "$child"; done
  kill -KILL "$1" 2>/dev/null
}

# expect_nothing_left NAME: within 45 s the prefix, the server's folder and every process
# of the run are gone.
expect_nothing_left() {
  local name=$1 prefix_var=PREFIX_$1 tmp_var=TMP_$1 procs_var=PROCS_$1 i pid left
  for ((i = 0; i < 225; i++)); do
    left=
    [[ -e ${!prefix_var} ]] && left+=" prefix ${!prefix_var};"
    [[ -e ${!tmp_var} ]] && left+=" folder ${!tmp_var};"
    for pid in ${!procs_var}; do
      [[ -e /proc/$pid ]] && left+=" process $pid ($(ps -o stat=,args= -p "$pid" 2>/dev/null));"
    done
    [[ -z $left ]] && { echo "ok: $name: nothing left"; return 0; }
    sleep 0.2
  done
  fail "$name: left behind:$left"
}

start term
start int
start ctest
set +m
watch term && watch int && watch ctest || exit 1
kill -TERM "$PID_term"
kill -INT -- "-$PID_int"
ctest_kill "$PID_ctest"
for name in term int ctest; do expect_nothing_left "$name"; done
exit "$failed"
