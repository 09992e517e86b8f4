#!/usr/bin/env bash
# Foreign messages: any program on the desktop can post to our windows. A forged size
# command leaves the fixed window alone (the mouse moves resize nothing, and the mouse is
# free), a forged timer message numbered like "Beenden" ends nothing, and after 2,000 messages
# of every kind (tools/hostile) the program is alive, 620 x 300 with every gadget in place,
# the readout follows the controller, and a real click on "Beenden" ends it with 0.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/fault.sh"
source "$(dirname "$0")/lib/hostile.sh"

pad_setup 1
app_start
shape=$(hostile_shape)
[[ $(app_window client_w)x$(app_window client_h) == 620x300 ]] || app_fail "the window is not 620 x 300"

hostile_post 274 $((0xF000 | 8)) 0  # WM_SYSCOMMAND, SC_SIZE from the bottom-right corner
app_client_origin
for step in 40 120 240; do
  xdotool mousemove "$((APP_CLIENT_X + 620 + step))" "$((APP_CLIENT_Y + 300 + step))"
  sleep 0.3
done
hostile_expect_shape "$shape"

hostile_post 275 36 0  # WM_TIMER with the number of "Beenden"
sleep 0.5
app_running || app_fail "a timer message ended the program"

hostile_round 1 2000 "$shape"
app_click_client 564 216
app_expect_exit 0 20
app_pass "alive and whole after the forged size command, the forged timer and $HOSTILE_POSTED messages"
