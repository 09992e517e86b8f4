#!/usr/bin/env bash
# A 0-byte gfx/vlmr.png: "Kein Bild." once, then an empty picture and a working readout;
# "Beenden" ends the program with 0.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/fault.sh"

pad_setup 1
fault_picture_dir /dev/null
fault_expect_unreadable "$FAULT_DIR"
app_pass "a 0-byte picture gives Kein Bild. and an empty picture"
