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
#   pad_profile I NAME [ROOT]
#                        identifier I becomes a pad as NAME reports itself through winmm
#                        (PAD_PROFILES: xbox360, ds4, dualsense, switchpro): capabilities,
#                        buttons, vendor and product, resting axes, and its product name
#                        queued for the registry under ROOT (HKCU, the default, or HKLM)
#   pad_name I KEY NAME [ROOT]
#                        queue the registry values that name the pad at identifier I: its
#                        settings value points at the OEM key KEY, whose OEMName is NAME
#   pad_reg LINE...      queue lines of a .reg file as they are (odd values, other types)
#   pad_registry         write what is queued into the prefix (one reg import); the
#                        program reads names when it finds a controller
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

# Per profile: padctl settings, the OEM key and the product name (facts gathered in the
# project's notes on real pads: capabilities and trigger axes partly inferred). Triggers of
# the PlayStation pads rest at their minimum on U and V; the Xbox pad's share Z at rest in
# the centre; the Switch Pro's right stick is on U and R, its triggers are buttons.
declare -A PAD_PROFILES=(
  [xbox360]="caps 0x57 nbuttons 10 mid 0x045E pid 0x028E|VID_045E&PID_028E|Controller (XBOX 360 For Windows)"
  [ds4]="caps 0x5F nbuttons 14 mid 0x054C pid 0x05C4 u 0 v 0|VID_054C&PID_05C4|Wireless Controller"
  [dualsense]="caps 0x5F nbuttons 15 mid 0x054C pid 0x0CE6 u 0 v 0|VID_054C&PID_0CE6|Wireless Controller"
  [switchpro]="caps 0x56 nbuttons 14 mid 0x057E pid 0x2009|VID_057E&PID_2009|Pro Controller"
)
PAD_REG=()

pad_reg() {
  PAD_REG+=("$@")
}

pad_name() {
  local id=$1 key=$2 name=$3 root=HKEY_CURRENT_USER
  [[ ${4:-HKCU} == HKLM ]] && root=HKEY_LOCAL_MACHINE
  pad_reg "[$root\\System\\CurrentControlSet\\Control\\MediaResources\\Joystick\\DINPUT.DLL\\CurrentJoystickSettings]" \
    "\"Joystick$((id + 1))OEMName\"=\"$key\"" \
    "[$root\\System\\CurrentControlSet\\Control\\MediaProperties\\PrivateProperties\\Joystick\\OEM\\$key]" \
    "\"OEMName\"=\"$name\""
}

pad_profile() {
  local id=$1 profile=${PAD_PROFILES[$2]:-} settings key name
  [[ -n $profile ]] || vlmr_die "pad_profile: no profile $2"
  IFS='|' read -r settings key name <<<"$profile"
  # shellcheck disable=SC2086
  pad fill "$id" set "$id" $settings
  pad_name "$id" "$key" "$name" "${3:-HKCU}"
}

pad_registry() {
  local file=$APP_RUN/pads.reg
  { printf 'Windows Registry Editor Version 5.00\r\n\r\n'; printf '%s\r\n' "${PAD_REG[@]}"; } |
    iconv -f UTF-8 -t UTF-16 >"$file"
  app_wine_plain reg import "$(vlmr_winpath "$file")" >/dev/null 2>&1 || app_fail "could not write the pads' names"
  PAD_REG=()
}
