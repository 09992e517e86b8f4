#!/usr/bin/env bash
# The readout shows nothing but the controller. A controller that is listed but never
# answers shows the resting readout and picture, marked "(getrennt)"; text typed with real
# key presses into a value field and into a label is gone again at once, while the
# controller rests and the fields keep their editable look; once the controller answers,
# it is followed.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"

pad_setup 1
pad unplug 0 set 0 x 0 y 0 pov 0 buttons 4095
app_start
app_wait_texts 10 35 "Gamepad 1 (getrennt)" 1 0 3 0 5 0 7 0 12 "Button 1: 0" 23 "Button 12: 0" 33 "POV : 65535"
app_sheet_rest "$APP_SHOTS/expect-rest.png"
app_wait_picture "$APP_SHOTS/picture-silent.png" "$APP_SHOTS/expect-rest.png"

# type_into X Y TEXT: click into the field at client (X, Y), go to its end and type.
type_into() {
  app_click_client "$1" "$2"
  sleep 0.2
  xdotool key End
  xdotool type --delay 30 -- "$3"
}
type_into 250 10 "-10051"
type_into 100 10 "Button 1: 1"
sleep 0.5
app_shot typed
app_dump
app_expect 1 0
app_expect 0 AxisX
for id in 0 1; do
  [[ $(app_control $id style) == 0x50030080 && $(app_control $id exstyle) == 0x00000200 ]] ||
    app_fail "field $id changed its look: style $(app_control $id style), $(app_control $id exstyle)"
done

pad plug 0
app_wait_texts 10 35 "Gamepad 1" 1 -100 3 -100 12 "Button 1: 1" 23 "Button 12: 2048" 33 "POV : 0"
app_quit_button
app_expect_exit 0
app_pass "a silent controller rests in the readout, typed text does not stay, the controller is followed once it answers"
