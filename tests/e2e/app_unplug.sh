#!/usr/bin/env bash
# Unplugging the chosen controller: its item reads "Gamepad 1 (getrennt)", the readout
# keeps its last readings and the program runs on; what the controller does while unplugged
# never shows; plugged back in, the item is "Gamepad 1" again and the readout follows it.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"

pad_setup 2
app_start
pad press 0 1 set 0 x 65535 pov 9000
app_wait_texts 10 12 "Button 1: 1" 1 100 33 "POV : 9000"
app_capture_picture "$APP_SHOTS/picture-before.png"

pad unplug 0
sleep 0.5
pad release 0 1 set 0 x 0 pov 18000
sleep 1
app_dump
app_running || app_fail "the program ended when its controller was unplugged"
for pair in "12|Button 1: 1" "1|100" "33|POV : 9000" "35|Gamepad 1 (getrennt)"; do app_expect "${pair%%|*}" "${pair#*|}"; done
app_capture_picture "$APP_SHOTS/picture-unplugged.png"
n=$(app_diff "$APP_SHOTS/picture-before.png" "$APP_SHOTS/picture-unplugged.png")
[[ $n == 0 ]] || app_fail "the picture changed while the controller was unplugged ($n pixels)"
app_shot unplugged

pad plug 0
app_wait_texts 10 12 "Button 1: 0" 1 -100 33 "POV : 18000" 35 "Gamepad 1"
app_shot plugged-back

app_quit_button
app_expect_exit 0
app_pass "an unplugged controller is marked and keeps its last readings; plugged back it is followed again"
