#!/usr/bin/env bash
# Choosing a controller with the mouse: open the drop-down, click "Gamepad 2" in its list,
# and the readout shows controller 2 at once although neither controller moves; choosing
# "Gamepad 1" again brings controller 1 back just as quickly. Controller 2 has the 25 %
# dead zone on all four axes: each rests at raw 24575, which reads -1 with it (-26 without).
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"

# choose ITEM: click the closed drop-down, then the middle of the item's row in its list
# (the rows share the list's height inside its one-pixel border).
choose() {
  local item=$1 x y w h count row
  x=$(app_control 35 x) y=$(app_control 35 y) w=$(app_control 35 w) h=$(app_control 35 h)
  count=$(app_control 35 count)
  app_click_client $((x + w / 2)) $((y + h / 2))
  app_popup
  row=$(((POPUP_H - 2) / count))
  ((row >= 8)) || app_fail "the opened list is $POPUP_H pixels high for $count items"
  xdotool mousemove $((POPUP_X + POPUP_W / 3)) $((POPUP_Y + 1 + row * item + row / 2))
  sleep 0.2
  app_shot "list-open-item$item"
  xdotool click 1
}

pad_setup 2
# Both controllers rest and never move; they differ in their resting readings.
pad set 1 x 24575 y 24575 z 24575 r 24575 pov 27000 buttons 2
app_start
app_wait_texts 10 1 0 33 "POV : 65535" 13 "Button 2: 0"
app_shot gamepad1

choose 1
app_wait_texts 10 1 -1 3 -1 5 -1 7 -1 33 "POV : 27000" 13 "Button 2: 2" 35 "Gamepad 2"
[[ $(app_control 35 selected) == 1 ]] || app_fail "the drop-down does not have Gamepad 2 selected"
values=(47,113 66,142 140,113 159,142)
app_sheet_lit "$APP_SHOTS/expect-gamepad2.png" "${values[@]/%/,40,20}" 35,63,20,20 16,62,20,20 255,65,20,20
app_capture_picture "$APP_SHOTS/picture-gamepad2.png"
# The value areas carry printed numbers, so compare everything else exactly.
paste=()
for at in "${values[@]}"; do
  paste+=("(" "$APP_SHOTS/picture-gamepad2.png" -crop "40x20+${at/,/+}" +repage ")" -geometry "+${at/,/+}" -composite)
done
convert "$APP_SHOTS/expect-gamepad2.png" "${paste[@]}" "png24:$APP_SHOTS/expect-gamepad2.png"
n=$(app_diff "$APP_SHOTS/picture-gamepad2.png" "$APP_SHOTS/expect-gamepad2.png")
[[ $n == 0 ]] || app_fail "the picture does not show controller 2 ($n pixels differ)"
app_shot gamepad2

choose 0
app_wait_texts 10 1 0 33 "POV : 65535" 13 "Button 2: 0" 35 "Gamepad 1"
app_sheet_rest "$APP_SHOTS/expect-rest.png"
app_wait_picture "$APP_SHOTS/picture-gamepad1.png" "$APP_SHOTS/expect-rest.png"

app_quit_button
app_expect_exit 0
app_pass "choosing Gamepad 2 and back with the mouse switches the readout at once, controllers at rest"
