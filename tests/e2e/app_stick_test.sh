#!/usr/bin/env bash
# The Stick-Test window. A stick resting at raw 36000 of 0..65535 reads "+9,9 %" off centre
# (the main readout's dead zone shows 0). Driven twice around a circle of reach 0.9 the
# circularity reads 10,0 %; "Leeren" forgets it; around a square of full deflection it
# reads what the square's points give. Opened with F2 and from the picture's context menu,
# closed with Escape, its close box and F2; Escape there never ends the program. The title
# follows the controller, "(getrennt)" and all; without a controller the texts say so. All
# the while the main window keeps its texts and geometry.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/hostile.sh"

STICK="Stick-Test: Gamepad 1"

# stick_dump [TITLE]: the Stick-Test window's dump into $APP_SHOTS/stick.txt; false when it
# is not open.
stick_dump() {
  app_inspector --title "${1:-$STICK}" --dump >"$APP_SHOTS/stick.txt" 2>/dev/null
}
stick_text() {
  awk -F'\t' -v id="id=$1" '$1 == "control" && $3 == id {
    for (i = 4; i <= NF; i++) if (index($i, "text=") == 1) print substr($i, 6) }' "$APP_SHOTS/stick.txt"
}
# stick_wait SECS ID TEXT [ID TEXT ...] [-- TITLE]: until the window's fields read so.
stick_wait() {
  local deadline=$((SECONDS + $1)) i ok title=$STICK
  shift
  local args=("$@")
  [[ ${args[-2]:-} == -- ]] && title=${args[-1]} && args=("${args[@]:0:${#args[@]}-2}")
  while :; do
    ok=1
    if stick_dump "$title"; then
      for ((i = 0; i < ${#args[@]}; i += 2)); do
        [[ $(stick_text "${args[i]}") == "${args[i + 1]}" ]] || ok=0
      done
    else
      ok=0
    fi
    ((ok)) && return 0
    ((SECONDS <= deadline)) || break
    sleep 0.2
  done
  for ((i = 0; i < ${#args[@]}; i += 2)); do vlmr_log "field ${args[i]}: '$(stick_text "${args[i]}")'"; done
  app_fail "the window '$title' did not show the expected texts"
}
stick_gone() {
  local deadline=$((SECONDS + 5))
  while stick_dump "${1:-$STICK}"; do
    ((SECONDS <= deadline)) || app_fail "the Stick-Test is still open"
    sleep 0.2
  done
  app_running || app_fail "the program ended with the Stick-Test"
}
# drive FILE: the stick of controller 0 through the raw points of FILE ("x y" lines), twice,
# so that no point is missed however the passes fall. The state file is written directly
# (whole, then renamed, as padctl does), which is quicker than a padctl run per point.
drive() {
  local lap x y tmp=$VLMR_PAD_STATE.drive
  for lap in 1 2; do
    while read -r x y; do
      printf 'count 1\npad 0 x %d y %d\n' "$x" "$y" >"$tmp" && mv -f "$tmp" "$VLMR_PAD_STATE"
      sleep 0.02
    done <"$1"
  done
}
# The main window as the layout fixes it: every record but the texts of the value fields.
main_layout() {
  app_dump
  grep -v '^window' "$APP_DUMP" | sed -E '/id=(1|3|5|7|1[2-9]|2[0-3]|33|38|39|40)\t/s/\ttext=[^\t]*//'
}

pad_setup 1
pad set 0 x 36000
app_start
app_wait_texts 5 1 0
before=$(main_layout)

# F2 opens it; the offset the dead zone hides.
app_front
app_hold_key F2 0.3
stick_wait 5 43 "X: 36000  Y: 32767" 44 "Versatz X: +9,9 %  Y: 0,0 %" 45 "Rundheit: -" 46 "Rechter Stick (Z/R)"

awk 'BEGIN { pi = atan2(0, -1)
  for (i = 0; i < 72; i++) { a = i * 5 * pi / 180
    printf "%d %d\n", 32767.5 + 0.9 * 32767.5 * cos(a) + 0.5, 32767.5 - 0.9 * 32767.5 * sin(a) + 0.5 } }' >"$APP_SHOTS/circle.txt"
drive "$APP_SHOTS/circle.txt"
stick_wait 5 45 "Rundheit: 10,0 %" 50 "Rundheit: -"
app_shot stick-circle

app_inspector --title "$STICK" --click 51 >/dev/null || app_fail "could not press Leeren"
stick_wait 5 45 "Rundheit: -"
# A square of full deflection through the middle of each direction and its corners; the
# expected circularity from the same integer points as the program sees them.
awk 'BEGIN { pi = atan2(0, -1)
  for (k = 0; k < 36; k++) { a = (10 * k + 5) * pi / 180; c = cos(a); s = sin(a)
    m = (c < 0 ? -c : c) > (s < 0 ? -s : s) ? (c < 0 ? -c : c) : (s < 0 ? -s : s)
    printf "%d %d\n", 32767.5 + c / m * 32767.5 + 0.5, 32767.5 - s / m * 32767.5 + 0.5
    if (k % 9 == 4) printf "%d %d\n", (c > 0 ? 65535 : 0), (s > 0 ? 0 : 65535) } }' >"$APP_SHOTS/square.txt"
want=$(awk 'BEGIN { pi = atan2(0, -1) }
  { x = ($1 - 32767.5) / 32767.5; y = ($2 - 32767.5) / 32767.5; r = sqrt(x * x + y * y)
    d = atan2(-y, x) * 180 / pi; if (d < 0) d += 360; s = int(d / 10)
    if (r > reach[s]) reach[s] = r }
  END { for (s = 0; s < 36; s++) sum += reach[s] - 1; v = sprintf("%.1f", sum / 36 * 100); sub("\\.", ",", v)
        print "Rundheit: " v " %" }' "$APP_SHOTS/square.txt")
drive "$APP_SHOTS/square.txt"
stick_wait 5 45 "$want"
app_shot stick-square
vlmr_log "a square reads '$want'"

# Escape in the Stick-Test closes it and nothing more.
pad set 0 x 36000 y 32767
app_hold_key Escape 0.5
stick_gone
[[ $(main_layout) == "$before" ]] || { diff <(printf '%s\n' "$before") <(main_layout) >&2; app_fail "the main window changed"; }

# The picture's context menu: a right click, then its one item; chosen again with the main
# window in front, it brings the one window back.
menu_choose() {
  app_client_origin
  xdotool mousemove $((APP_CLIENT_X + 460)) $((APP_CLIENT_Y + 90)) click 3
  sleep 0.5
  app_shot menu
  xdotool mousemove $((APP_CLIENT_X + 460 + 30)) $((APP_CLIENT_Y + 90 + 8)) click 1
}
menu_choose
stick_wait 5 45 "Rundheit: -"
app_front
menu_choose
stick_wait 5 45 "Rundheit: -"
[[ $(xdotool search --name '^Stick-Test' | wc -l) == 1 ]] || app_fail "not one Stick-Test window"
# Its close box (Wine draws the frame: the box sits 14 pixels left of the right edge).
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name '^Stick-Test' | head -n 1)")"
xdotool mousemove $((X + WIDTH - 14)) $((Y + 10)) click 1
stick_gone

# F2 opens it and, pressed again there, closes it; the title follows a controller that stops
# answering. Foreign messages to both windows change neither (a close command may close the
# Stick-Test, as its close box does).
shape=$(hostile_shape)
app_front
app_hold_key F2 0.3
stick_wait 5 45 "Rundheit: -"
hostile_storm 21 400
hostile_expect_shape "$shape"
if stick_dump; then vlmr_log "the Stick-Test stayed open"; else vlmr_log "a close command closed the Stick-Test"; app_front; app_hold_key F2 0.3; fi
stick_wait 5 43 "X: 36000  Y: 32767" 44 "Versatz X: +9,9 %  Y: 0,0 %"
pad unplug 0
stick_wait 5 43 "X: 36000  Y: 32767" -- "Stick-Test: Gamepad 1 (getrennt)"
app_hold_key F2 0.3
stick_gone "Stick-Test: Gamepad 1 (getrennt)"
[[ $(main_layout | grep -v 'id=35') == "$(grep -v 'id=35' <<<"$before")" ]] || app_fail "the main window changed"
app_hold_key Escape 0.3
app_expect_exit 0

# Without a controller: empty plots and texts that say so.
pad count 0
app_start
app_front
app_hold_key F2 0.3
stick_wait 5 43 "Kein Gamepad erkannt." 48 "Kein Gamepad erkannt." 45 "Rundheit: -" -- "Stick-Test: Kein Gamepad erkannt."
app_shot stick-none
app_quit_button
app_expect_exit 0
app_pass "Stick-Test: offset, circle and square, opened and closed every way, the main window unchanged"
