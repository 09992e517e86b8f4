#!/usr/bin/env bash
# Without DirectInput (dinput.dll disabled) there is no keyboard reader: the window opens
# with every field and the backdrop, the readout follows the controller, Escape held on the
# window does nothing, and "Beenden" ends the program with 0.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/fault.sh"

readout_and_no_escape() {
  fault_expect_following
  app_front
  app_hold_key Escape 0.5
  sleep 0.5
  app_running || app_fail "Escape ended the program, which has no keyboard reader"
}

fault_without dinput readout_and_no_escape
app_pass "runs without dinput.dll; only Beenden ends it"
