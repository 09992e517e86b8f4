#!/usr/bin/env bash
# Without msimg32.dll (no AlphaBlend): the window opens with every field and the backdrop;
# the picture, which needs no blending, still shows the resting gamepad and a pressed
# button's lit patch exactly; "Beenden" ends it with 0.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/fault.sh"

picture_rest_and_lit() {
  local S=$APP_SHOTS
  app_sheet_rest "$S/expect-rest.png"
  app_wait_picture "$S/picture-rest.png" "$S/expect-rest.png"
  pad press 0 1
  app_wait_texts 10 12 "Button 1: 1"
  app_sheet_lit "$S/expect-button1.png" 230,40,20,20
  app_wait_picture "$S/picture-button1.png" "$S/expect-button1.png"
}

fault_without msimg32 picture_rest_and_lit
app_pass "runs without msimg32.dll"
