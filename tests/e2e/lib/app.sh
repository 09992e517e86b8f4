# End-to-end helpers for Vellomir: source this from a case in tests/e2e. It brings up a
# session, starts the unchanged vellomir.exe with virtual controllers (lib/pad.sh), reads
# its window from outside with the inspector, compares the picture's pixels with crops of
# gfx/vlmr.png, clicks and holds keys as a user does, and ends the program with its exit
# code checked. Every helper fails the case through app_fail, which keeps the evidence.
#
# Session: under scripts/test the case gets DISPLAY, WINEPREFIX and VLMR_SESSION=1 and uses
# them; run alone (bash tests/e2e/app_x.sh) it starts its own Xvfb and Wine prefix.
# Paths: VLMR_WIN_BUILD (default build/win), VLMR_EXE, VLMR_INSPECTOR; screenshots, dumps
# and logs go to APP_SHOTS = VLMR_ARTIFACTS (set by scripts/test) or
# $VLMR_WIN_BUILD/e2e-shots/<case>.
# The program the case starts is APP_EXE: a copy of VLMR_EXE in a run folder of the case's
# own (APP_RUN, removed at the end), where lib/pad.sh puts the virtual controller; nothing
# is ever added to the folder the program was built or unpacked in.
#
# Start and end
#   app_use_program EXE         start this exe (the case's own copy, e.g. an unpacked or
#                               installed one) instead of the run folder's
#   app_launch [DIR]            start the program with DIR as working directory (default the
#                               repository root, which holds gfx/vlmr.png); wait for its X
#                               window. Sets APP_PID (the wine process) and APP_XID.
#   app_ready [SECS]            wait until every gadget is placed (the info list is filled)
#   app_start [DIR]             app_launch + app_ready
#   app_running                 true while the program's process lives
#   app_wait_exit [SECS]        wait for the end (default 10 s); APP_RC is the exit code,
#                               or 124 when it still runs. Returns 0 when it ended.
#   app_quit_button             press "Beenden" through the inspector (BM_CLICK)
#   app_expect_exit CODE [SECS] fail unless the program ends with CODE in time
#   app_other_start             start a second Win32 program (Notepad, beside the window);
#                               its X window is APP_OTHER_XID
# Reading the window (the inspector runs each time, about a second)
#   app_dump                    refresh the dump (APP_DUMP): the window record and one record
#                               per control, tab-separated key=value fields
#   app_window KEY              a field of the window record: style, client_w, client_x ...
#   app_control ID KEY          a field of the first top-level control with that id: text,
#                               class, x, y, w, h, style, count, selected, item0 ...
#   app_text ID                 shorthand for app_control ID text
#   app_items ID                a list's items, one per line
#   app_expect ID TEXT          fail unless control ID showed TEXT in the last dump
#   app_wait_texts SECS ID TEXT [ID TEXT ...]
#                               dump until every control ID shows its TEXT; fail otherwise
#   app_dialog TITLE [SECS]     describe the dialog with that title and press its OK button;
#                               the output goes to APP_DIALOG (a file)
# Pixels (PNG files; every comparison is exact, pixel for pixel)
#   app_capture_client OUT      the client area as the screen shows it
#   app_capture_picture OUT     the picture gadget's 300 x 186 image (client 313, 3)
#   app_sheet_rest OUT          the resting half of gfx/vlmr.png
#   app_sheet_lit OUT X,Y,W,H...  the resting half with the lit patches for these targets
#                               (each from the sheet at X + 300, Y) pasted on it
#   app_crop IN GEOMETRY OUT    crop (GEOMETRY as WxH+X+Y)
#   app_diff A B [GEOMETRY]     print how many pixels differ (in the region, if given)
#   app_wait_picture OUT EXPECTED [SECS]
#                               capture until the picture equals EXPECTED; fail otherwise
#   app_colour_count IN GEOMETRY COLOUR
#                               how many pixels of the region have exactly COLOUR (#rrggbb)
# Input (real X events through xdotool)
#   app_click_client X Y        left click at client coordinates of the main window
#   app_front [XWINDOW]         bring a window to the front with a click on its caption (Wine
#                               draws the frames itself; without a window manager this is
#                               how its foreground moves)
#   app_hold_key KEY [SECS]     key down, wait (default 0.3 s), key up, on whatever is in front
#   app_popup [SECS]            wait for an opened pop-up of the program (a drop-down's
#                               list); sets POPUP_X, POPUP_Y, POPUP_W, POPUP_H (screen pixels)
# Evidence and verdicts
#   app_shot NAME               screenshot of the whole screen to APP_SHOTS/NAME.png
#   app_fail MESSAGE            log, save a screenshot and the last dump, exit 1
#   app_pass MESSAGE            log the verdict and exit 0 (clean-up runs on exit)
# On exit the program and anything app_other_start started are ended if still running.

