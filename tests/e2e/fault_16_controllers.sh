#!/usr/bin/env bash
# Sixteen controllers, the most the joystick interface numbers: the list offers Gamepad 1 to
# Gamepad 16 in order with the first chosen; choosing Gamepad 16 makes the readout follow
# controller 15 and only it; "Beenden" ends the program with 0.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/fault.sh"

pad_setup 16
app_start
fault_expect_layout
[[ $(app_control 35 count) == 16 ]] || app_fail "the list holds $(app_control 35 count) items, not 16"
expected=$(for i in {1..16}; do echo "Gamepad $i"; done)
[[ $(app_items 35) == "$expected" ]] || app_fail "the list items are: $(app_items 35 | tr '\n' ',')"

pad set 15 buttons 2048 pov 27000 y 0
app_inspector --select 35 15 >/dev/null || app_fail "could not choose Gamepad 16"
app_wait_texts 10 35 "Gamepad 16" 23 "Button 12: 2048" 33 "POV : 27000" 3 -100 1 0
# Controller 0 moving changes nothing now; controller 15 moving does.
pad press 0 1 set 0 x 0
pad set 15 x 65535
app_wait_texts 10 1 100 12 "Button 1: 0" 23 "Button 12: 2048"
fault_expect_quit
app_pass "sixteen controllers listed, the sixteenth chosen and read"
