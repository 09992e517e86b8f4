#!/usr/bin/env bash
# Escape: held while the window is in front it ends the program with code 0; held while
# another program's window is in front it does nothing, also while yet another program
# claims activations of the window (sent and posted, before, during and after the real
# switch), and the same run still ends on Escape once its window is in front again.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/hostile.sh"

pad_setup 1
app_start
app_wait_texts 10 33 "POV : 65535"
app_front
app_hold_key Escape 0.3
app_expect_exit 0 10

app_start
app_wait_texts 10 33 "POV : 65535"
app_other_start
hostile_activations_start 30
sleep 1
app_front "$APP_OTHER_XID"
sleep 0.5
app_shot other-in-front
app_dump
[[ $(app_window front) == 0 ]] || app_fail "the program's window is still the foreground window"
app_hold_key Escape 0.3
sleep 1
app_running || app_fail "Escape held in another program's window ended the program"
# The program still reads its controller while in the background.
pad press 0 2
app_wait_texts 10 13 "Button 2: 2"
app_hold_key Escape 0.3
sleep 1
app_running || app_fail "Escape held in another program's window ended the program"

app_front
sleep 0.5
app_shot back-in-front
app_dump
[[ $(app_window front) == 1 ]] || app_fail "the program's window did not come back to the front"
app_hold_key Escape 0.3
app_expect_exit 0 10
app_pass "Escape ends the program only while its window is in front, whatever activations are claimed"
