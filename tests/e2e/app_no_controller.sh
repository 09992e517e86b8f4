#!/usr/bin/env bash
# No controller: the window as it opens (client size, a caption without a close box, every
# field with its first text, the drop-down's only item, the info list), nothing changes
# while it runs, and a real click on "Beenden" ends it with exit code 0; a second run is
# ended by the inspector's button press, the same way.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"

expect_first_layout() {
  local k
  for k in 0 1 2 3; do
    app_expect $((2 * k)) "Axis$(cut -c$((k + 1)) <<<XYZR)"
    app_expect $((2 * k + 1)) 0
  done
  for k in $(seq 0 11); do app_expect $((12 + k)) "Button $((k + 1)): 0"; done
  app_expect 33 "POV 13: 0"
  app_expect 38 "AxisU: 0"
  app_expect 39 "AxisV: 0"
  app_expect 40 "Button 13-32: -"
  [[ $(app_control 35 count) == 1 && $(app_control 35 item0) == "Kein Gamepad erkannt." ]] ||
    app_fail "the drop-down holds: $(app_items 35 | tr '\n' '|')"
  [[ $(app_control 35 selected) == 0 ]] || app_fail "the drop-down's item is not selected"
  app_expect 35 "Kein Gamepad erkannt."
}

pad_setup 0
app_start
app_shot opened

[[ $(app_window client_w)x$(app_window client_h) == 620x300 ]] ||
  app_fail "client is $(app_window client_w) x $(app_window client_h), not 620 x 300"
style=$(app_window style)
((style & 0x00C00000)) || app_fail "no caption (style $style)"
((!(style & 0x00080000))) || app_fail "the window has a system menu, so a close box (style $style)"
((!(style & 0x00040000))) || app_fail "the window has a sizing frame (style $style)"

# Exactly the 24 edit fields, and no gadget numbers outside the layout; every gadget where
# the layout puts it (the picture gadget with its sheet: 300 x 186 and a 2-pixel border).
edits=$(awk -F'\t' '$1 == "control" && $2 == "depth=1" && $5 == "class=Edit"' "$APP_DUMP" | wc -l)
((edits == 24)) || app_fail "$edits edit fields instead of 24"
ids=$(awk -F'\t' '$1 == "control" && $2 == "depth=1" && $5 != "class=Static" { sub("id=", "", $3); print $3 }' "$APP_DUMP" |
  sort -n | tr '\n' ' ')
[[ $ids == "0 1 2 3 4 5 6 7 12 13 14 15 16 17 18 19 20 21 22 23 33 35 36 37 38 39 40 " ]] ||
  app_fail "unexpected gadget numbers: $ids"
layout="0:1,0,199,20 1:200,0,100,20 2:1,25,199,20 3:200,25,100,20 4:1,50,199,20 5:200,50,100,20"
layout+=" 6:1,75,199,20 7:200,75,100,20 33:1,100,299,20 38:1,125,75,20 39:76,125,74,20 40:151,125,149,20"
for k in $(seq 0 11); do layout+=" $((12 + k)):$((k < 6 ? 1 : 151)),$((150 + 25 * (k % 6))),149,20"; done
layout+=" 34:311,1,304,190 35:311,204,200,22 36:515,205,98,22 37:311,234,300,60"
for gadget in $layout; do
  id=${gadget%%:*}
  at=$(app_control "$id" x),$(app_control "$id" y),$(app_control "$id" w),$(app_control "$id" h)
  [[ $at == "${gadget#*:}" ]] || app_fail "gadget $id at $at, not ${gadget#*:}"
done
expect_first_layout
[[ $(app_control 37 count) == 4 && $(app_control 37 item0) == Vellomir &&
  $(app_control 37 item1) == "Version 1.0" && -n $(app_control 37 item2) && -n $(app_control 37 item3) ]] ||
  app_fail "the info list holds: $(app_items 37 | tr '\n' '|')"
before=$(grep -v '^window' "$APP_DUMP")

sleep 2
app_dump
[[ $(grep -v '^window' "$APP_DUMP") == "$before" ]] || {
  diff <(printf '%s\n' "$before") <(grep -v '^window' "$APP_DUMP") >&2
  app_fail "the window changed with no controller attached"
}
expect_first_layout
app_running || app_fail "the program ended on its own"
app_shot after-2s

# "Beenden" at its place on the screen, clicked with the mouse.
x=$(app_control 36 x) y=$(app_control 36 y) w=$(app_control 36 w) h=$(app_control 36 h)
app_click_client $((x + w / 2)) $((y + h / 2))
app_expect_exit 0

# Once more, pressed through the inspector.
app_start
app_quit_button
app_expect_exit 0
app_pass "no controller: layout, a still window, Beenden ends with code 0 (mouse and BM_CLICK)"
