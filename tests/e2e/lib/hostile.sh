# Hostile peer steps for the end-to-end cases and scripts/soak: source after lib/app.sh.
# tools/hostile posts to the program's windows what any other program on the desktop can.
#
#   hostile_post MESSAGE WPARAM LPARAM   post one message (decimal numbers) to the window
#   hostile_storm SEED COUNT             post COUNT foreign messages drawn with SEED, in
#                                        batches the program takes before the next (it takes
#                                        one per pass); fails the case when it died, hangs or
#                                        did not keep up. HOSTILE_SUMMARY: the tool's line
#   hostile_shape                        the window's client size and every control's id,
#                                        class, place, size and state, one line each
#   hostile_expect_shape SHAPE           fail unless the window still has that shape
#   hostile_round SEED COUNT SHAPE       hostile_storm followed by checks (below)
#   hostile_activations_start SECONDS    claim activations and deactivations, sent and posted
#                                        to the window and its controls, for SECONDS in the
#                                        background (ended with the case)

HOSTILE=${VLMR_HOSTILE:-$VLMR_WIN_BUILD/tools/hostile/hostile.exe}
[[ -f $HOSTILE ]] || vlmr_die "no hostile peer at $HOSTILE (build the hostile target)"

hostile_post() {
  app_wine_plain "$HOSTILE" --post "$1" "$2" "$3" || app_fail "could not post message $1"
}

hostile_activations_start() {
  WINEDLLOVERRIDES=${WINEDLLOVERRIDES//winmm=n/} wine "$HOSTILE" --activations "$1" </dev/null \
    >>"$APP_SHOTS/hostile.out" 2>&1 &
  APP_OTHER_PIDS+=("$!")
}

hostile_storm() {
  local seed=$1 count=$2 log=$APP_SHOTS/hostile-$1.log
  HOSTILE_SUMMARY=$(WINEDLLOVERRIDES=${WINEDLLOVERRIDES//winmm=n/} timeout --kill-after=5 $((count / 50 + 60)) \
    wine "$HOSTILE" --seed "$seed" --count "$count" --log "$(vlmr_winpath "$log")" </dev/null 2>>"$APP_SHOTS/hostile.err")
  local rc=$?
  vlmr_log "${HOSTILE_SUMMARY:-hostile peer gave no summary}"
  ((rc == 0)) || app_fail "after the messages of seed $seed the program died or hangs (posted: $log)"
}

hostile_shape() {
  app_dump
  awk -F'\t' '
    function field(k,   i) { for (i = 2; i <= NF; i++) if (index($i, k "=") == 1) return $i; return "" }
    $1 == "window" { print field("client_w"), field("client_h"), field("style") }
    $1 == "control" { print field("id"), field("class"), field("x"), field("y"), field("w"), field("h"),
                            field("visible"), field("enabled") }' "$APP_DUMP"
}

hostile_expect_shape() {
  local now
  now=$(hostile_shape)
  [[ $now == "$1" ]] || app_fail "the window changed shape: $(diff <(echo "$1") <(echo "$now") | tr '\n' ' ')"
}

# hostile_round SEED COUNT SHAPE: hostile_storm, then the window must still have SHAPE and
# the readout follow the controller to its ends and back to rest. Needs lib/fault.sh and
# one controller (pad_setup 1). HOSTILE_POSTED and HOSTILE_REFUSED: the tool's counts.
hostile_round() {
  hostile_storm "$1" "$2"
  read -r HOSTILE_POSTED HOSTILE_REFUSED < <(sed -E 's/^seed [0-9]+: ([0-9]+) posted, ([0-9]+) refused.*/\1 \2/' <<<"$HOSTILE_SUMMARY")
  hostile_expect_shape "$3"
  fault_expect_following
  pad centre 0
  fault_expect_layout
}
