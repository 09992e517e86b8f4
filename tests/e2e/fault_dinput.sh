#!/usr/bin/env bash
# Without DirectInput (dinput.dll disabled) there is no keyboard reader: the window opens
# with every field and the backdrop, the readout follows the controller, Escape held on the
# window does nothing, and "Beenden" ends the program with 0.
set -uo pipefail
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}dinput=d
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/fault.sh"

pad_setup 1
app_start
fault_expect_layout
fault_expect_backdrop
fault_expect_following
app_front
app_hold_key Escape 0.5
sleep 0.5
app_running || app_fail "Escape ended the program, which has no keyboard reader"
fault_expect_quit
app_pass "runs without dinput.dll; only Beenden ends it"
