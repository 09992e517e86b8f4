#!/usr/bin/env bash
# The Direct3D path as Windows users run it (VLMR_DIRECT3D=1 on Wine's Vulkan renderer): the
# device is made on the screen's child window and presents the grey backdrop wherever no
# gadget lies, every gadget shows on top, the picture is exact, the readout follows, and
# "Beenden" ends it with 0 after presents that all succeeded.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/fault.sh"

vlmr_prefix_vulkan
export VLMR_DIRECT3D=1 WINEDEBUG=-all,warn+debugstr
S=$APP_SHOTS
pad_setup 1
app_start
fault_expect_layout

# The process runs Direct3D on Wine's Vulkan renderer and Mesa's software driver, and the
# device says it presents into the screen's child of the main window.
modules=$(sed -n 's|.*/||p' "/proc/$APP_PID/maps" 2>/dev/null | sort -u)
for module in d3d9.dll wined3d.dll winevulkan.dll libvulkan_lvp.so; do
  grep -qx "$module" <<<"$modules" || app_fail "the program has not loaded $module"
done
grep -q 'presents into a Static child of \\"Vellomir V1.0\\", back buffer 620x300' "$S/program.log" ||
  app_fail "no Direct3D device on the screen's child: $(grep debugstr "$S/program.log")"

# The backdrop: between the fields and the picture, above and below the row under the hat
# field, between the picture and the drop-down, and the right margin.
app_capture_client "$S/client.png"
for area in 8x280+302+10 300x5+0+120 300x5+0+145 304x13+311+191 5x300+615+0; do
  IFS=x+ read -r w h _ <<<"$area"
  grey=$(app_colour_count "$S/client.png" "$area" '#9b9b9b')
  [[ $grey == $((w * h)) ]] || app_fail "only $grey of $((w * h)) backdrop pixels in $area are grey"
done
# Every gadget is drawn over the backdrop, none hidden under it.
for id in 0 1 2 3 4 5 6 7 {12..23} 33 34 35 36 37 38 39 40; do
  area="$(app_control "$id" w)x$(app_control "$id" h)+$(app_control "$id" x)+$(app_control "$id" y)"
  grey=$(app_colour_count "$S/client.png" "$area" '#9b9b9b')
  ((grey == 0)) || app_fail "gadget $id shows $grey backdrop pixels in $area"
done
app_shot direct3d-start

app_sheet_rest "$S/expect-rest.png"
app_wait_picture "$S/picture-rest.png" "$S/expect-rest.png"
pad press 0 1 set 0 pov 4500
app_wait_texts 10 12 "Button 1: 1" 33 "POV : 4500"
app_sheet_lit "$S/expect-lit.png" 230,40,20,20 50,50,20,20 63,63,20,20 73,38,20,20
app_wait_picture "$S/picture-lit.png" "$S/expect-lit.png"
app_shot direct3d-lit
pad centre 0
fault_expect_following
fault_expect_quit

report=$(grep -o 'screen: [0-9]* presents, [0-9]* failed, [0-9]* resets' "$S/program.log")
read -r _ presents _ failed _ <<<"$report"
((${presents:-0} >= 1 && ${failed:-1} == 0)) || app_fail "the screen reported '$report'"
app_pass "Direct3D path: device on the child, grey backdrop behind every gadget, exact picture ($report)"
