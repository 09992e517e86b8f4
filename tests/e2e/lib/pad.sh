# Virtual controllers for end-to-end tests: source this after scripts/lib. It puts the
# stand-in winmm.dll beside the program the case starts (APP_EXE, in a folder of the case's
# own), makes Wine load it, and scripts its controllers through a state file with tools/padctl.
#
#   pad_setup [COUNT]    state file with COUNT controllers (default 0), exported as
#                        VLMR_PAD_STATE, and winmm=n added to WINEDLLOVERRIDES; call it
#                        before starting the program (it enumerates once, at start)
#   pad COMMAND...       padctl on that file, e.g. pad set 0 x 65535 pov 9000,
#                        pad press 0 3, pad release 0 3, pad unplug 1, pad centre 0
#   pad_settle           wait until a running program has seen the last change (polls every
#                        10 ms; this waits 200 ms)
#   pad_device_change [nodes|arrival|removal]
#                        tell the running program that devices came or went, as the system
#                        does (WM_DEVICECHANGE; default nodes); controllers added with
#                        pad count N are listed after it
#
# Uses APP_EXE (lib/app.sh) and VLMR_WIN_BUILD (the Windows build folder).
# Unset values read as a resting controller: axes 0..65535 at 32767, hat centred (65535),
# no button down.

pad_setup() {
  local count=${1:-0} dll=$VLMR_WIN_BUILD/tools/vwinmm/winmm.dll dir
  [[ -f $dll ]] || vlmr_die "no virtual controller DLL at $dll (build the vwinmm target)"
  dir=$(dirname "$APP_EXE")
  cmp -s "$dll" "$dir/winmm.dll" || cp "$dll" "$dir/winmm.dll"
  # A folder of its own: the stand-in winmm watches the file's folder for changes.
  dir=$(mktemp -d "${TMPDIR:-/tmp}/vlmr-pads.XXXXXX")
  VLMR_PAD_STATE=$dir/pads
  : >"$VLMR_PAD_STATE"
  export VLMR_PAD_STATE
  vlmr_on_exit "rm -rf '$dir'"
  WINEDLLOVERRIDES=${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winmm=n
  export WINEDLLOVERRIDES
  pad count "$count"
}

pad() {
  "$VLMR_ROOT/tools/padctl/padctl" "$VLMR_PAD_STATE" "$@" >/dev/null
}

pad_settle() {
  sleep 0.2
}

pad_device_change() {
  local event
  case ${1:-nodes} in
    nodes) event=7 ;;
    arrival) event=32768 ;;
    removal) event=32772 ;;
    *) vlmr_die "pad_device_change: no such change: $1" ;;
  esac
  app_inspector --device-change "$event" >/dev/null || app_fail "the device change did not reach the program"
}
