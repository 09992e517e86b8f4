#!/usr/bin/env bash
# Files planted by others. DLLs named like the libraries the program loads at run time, put
# in its working folder beside a copy of the program, are never loaded (each is a marker that
# records being loaded), and the program runs with the system's own. BMPs that lie about
# their size never reach the platform's loader: a 118-byte file claiming 4000 x 4000 pixels
# gives a black picture, a 1 KB RLE8 file claiming 16000 x 16000 gives "Kein Bild."; both
# start at once with bounded memory, and the program works on and ends with 0.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/fault.sh"
source "$(dirname "$0")/lib/measure.sh"

MARKER=$VLMR_WIN_BUILD/tools/marker/marker.dll
[[ -f $MARKER ]] || vlmr_die "no marker DLL at $MARKER (build the marker target)"
PEAK_LIMIT_MB=400

# The program's peak resident memory in MiB, sampled into a file while it runs.
peak_watch() {
  local pid
  pid=$(measure_pid 30) || return
  while [[ -r /proc/$pid/status ]]; do
    # The program may end between the look and the read: keep the last sample then.
    awk '/^VmHWM:/ { print int($2 / 1024) }' "/proc/$pid/status" >"$1.new" 2>/dev/null &&
      [[ -s $1.new ]] && mv -f "$1.new" "$1"
    sleep 0.2
  done
}

expect_bounded() {
  local peak
  peak=$(cat "$APP_SHOTS/peak" 2>/dev/null)
  vlmr_log "$1: peak resident memory ${peak:-?} MiB"
  ((${peak:-0} > 0 && peak < PEAK_LIMIT_MB)) || app_fail "$1 took ${peak:-?} MiB at its peak"
}

# Little-endian 32-bit numbers, as bytes.
le32() {
  local v s
  for v; do for s in 0 8 16 24; do printf "\\$(printf %03o $((v >> s & 255)))"; done; done
}

# A BMP header: file size, pixel offset, width, height, bits, compression.
bmp_header() {
  printf BM
  le32 "$1" 0 "$2" 40 "$3" "$4" $((1 | $5 << 16)) "$6" 0 2835 2835 0 0
}

pad_setup 1
bmp=$(mktemp)
vlmr_on_exit "rm -f '$bmp'"
{ bmp_header 118 118 4000 4000 4 0; head -c 64 /dev/zero; } >"$bmp"
fault_picture_dir "$bmp"
peak_watch "$APP_SHOTS/peak" &
start=$SECONDS
app_start "$FAULT_DIR"
vlmr_log "claiming 4000 x 4000: ready after $((SECONDS - start)) s"
app_capture_picture "$APP_SHOTS/picture.png"
[[ $(app_colour_count "$APP_SHOTS/picture.png" 300x186+0+0 '#000000') == 55800 ]] ||
  app_fail "the picture of a BMP without pixels is not black"
fault_expect_following
expect_bounded "claiming 4000 x 4000"
fault_expect_quit
pad centre 0

{ bmp_header 1080 1078 16000 16000 8 1; head -c 1024 /dev/zero; printf '\x00\x01'; } >"$bmp"
fault_picture_dir "$bmp"
peak_watch "$APP_SHOTS/peak" &
fault_expect_unreadable "$FAULT_DIR"
expect_bounded "RLE8 claiming 16000 x 16000"

# Native first for the libraries that only the program itself loads, so that Wine searches
# as Windows does, the program's folder first; uxtheme and comctl32 also come in through the
# platform's own imports, which follow the platform's rules.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}d3d9,dinput,msimg32=n,b
fault_picture_dir "$APP_SHEET"
cp "$VLMR_EXE" "$FAULT_DIR/"
VLMR_EXE=$FAULT_DIR/vellomir.exe
pad_setup 1
for name in d3d9.dll DINPUT.DLL msimg32.dll uxtheme.dll COMCTL32.DLL; do cp "$MARKER" "$FAULT_DIR/$name"; done
app_start "$FAULT_DIR"
fault_expect_layout
fault_expect_backdrop
loaded=$(cd "$FAULT_DIR" && ls -- *.loaded 2>/dev/null)
[[ -z $loaded ]] || app_fail "planted DLLs were loaded: $loaded"
fault_expect_quit

app_pass "planted DLLs stay unloaded; lying BMPs are refused or black, with bounded memory"
