#!/usr/bin/env bash
# Controllers that come and go while the program runs. Started with none, a controller
# added and announced as the system does is listed as "Gamepad 1", chosen and shown within
# half a second; a second one joins as "Gamepad 2" and the choice stays. Unplugged while
# the list is open, the chosen one reads "Gamepad 1 (getrennt)" with its last readings kept,
# and once it answers again it is still the one followed. Escape held on the open list
# closes the list and nothing more; a new Escape press ends the program with 0.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"

# announce ID TEXT: the device change, then control ID must read TEXT within half a second
# of it (one inspector run sends the change and watches).
announce() {
  local out armed seen
  out=$(app_inspector --wait 2 --device-change 7 --watch "$1" "$2") ||
    app_fail "control $1 never read '$2' after the device change"
  armed=$(awk -F'\t' '$1 == "armed" { print $2 }' <<<"$out")
  seen=$(awk -F'\t' '$1 == "seen" { print $2 }' <<<"$out")
  vlmr_log "control $1 read '$2' $(((seen - armed) / 1000)) ms after the device change"
  ((seen - armed <= 500000)) || app_fail "control $1 read '$2' only $(((seen - armed) / 1000)) ms after the change"
}

list_open() {
  local id WINDOW X Y WIDTH HEIGHT SCREEN
  for id in $(xdotool search --onlyvisible --classname vellomir.exe 2>/dev/null); do
    ((id == APP_XID)) && continue
    eval "$(xdotool getwindowgeometry --shell "$id")"
    ((WIDTH > 1 && HEIGHT > 1)) && return 0
  done
  return 1
}

# expect_list ITEMS: the drop-down holds ITEMS (each followed by |) with the first chosen,
# within 5 seconds.
expect_list() {
  local deadline=$((SECONDS + 5))
  while :; do
    app_dump
    [[ $(app_items 35 | tr '\n' '|') == "$1" && $(app_control 35 selected) == 0 ]] && return 0
    ((SECONDS <= deadline)) || break
    sleep 0.2
  done
  app_fail "the drop-down holds $(app_items 35 | tr '\n' '|') with item $(app_control 35 selected) chosen"
}

pad_setup 0
app_start
app_expect 35 "Kein Gamepad erkannt."

pad count 1 set 0 x 65535 pov 9000 press 0 2
announce 33 "POV : 9000"
app_wait_texts 5 35 "Gamepad 1" 1 100 13 "Button 2: 2"
expect_list "Gamepad 1|"
app_shot plugged-in

pad count 2 set 1 x 0 pov 27000
pad_device_change arrival
expect_list "Gamepad 1|Gamepad 2|"
for pair in "1|100" "33|POV : 9000" "13|Button 2: 2"; do app_expect "${pair%%|*}" "${pair#*|}"; done

# With the list open: what controller 1 does while gone never shows, and once it answers
# again it is the one followed (not "no controller", not Gamepad 2).
x=$(app_control 35 x) y=$(app_control 35 y) w=$(app_control 35 w) h=$(app_control 35 h)
app_click_client $((x + w / 2)) $((y + h / 2))
app_popup
pad unplug 0
app_wait_texts 5 35 "Gamepad 1 (getrennt)"
pad set 0 x 32767 pov 18000 release 0 2
sleep 0.3
expect_list "Gamepad 1 (getrennt)|Gamepad 2|"
for pair in "1|100" "33|POV : 9000" "13|Button 2: 2"; do app_expect "${pair%%|*}" "${pair#*|}"; done
pad plug 0
app_wait_texts 5 35 "Gamepad 1" 1 0 33 "POV : 18000" 13 "Button 2: 0"
list_open || app_fail "the list closed by itself"
app_shot list-open

app_hold_key Escape 0.5
sleep 0.5
app_running || app_fail "Escape on the open list ended the program"
list_open && app_fail "Escape did not close the list"
app_shot list-closed
app_hold_key Escape 0.3
app_expect_exit 0 10
app_pass "controllers plugged in are listed and followed, a disconnect shows, Escape closes the list first"
