#!/usr/bin/env bash
# A gfx/vlmr.png cut off in the middle of its image data: no message box; the picture shows
# the sheet's rows that were complete, exactly, and black from the first missing row down;
# the readout works and "Beenden" ends the program with 0.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/fault.sh"

S=$APP_SHOTS
cut=$(mktemp)
vlmr_on_exit "rm -f '$cut'"
head -c 14000 "$APP_SHEET" >"$cut"
pad_setup 1
fault_picture_dir "$cut"
app_launch "$FAULT_DIR"
app_ready
app_inspector --title Error --exists >/dev/null 2>&1 && app_fail "a message box appeared for a truncated picture"
fault_expect_layout

# The first row whose average is black is the first missing one; every row below is black.
sleep 0.5
app_capture_picture "$S/picture.png"
first=$(convert "$S/picture.png" -scale 1x186\! txt:- |
  awk -F'[,:]' '/#000000/ { print $2; exit }')
[[ -n $first ]] && ((first > 0 && first < 186)) ||
  app_fail "expected the picture to end in black rows part of the way down (first black row: '${first}')"
vlmr_log "rows 0..$((first - 1)) decoded, $first..185 black"
black=$(app_colour_count "$S/picture.png" "300x$((186 - first))+0+$first" '#000000')
[[ $black == $((300 * (186 - first))) ]] || app_fail "rows $first..185 are not all black"
app_sheet_rest "$S/expect-rest.png"
[[ $(app_diff "$S/picture.png" "$S/expect-rest.png" "300x$first+0+0") == 0 ]] ||
  app_fail "the decoded rows 0..$((first - 1)) differ from the sheet"

fault_expect_following
fault_expect_quit
app_pass "a truncated picture shows its complete rows and black below"
