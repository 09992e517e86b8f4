#!/usr/bin/env bash
# The inspector's watches, which the benchmark's latency and start-up numbers rest on: a
# text watch armed before the program starts sees its first readout after the start; one
# armed before a change sees the change after it was written, on the wall clock the shell
# reads; a text that never comes times out with exit 1 and no "seen"; a pixel watch reports
# a colour other than the one it was armed with.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/measure.sh"

pad_setup 1
measure_startup 33 "POV : 65535" "$VLMR_ROOT" || app_fail "the start-up watch never saw the first readout"
((MEASURE_US > 0)) || app_fail "the first readout was seen ${MEASURE_US} µs before the start"
app_ready

MEASURE_FROM=start measure_watch_text 33 "POV : 9000" pad set 0 pov 9000 ||
  app_fail "the text watch missed POV : 9000"
((MEASURE_US > 0)) || app_fail "POV : 9000 was seen ${MEASURE_US} µs before the writing began"
app_dump
app_expect 33 "POV : 9000"

out=$(app_inspector --wait 1 --watch 33 "POV : 1")
rc=$?
[[ $rc == 1 ]] || app_fail "a text that never comes gave exit $rc, not 1"
[[ $(cut -f1 <<<"$out") == armed ]] || app_fail "the timed-out watch printed: $out"

# The hat's up arm is lit at 4500 and resting at 9000.
MEASURE_FROM=start measure_watch_pixel 373 63 pad set 0 pov 4500 ||
  app_fail "the pixel watch missed the lit up arm"
((MEASURE_US > 0)) || app_fail "the lit arm was seen ${MEASURE_US} µs before the writing began"
lit=$MEASURE_SEEN
[[ $lit != "$MEASURE_ARMED" ]] || app_fail "the pixel watch reported its armed colour $lit as a change"
out=$(app_inspector --wait 1 --watch-pixel 373 63)
[[ $? == 1 && $(wc -l <<<"$out") == 1 ]] || app_fail "an unchanging pixel was reported: $out"
measure_watch_pixel 373 63 pad set 0 pov 9000 || app_fail "the pixel watch missed the resting up arm"
[[ $MEASURE_ARMED == "$lit" && $MEASURE_SEEN != "$lit" ]] ||
  app_fail "lit arm $lit, then armed at $MEASURE_ARMED and seen $MEASURE_SEEN"
app_quit_button
app_expect_exit 0 20
app_pass "watches see starts, changes and pixels, and time out"
