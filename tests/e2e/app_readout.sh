#!/usr/bin/env bash
# Two controllers with 0..65535 axes: the drop-down names exactly both, Gamepad 1 chosen, and
# the readout follows controller 1 only: button bit values, the raw hat, and the axes
# scaled to -100..100 with the dead zone around the centre.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"

pad_setup 2
# Controller 2 is busy from the start; none of it may show while Gamepad 1 is chosen.
pad set 1 x 0 y 65535 pov 18000 buttons 0xFFF
app_start
app_wait_texts 10 33 "POV : 65535" 1 0 3 0 12 "Button 1: 0" 23 "Button 12: 0"
[[ $(app_control 35 count) == 2 && $(app_control 35 item0) == "Gamepad 1" &&
  $(app_control 35 item1) == "Gamepad 2" ]] || app_fail "the drop-down holds: $(app_items 35 | tr '\n' '|')"
[[ $(app_control 35 selected) == 0 ]] || app_fail "Gamepad 1 is not selected"
app_shot resting

pad press 0 3
app_wait_texts 10 14 "Button 3: 4" 12 "Button 1: 0" 15 "Button 4: 0"
app_shot button3

pad release 0 3 press 0 12 set 0 pov 9000 x 65000 y 0 z 65535 r 32767
app_wait_texts 10 14 "Button 3: 0" 23 "Button 12: 2048" 33 "POV : 9000" 1 97 3 -100 5 100 7 0
app_shot button12-right
for k in 1 2 4 5 6 7 8 9 10 11; do app_expect $((11 + k)) "Button $k: 0"; done

pad set 0 x 24575
app_wait_texts 10 1 -1
pad set 0 x 0 pov 65535 buttons 0
app_wait_texts 10 1 -100 33 "POV : 65535" 23 "Button 12: 0"
app_shot x-left

app_quit_button
app_expect_exit 0
app_pass "two controllers: list, buttons, hat and axes of Gamepad 1 shown as they change"
