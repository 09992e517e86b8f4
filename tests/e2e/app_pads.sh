#!/usr/bin/env bash
# The pads people own, as winmm reports them, at the identifiers Windows leaves them at. A
# DualShock 4 alone at identifier 4 (0 to 3 empty) is listed as "Gamepad 5" with its name,
# chosen and followed; an Xbox 360 pad, a DualSense and a Switch Pro plugged in at
# identifiers 1, 2 and 6 join around it and the choice stays on it. Then each pad in turn:
# every axis it has both ways, every button, every hat direction shows on screen, the axes
# it lacks show a dash. Names come from the user's registry and, for the Xbox pad, from
# the machine's.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"

# expect_list ITEMS SELECTED: the drop-down holds ITEMS (each followed by |) with item
# SELECTED chosen, within 5 seconds.
expect_list() {
  local deadline=$((SECONDS + 5))
  while :; do
    app_dump
    [[ $(app_items 35 | tr '\n' '|') == "$1" && $(app_control 35 selected) == "$2" ]] && return 0
    ((SECONDS <= deadline)) || break
    sleep 0.2
  done
  app_fail "the drop-down holds $(app_items 35 | tr '\n' '|') with item $(app_control 35 selected) chosen"
}

# exercise ID PROFILE: eight rounds on the pad at identifier ID, each with the hat in one
# direction, every axis it has at one end (minimum in even rounds, maximum in odd ones) and
# every eighth button down; each round must show in the readout.
exercise() {
  local id=$1 settings caps nbuttons round b mask value want
  IFS='|' read -r settings _ <<<"${PAD_PROFILES[$2]}"
  caps=$(awk '{ for (i = 1; i < NF; i++) if ($i == "caps") print $(i + 1) }' <<<"$settings")
  nbuttons=$(awk '{ for (i = 1; i < NF; i++) if ($i == "nbuttons") print $(i + 1) }' <<<"$settings")
  for round in 0 1 2 3 4 5 6 7; do
    mask=0
    for ((b = round + 1; b <= nbuttons; b += 8)); do mask=$((mask | 1 << (b - 1))); done
    value=$((round % 2 ? 65535 : 0))
    want=$((round % 2 ? 100 : -100))
    local axes="x $value y $value" texts=(1 "$want" 3 "$want" 33 "POV : $((round * 4500))")
    ((caps & 1)) && axes+=" z $value" texts+=(5 "$want")
    ((caps & 2)) && axes+=" r $value" texts+=(7 "$want")
    ((caps & 4)) && axes+=" u $value" texts+=(38 "AxisU: $want") || texts+=(38 "AxisU: -")
    ((caps & 8)) && axes+=" v $value" texts+=(39 "AxisV: $want") || texts+=(39 "AxisV: -")
    # shellcheck disable=SC2086
    pad set "$id" $axes pov $((round * 4500)) buttons "$mask"
    for ((b = 1; b <= 12; b++)); do texts+=($((11 + b)) "Button $b: $((mask & 1 << (b - 1)))"); done
    local high="Button 13-32:"
    for ((b = 13; b <= 32; b++)); do ((mask & 1 << (b - 1))) && high+=" $b"; done
    [[ $high == *: ]] && high+=" -"
    texts+=(40 "$high")
    app_wait_texts 5 "${texts[@]}"
  done
  pad centre "$id"
}

pad_setup 7
for id in 0 1 2 3 5 6; do pad empty "$id"; done
pad_profile 4 ds4
pad_profile 1 xbox360 HKLM
pad_profile 2 dualsense
pad_profile 6 switchpro
for id in 1 2 6; do pad empty "$id"; done
pad_registry
app_start
expect_list "Gamepad 5 - Wireless Controller|" 0
app_wait_texts 5 35 "Gamepad 5 - Wireless Controller" 38 "AxisU: -100" 39 "AxisV: -100" 40 "Button 13-32: -"
pad press 4 13 press 4 14 set 4 u 65535 pov 4500
app_wait_texts 5 40 "Button 13-32: 13 14" 38 "AxisU: 100" 39 "AxisV: -100" 33 "POV : 4500"
app_shot ds4-buttons-13-14-trigger

for id in 1 2 6; do pad fill "$id"; done
pad_device_change arrival
expect_list "Gamepad 2 - Controller (XBOX 360 For Windows)|Gamepad 3 - Wireless Controller|Gamepad 5 - Wireless Controller|Gamepad 7 - Pro Controller|" 2
app_expect 35 "Gamepad 5 - Wireless Controller"
app_expect 40 "Button 13-32: 13 14"
pad centre 4 set 4 u 0 v 0

position=0
for pair in 1:xbox360 2:dualsense 4:ds4 6:switchpro; do
  id=${pair%%:*}
  app_inspector --select 35 "$position" >/dev/null || app_fail "could not choose item $position"
  exercise "$id" "${pair#*:}"
  app_shot "exercised-${pair#*:}"
  position=$((position + 1))
done

app_quit_button
app_expect_exit 0
app_pass "pads behind empty identifiers are listed by name and followed; every control of four pads shows"
