#!/usr/bin/env bash
# Product names from the registry, which is untrusted: fifteen pads, each named (or not)
# in another way, in one start. Good names from the user's and from the machine's registry
# are shown; a missing key or value, another type, a value longer than any buffer, an
# empty one, a key name that reaches into another key, or a driver whose settings key name
# is empty or unterminated each give the plain item. Characters the code page (1252 here)
# lacks, and control characters, show as "?". The opened list is as wide as its longest
# item, and a named pad that stops answering is marked after its name. (The registry's own
# writers terminate every string; values without terminator are written beneath them by
# the Win32 test of the names, tests/app/controller_names_test.cpp.)
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"

HKCU=HKEY_CURRENT_USER
SETTINGS="$HKCU\\System\\CurrentControlSet\\Control\\MediaResources\\Joystick\\DINPUT.DLL\\CurrentJoystickSettings"
OEM="$HKCU\\System\\CurrentControlSet\\Control\\MediaProperties\\PrivateProperties\\Joystick\\OEM"
long=$(printf 'L%.0s' {1..300})
wide="Arcade Stick mit sehr langem Produktnamen fuer die Liste"

pad_setup 16
pad empty 15
pad_profile 0 xbox360
pad_profile 1 switchpro HKLM
# 2: nothing in the registry.
# 3: the settings value names an OEM key that does not exist.
pad_reg "[$SETTINGS]" '"Joystick4OEMName"="VID_0000&PID_0003"'
# 4 .. 8: the OEM key's OEMName is missing, a number, a list of strings, too long, empty.
pad_reg '"Joystick5OEMName"="PAD_4"' "[$OEM\\PAD_4]" '"Other"="Pad Vier"'
pad_reg "[$SETTINGS]" '"Joystick6OEMName"="PAD_5"' "[$OEM\\PAD_5]" '"OEMName"=dword:00000005'
pad_reg "[$SETTINGS]" '"Joystick7OEMName"="PAD_6"' "[$OEM\\PAD_6]" '"OEMName"=hex(7):50,00,61,00,64,00,00,00,00,00'
pad_reg "[$SETTINGS]" '"Joystick8OEMName"="PAD_7"' "[$OEM\\PAD_7]" "\"OEMName\"=\"$long\""
pad_reg "[$SETTINGS]" '"Joystick9OEMName"="PAD_8"' "[$OEM\\PAD_8]" '"OEMName"=""'
# 9: the settings value is binary; 10: it names a key below an OEM key.
pad_reg "[$SETTINGS]" '"Joystick10OEMName"=hex:50,41,44' "[$OEM\\PAD]" '"OEMName"="Pad"'
pad_reg '"Joystick11OEMName"="PAD\\INNER"' "[$OEM\\PAD\\INNER]" '"OEMName"="Inner Pad"'
# 11: an Omega and a tab in the name; 12, 13: the driver's settings key name is empty or
# fills its field without terminator (good registry values wait under both).
pad_reg "[$SETTINGS]" '"Joystick12OEMName"="PAD_11"' "[$OEM\\PAD_11]" \
  '"OEMName"=hex(1):a9,03,6d,00,65,00,67,00,61,00,09,00,50,00,61,00,64,00,00,00'
pad_name 12 PAD_12 "Zwoelf"
pad_name 13 PAD_13 "Dreizehn"
pad set 12 regkey 2 set 13 regkey 1
# 14: a long good name.
pad_name 14 PAD_14 "$wide"
pad_registry

app_start
items=$(app_items 35 | tr '\n' '|')
want="Gamepad 1 - Controller (XBOX 360 For Windows)|Gamepad 2 - Pro Controller|Gamepad 3|Gamepad 4|"
want+="Gamepad 5|Gamepad 6|Gamepad 7|Gamepad 8|Gamepad 9|Gamepad 10|Gamepad 11|Gamepad 12 - ?mega?Pad|"
want+="Gamepad 13|Gamepad 14|Gamepad 15 - $wide|"
[[ $items == "$want" ]] || app_fail "the drop-down holds $items"
[[ $(app_control 35 selected) == 0 ]] || app_fail "the first item is not chosen"

# The opened list: wider than the closed box, for the long name.
x=$(app_control 35 x) y=$(app_control 35 y) w=$(app_control 35 w) h=$(app_control 35 h)
app_click_client $((x + w / 2)) $((y + h / 2))
app_popup
((POPUP_W > w + 60)) || app_fail "the opened list is $POPUP_W pixels wide, the box $w"
app_shot list-open
app_hold_key Escape 0.3
app_running || app_fail "Escape on the open list ended the program"

pad unplug 0
app_wait_texts 5 35 "Gamepad 1 - Controller (XBOX 360 For Windows) (getrennt)"
app_quit_button
app_expect_exit 0
app_pass "names from HKCU and HKLM shown, every kind of bad registry value gives the plain item"
