#!/usr/bin/env bash
# Without Direct3D 9 (d3d9.dll disabled): the window still opens with every field, the grey
# backdrop, the picture, a readout that follows the controller, and "Beenden" ends it with 0.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/fault.sh"

picture_and_readout() {
  app_sheet_rest "$APP_SHOTS/expect-rest.png"
  app_wait_picture "$APP_SHOTS/picture.png" "$APP_SHOTS/expect-rest.png"
  fault_expect_following
}

fault_without d3d9 picture_and_readout
app_pass "runs without d3d9.dll"
