#!/usr/bin/env bash
# Escape through the keyboard reader, as a user presses it: seen while the probe window is
# in front and the key is held (already by the read right after the key's message), unseen (and the read failing) while another window is in
# front, read again once the window is back.
#   input_keyboard.sh PROBE.exe
set -uo pipefail
probe=$1
source "$(dirname "$0")/screen_probe.sh"

probe_start
grep -qx 'before-read escape=0' "$log" || probe_fail "a key was down before the first read"

probe_focus "$main"
n=$(probe_wait_line '^read 1$' 0) || probe_fail "no successful read with the window in front"
vlmr_hold_key "$main" Escape 0.3
n=$(probe_wait_line '^escape 1$' "$n") || probe_fail "Escape held in front was not seen"
# DirectInput has the key before its message is queued: the read that follows the message
# sees it, whenever the change event is signalled.
grep -qx 'escape message read=1 escape=1' "$log" || probe_fail "the read right after Escape's message missed it"
n=$(probe_wait_line '^escape 0$' "$n") || probe_fail "Escape released was not seen"

probe_focus "$other"
n=$(probe_wait_line '^front other$' "$n") || probe_fail "the other window did not come to the front"
n=$(probe_wait_line '^read 0$' "$n") || probe_fail "the read still succeeds behind another window"
xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
sleep 0.3
! probe_wait_line '^escape 1$' "$n" 0 >/dev/null || probe_fail "Escape was seen behind another window"

probe_focus "$main"
n=$(probe_wait_line '^front probe$' "$n") || probe_fail "the probe window did not come back to the front"
probe_wait_line '^read 1$' "$n" >/dev/null || probe_fail "the read did not recover with the window in front"

probe_stop
vlmr_log "PASS: Escape seen in front only; reads fail behind another window and recover"
