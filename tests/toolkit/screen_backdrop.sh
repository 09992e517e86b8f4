#!/usr/bin/env bash
# The grey backdrop as a user sees it: a screenshot of the probe window, whose screen was
# cleared to (155, 155, 155), must show exactly that grey all over its client area except
# the button, which stays visible on top. Under Wine the screen is always the GDI backdrop
# (Wine shows no Direct3D output in child windows), so "open" is 0 in every mode.
# Modes: normal; d3d9 (d3d9.dll disabled: screen initialiser 0); dinput (DINPUT.DLL
# disabled: input initialisers 0).
#   screen_backdrop.sh PROBE.exe MODE      (the screenshot is kept beside PROBE.exe)
set -uo pipefail
probe=$1
mode=${2:-normal}
source "$(dirname "$0")/screen_probe.sh"

case $mode in
  normal) expect='screen=1 open=0 keyboard=1 joysticks=0' ;;
  d3d9) export WINEDLLOVERRIDES='d3d9=d'; expect='screen=0 open=0 keyboard=1 joysticks=0' ;;
  dinput) export WINEDLLOVERRIDES='dinput=d'; expect='screen=1 open=0 keyboard=0 joysticks=0' ;;
  *) probe_fail "unknown mode $mode" ;;
esac

probe_start
grep -qx "init $expect" "$log" || probe_fail "initialisers: expected '$expect'"
sleep 1  # let the first paints land

shot=$(dirname "$probe")/screen_backdrop_$mode.png
vlmr_screenshot "$shot"
read -r _ x y < <(grep '^client ' "$log")
client=$work/client.png
convert "$shot" -crop "620x300+$x+$y" +repage "$client"

# Everything but the button's corner: one colour, and that colour the grey.
for area in 620x200+0+0 510x300+0+0 620x300+0+230; do
  colours=$(convert "$client" -crop "$area" +repage -format '%k' info:)
  pixel=$(convert "$client" -crop "$area" +repage -format '%[hex:p{0,0}]' info:)
  [[ $colours == 1 && $pixel == 9B9B9B* ]] ||
    probe_fail "area $area of the client shows $colours colour(s), first $pixel (see $shot)"
done
# The button is drawn over the backdrop, not hidden under it.
colours=$(convert "$client" -crop 98x22+515+205 +repage -format '%k' info:)
((colours > 1)) || probe_fail "the button is not visible (see $shot)"

probe_stop
vlmr_log "PASS ($mode): the client area is (155, 155, 155) with the button on top"