source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib"
source "$(dirname "${BASH_SOURCE[0]}")/pad.sh"

APP_CASE=$(basename "$0" .sh)
VLMR_EXE=${VLMR_EXE:-$VLMR_WIN_BUILD/app/vellomir.exe}
VLMR_INSPECTOR=${VLMR_INSPECTOR:-$VLMR_WIN_BUILD/tools/inspector/inspector.exe}
APP_SHOTS=${VLMR_ARTIFACTS:-$VLMR_WIN_BUILD/e2e-shots/$APP_CASE}
APP_SHEET=$VLMR_ROOT/gfx/vlmr.png
APP_DUMP=$APP_SHOTS/dump.txt
APP_DIALOG=$APP_SHOTS/dialog.txt
APP_PID=
APP_XID=
APP_RC=
APP_OTHER_PIDS=()
export VLMR_EXE VLMR_INSPECTOR

[[ -f $VLMR_EXE ]] || vlmr_die "no program at $VLMR_EXE (build the vellomir target)"
[[ -f $VLMR_INSPECTOR ]] || vlmr_die "no inspector at $VLMR_INSPECTOR (build the inspector target)"
mkdir -p "$APP_SHOTS"
rm -f "$APP_SHOTS"/*.png "$APP_SHOTS"/*.bmp "$APP_DUMP" "$APP_DIALOG"
APP_RUN=$(mktemp -d "${TMPDIR:-/tmp}/vlmr-run.XXXXXX")
vlmr_on_exit "rm -rf '$APP_RUN'"
APP_EXE=$APP_RUN/vellomir.exe
cp "$VLMR_EXE" "$APP_EXE" || vlmr_die "could not copy $VLMR_EXE into the run folder"

if [[ -z ${VLMR_SESSION:-} ]]; then
  unset DISPLAY
  vlmr_session_start
fi

app_cleanup() {
  local pid
  if [[ -n $APP_PID ]] && kill -0 "$APP_PID" 2>/dev/null; then
    kill "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
  fi
  for pid in "${APP_OTHER_PIDS[@]}"; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  return 0
}
vlmr_on_exit app_cleanup

app_shot() {
  vlmr_screenshot "$APP_SHOTS/$1.png" 2>/dev/null || vlmr_log "could not save screenshot $1"
}

app_fail() {
  vlmr_log "FAIL: $*"
  app_shot failure
  [[ -f $APP_DUMP ]] && sed 's/^/  dump: /' "$APP_DUMP" >&2
  vlmr_log "evidence in $APP_SHOTS"
  exit 1
}

app_pass() {
  vlmr_log "PASS: $*"
  exit 0
}

# The inspector and helper programs load Wine's own winmm: the stand-in lies beside the
# program only, and winmm=n would leave them without one.
app_wine_plain() {
  WINEDLLOVERRIDES=${WINEDLLOVERRIDES//winmm=n/} timeout --kill-after=5 20 wine "$@" </dev/null
}

app_inspector() {
  app_wine_plain "$VLMR_INSPECTOR" "$@"
}

app_use_program() {
  APP_EXE=$1
}

app_launch() {
  local dir=${1:-$VLMR_ROOT}
  (cd "$dir" && exec wine "$APP_EXE" </dev/null >>"$APP_SHOTS/program.log" 2>&1) &
  APP_PID=$!
  APP_XID=$(vlmr_wait_window "$VLMR_WINDOW_TITLE" 30) || app_fail "no window titled $VLMR_WINDOW_TITLE"
}

app_ready() {
  local secs=${1:-20} deadline=$((SECONDS + ${1:-20}))
  while ((SECONDS <= deadline)); do
    app_dump
    [[ $(app_control 37 count) == 4 ]] && return 0
    sleep 0.2
  done
  app_fail "the window's gadgets were not all placed within ${secs}s"
}

app_start() {
  app_launch "$@"
  app_ready
}

app_running() {
  [[ -n $APP_PID ]] && kill -0 "$APP_PID" 2>/dev/null
}

app_wait_exit() {
  local deadline=$((SECONDS + ${1:-10}))
  while app_running && ((SECONDS <= deadline)); do sleep 0.1; done
  if app_running; then
    APP_RC=124
    return 1
  fi
  wait "$APP_PID" 2>/dev/null
  APP_RC=$?
  return 0
}

app_quit_button() {
  app_inspector --click 36 >/dev/null || app_fail "the inspector could not press Beenden"
}

app_expect_exit() {
  local code=$1 secs=${2:-10}
  app_wait_exit "$secs" || app_fail "the program still runs ${secs}s later"
  [[ $APP_RC == "$code" ]] || app_fail "the program ended with exit code $APP_RC, not $code"
}

# Notepad opens where its settings say: to the right of the program's window, so that
# neither covers the other's caption.
app_other_start() {
  local key='HKCU\Software\Microsoft\Notepad' name value
  for name in iWindowPosX=660 iWindowPosY=0 iWindowPosDX=320 iWindowPosDY=240; do
    value=${name#*=}
    app_wine_plain reg add "$key" /v "${name%=*}" /t REG_DWORD /d "$value" /f >/dev/null 2>&1 ||
      app_fail "could not place Notepad"
  done
  WINEDLLOVERRIDES=${WINEDLLOVERRIDES//winmm=n/} wine notepad.exe </dev/null >/dev/null 2>&1 &
  APP_OTHER_PIDS+=("$!")
  APP_OTHER_XID=$(vlmr_wait_window "Untitled - Notepad" 30) || app_fail "Notepad did not open"
}

app_dump() {
  app_inspector --dump >"$APP_DUMP.new" 2>"$APP_SHOTS/inspector.err" ||
    app_fail "the inspector could not read the window ($(cat "$APP_SHOTS/inspector.err"))"
  mv "$APP_DUMP.new" "$APP_DUMP"
}

# A field of the first record of the given kind whose fields include all of the selectors.
app_record_field() {
  local kind=$1 selector=$2 key=$3
  awk -F'\t' -v kind="$kind" -v sel="$selector" -v key="$key" '
    $1 == kind {
      hit = (sel == "")
      for (i = 2; i <= NF; i++) if ($i == sel) hit = 1
      if (!hit) next
      for (i = 2; i <= NF; i++) if (index($i, key "=") == 1) { print substr($i, length(key) + 2); exit }
      exit
    }' "$APP_DUMP"
}

app_window() { app_record_field window "" "$1"; }
app_control() { app_record_field control "id=$1" "$2"; }
app_text() { app_control "$1" text; }

app_items() {
  local i count
  count=$(app_control "$1" count)
  for ((i = 0; i < ${count:-0}; i++)); do app_control "$1" "item$i"; done
}

app_expect() {
  local got
  got=$(app_text "$1")
  [[ $got == "$2" ]] || app_fail "control $1 shows '$got', expected '$2'"
}

app_wait_texts() {
  local secs=$1 deadline=$(($1 + SECONDS)) i ok got
  shift
  while :; do
    app_dump
    ok=1
    for ((i = 1; i < $#; i += 2)); do
      got=$(app_text "${!i}")
      local want_index=$((i + 1))
      [[ $got == "${!want_index}" ]] || ok=0
    done
    ((ok)) && return 0
    ((SECONDS <= deadline)) || break
    sleep 0.1
  done
  for ((i = 1; i < $#; i += 2)); do
    local want_index=$((i + 1))
    got=$(app_text "${!i}")
    [[ $got == "${!want_index}" ]] || vlmr_log "control ${!i}: '$got', expected '${!want_index}'"
  done
  app_fail "the readout did not show the expected texts within ${secs}s"
}

app_dialog() {
  app_inspector --wait "${2:-10}" --close-messagebox "$1" >"$APP_DIALOG" 2>"$APP_SHOTS/inspector.err"
}

app_capture_client() {
  local bmp=$APP_SHOTS/client.bmp
  local try
  # A capture can miss under a loaded X server (the copy from the screen is refused once);
  # try again before calling it a fault, and keep what the inspector said.
  for try in 1 2 3; do
    rm -f "$bmp"
    app_inspector --save-client "$(vlmr_winpath "$bmp")" >/dev/null 2>>"$APP_SHOTS/capture.err" &&
      break
    ((try < 3)) || app_fail "the inspector could not save the client area: $(cat "$APP_SHOTS/capture.err")"
    sleep 0.5
  done
  convert "bmp:$bmp" "png24:$1" || app_fail "could not convert the client capture"
}

app_capture_picture() {
  app_capture_client "$APP_SHOTS/client.png"
  app_crop "$APP_SHOTS/client.png" 300x186+313+3 "$1"
}

app_crop() {
  convert "$1" -crop "$2" +repage "png24:$3"
}

app_sheet_rest() {
  app_crop "$APP_SHEET" 300x186+0+0 "$1"
}

app_sheet_lit() {
  local out=$1 x y w h
  shift
  local args=("$APP_SHEET" -crop 300x186+0+0 +repage)
  for patch in "$@"; do
    IFS=, read -r x y w h <<<"$patch"
    args+=("(" "$APP_SHEET" -crop "${w}x${h}+$((x + 300))+$y" +repage ")" -geometry "+$x+$y" -composite)
  done
  convert "${args[@]}" "png24:$out"
}

app_diff() {
  local a=$1 b=$2 region=${3:-} n
  if [[ -n $region ]]; then
    app_crop "$a" "$region" "$APP_SHOTS/.region-a.png"
    app_crop "$b" "$region" "$APP_SHOTS/.region-b.png"
    a=$APP_SHOTS/.region-a.png b=$APP_SHOTS/.region-b.png
  fi
  n=$(compare -metric AE "$a" "$b" null: 2>&1 >/dev/null)
  printf '%s\n' "${n:-unknown}"
}

app_wait_picture() {
  local out=$1 expected=$2 deadline=$((SECONDS + ${3:-10})) n
  while :; do
    app_capture_picture "$out"
    n=$(app_diff "$out" "$expected")
    [[ $n == 0 ]] && return 0
    ((SECONDS <= deadline)) || break
    sleep 0.2
  done
  compare "$out" "$expected" "png24:${out%.png}-diff.png" 2>/dev/null
  app_fail "picture $(basename "$out") differs from $(basename "$expected") in $n pixels"
}

app_colour_count() {
  convert "$1" -crop "$2" +repage -fill black +opaque "$3" -fill white -opaque "$3" \
    -format '%[fx:round(mean*w*h)]' info:
}

app_client_origin() {
  app_dump
  APP_CLIENT_X=$(app_window client_x)
  APP_CLIENT_Y=$(app_window client_y)
}

app_click_client() {
  app_client_origin
  xdotool mousemove "$((APP_CLIENT_X + $1))" "$((APP_CLIENT_Y + $2))" click 1
}

app_front() {
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "${1:-$APP_XID}")"
  xdotool mousemove "$((X + 40))" "$((Y + 8))" click 1
}

app_hold_key() {
  xdotool keydown "$1"
  sleep "${2:-0.3}"
  xdotool keyup "$1"
}

app_popup() {
  local deadline=$((SECONDS + ${1:-5})) id WINDOW X Y WIDTH HEIGHT SCREEN
  while ((SECONDS <= deadline)); do
    for id in $(xdotool search --onlyvisible --classname vellomir.exe 2>/dev/null); do
      ((id == APP_XID)) && continue
      eval "$(xdotool getwindowgeometry --shell "$id")"
      ((WIDTH > 1 && HEIGHT > 1)) || continue
      POPUP_X=$X POPUP_Y=$Y POPUP_W=$WIDTH POPUP_H=$HEIGHT
      return 0
    done
    sleep 0.1
  done
  app_fail "no pop-up of the program opened"
}
