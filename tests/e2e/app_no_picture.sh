#!/usr/bin/env bash
# Started where there is no gfx/vlmr.png: one message box "Error" / "Kein Bild.", then the
# window with every gadget, an empty picture (one plain area inside its border, with
# nothing drawn into it later), and a readout that still follows the controller.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"

empty=$(mktemp -d)
vlmr_on_exit "rm -rf '$empty'"

pad_setup 1
app_launch "$empty"
app_inspector --title Error --wait 20 --exists >/dev/null 2>&1 || app_fail "no message box titled Error"
sleep 0.3
app_shot message-box
app_dialog Error 5 || app_fail "could not press the message box's OK"
grep -q $'^control\t.*\tclass=Static\t.*\ttext=Kein Bild\\.$' "$APP_DIALOG" ||
  app_fail "the message box does not say 'Kein Bild.': $(cat "$APP_DIALOG")"
app_ready
# No second message box follows the first.
sleep 1
app_inspector --title Error --exists >/dev/null 2>&1 && app_fail "a second message box titled Error appeared"
app_running || app_fail "the program ended after the message box"

[[ $(app_control 34 w)x$(app_control 34 h) == 300x186 ]] ||
  app_fail "the empty picture gadget measures $(app_control 34 w) x $(app_control 34 h), not 300 x 186"
app_wait_texts 10 33 "POV : 65535" 1 0
# Empty: one plain colour inside the border, no gamepad, before and after the readout moves.
inside=296x182+313+3
app_capture_client "$APP_SHOTS/client-empty.png"
colours=$(convert "$APP_SHOTS/client-empty.png" -crop "$inside" +repage -format %k info:)
[[ $colours == 1 ]] || app_fail "the empty picture shows $colours colours, not one plain area"

pad set 0 x 0 pov 4500 press 0 1
app_wait_texts 10 1 -100 33 "POV : 4500" 12 "Button 1: 1"
sleep 0.3
app_capture_client "$APP_SHOTS/client-moved.png"
n=$(app_diff "$APP_SHOTS/client-empty.png" "$APP_SHOTS/client-moved.png" "$inside")
[[ $n == 0 ]] || app_fail "something was drawn into the empty picture ($n pixels)"
app_shot readout-without-picture

app_quit_button
app_expect_exit 0
app_pass "no picture: one message box, an empty picture, and a working readout"
