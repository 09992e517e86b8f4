#!/usr/bin/env bash
# A gfx/vlmr.png that is no picture (text): "Kein Bild." once, then an empty picture and a
# working readout; "Beenden" ends the program with 0.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/fault.sh"

text=$(mktemp)
vlmr_on_exit "rm -f '$text'"
printf 'This is no picture, only text that is long enough to be read as one.\n%.0s' {1..40} >"$text"
pad_setup 1
fault_picture_dir "$text"
fault_expect_unreadable "$FAULT_DIR"
app_pass "a file that is no picture gives Kein Bild. and an empty picture"
