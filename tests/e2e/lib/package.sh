# Shared steps of the release cases (tests/e2e/package_*.sh): source after lib/app.sh.
# The packages are the ones scripts/package left in VLMR_DIST (default dist/).
#
#   PACKAGE_ZIP, PACKAGE_SETUP, PACKAGE_VERSION
#                                 the zip, the installer and the version in their names
#   package_expect_exe EXE        its version record says PACKAGE_VERSION, its manifest asks
#                                 for asInvoker, names Windows 7 and 10/11 and says nothing
#                                 about DPI or common controls, and every DLL it imports is
#                                 one of the system's own
#   package_expect_working NAME DIR
#                                 APP_EXE started in DIR (controller 0 from pad_setup 1):
#                                 no message box, the resting picture, a pressed button lit
#                                 in the picture and shown in the readout with the hat and an
#                                 axis, a screenshot NAME; it is left running
#   package_read_link FILE        LINK_TARGET and LINK_DIR: the target (its local path) and
#                                 the working directory of a shell link (.lnk)
#   package_unix_path WINPATH     the Unix path of a path in the prefix
#   package_processes PATTERN     the Unix ids of this prefix's Wine processes whose command
#                                 line matches PATTERN (a pgrep pattern)
#   package_wait_gone PATTERN [SECS]
#                                 wait until none of them is left (default 20 s); fail otherwise

PACKAGE_DIST=${VLMR_DIST:-$VLMR_ROOT/dist}
PACKAGE_ZIP=$(compgen -G "$PACKAGE_DIST/vellomir-*-win64.zip" | head -n 1)
[[ -n $PACKAGE_ZIP ]] || vlmr_die "no vellomir-*-win64.zip in $PACKAGE_DIST (run scripts/package)"
PACKAGE_VERSION=${PACKAGE_ZIP##*/vellomir-}
PACKAGE_VERSION=${PACKAGE_VERSION%-win64.zip}
PACKAGE_SETUP=$PACKAGE_DIST/vellomir-$PACKAGE_VERSION-setup.exe
[[ -f $PACKAGE_SETUP ]] || vlmr_die "no $PACKAGE_SETUP beside $PACKAGE_ZIP (run scripts/package)"

package_expect_exe() {
  local exe=$1 rc manifest dll
  rc=$(x86_64-w64-mingw32-windres -i "$exe" -O rc) || app_fail "cannot read the resources of $exe"
  grep -qF "VALUE \"ProductVersion\", \"$PACKAGE_VERSION\"" <<<"$rc" &&
    grep -qF "VALUE \"FileVersion\", \"$PACKAGE_VERSION\"" <<<"$rc" ||
    app_fail "the version record of $exe does not say $PACKAGE_VERSION"
  manifest=$(awk '/^1 24 /, /^END/' <<<"$rc")
  grep -q 'requestedExecutionLevel level=""asInvoker""' <<<"$manifest" ||
    app_fail "no manifest asking for asInvoker in $exe"
  grep -q '35138b9a-5d96-4fbd-8e2d-a2440225f93a' <<<"$manifest" &&
    grep -q '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a' <<<"$manifest" ||
    app_fail "the manifest does not name Windows 7 and Windows 10/11"
  ! grep -qiE 'dpiAware|Common-Controls' <<<"$manifest" ||
    app_fail "the manifest declares DPI awareness or new common controls"
  for dll in $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p'); do
    [[ -n $(find "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 -iname "$dll") ]] ||
      app_fail "$exe imports $dll, which is not a system DLL"
  done
}

package_expect_working() {
  local name=$1 dir=$2 S=$APP_SHOTS deadline=$((SECONDS + 20))
  app_sheet_rest "$S/expect-rest.png"
  app_sheet_lit "$S/expect-button1.png" 230,40,20,20
  app_launch "$dir"
  # The message box would come before the gadgets; until they are all placed, look for it.
  while app_dump && [[ $(app_control 37 count) != 4 ]]; do
    app_inspector --title Error --exists >/dev/null 2>&1 && app_fail "a message box titled Error opened"
    ((SECONDS < deadline)) || app_fail "the window's gadgets were not all placed within 20 s"
    sleep 0.2
  done
  app_wait_texts 10 33 "POV : 65535"
  app_wait_picture "$S/$name-rest.png" "$S/expect-rest.png"
  pad press 0 1 set 0 x 65535 pov 9000
  app_wait_texts 10 12 "Button 1: 1" 1 100 33 "POV : 9000"
  pad set 0 x 32767 pov 65535
  app_wait_texts 10 1 0 33 "POV : 65535"
  app_wait_picture "$S/$name-button1.png" "$S/expect-button1.png"
  app_shot "$name"
}

# Bytes COUNT at OFFSET of a file as one little-endian number.
package_number() {
  local n=0 i
  local -a bytes
  read -r -a bytes < <(od -An -v -tu1 -j "$2" -N "$3" "$1" | tr '\n' ' ')
  for ((i = ${#bytes[@]} - 1; i >= 0; i--)); do n=$((n * 256 + bytes[i])); done
  echo "$n"
}

package_read_link() {
  local file=$1 flags pos info size base bit n unit=1 encoding=CP1252 text
  flags=$(package_number "$file" 20 4)
  pos=76
  ((flags & 0x1)) && pos=$((pos + 2 + $(package_number "$file" "$pos" 2)))
  LINK_TARGET= LINK_DIR=
  if ((flags & 0x2)); then
    info=$pos
    size=$(package_number "$file" "$info" 4)
    base=$((info + $(package_number "$file" $((info + 16)) 4)))
    LINK_TARGET=$(tail -c +$((base + 1)) "$file" | head -c "$((size - (base - info)))" | tr '\0' '\n' |
      head -n 1 | iconv -f CP1252 -t UTF-8)
    pos=$((info + size))
  fi
  ((flags & 0x80)) && unit=2 encoding=UTF-16LE
  # The strings that follow, in this order: name, relative path, working directory,
  # arguments, icon location; each a count of characters, then the characters.
  for bit in 0x4 0x8 0x10 0x20 0x40; do
    ((flags & bit)) || continue
    n=$(package_number "$file" "$pos" 2)
    text=$(tail -c +$((pos + 3)) "$file" | head -c $((n * unit)) | iconv -f "$encoding" -t UTF-8 | tr -d '\0')
    ((bit == 0x10)) && LINK_DIR=$text
    pos=$((pos + 2 + n * unit))
  done
}

package_unix_path() {
  app_wine_plain winepath -u "$1" 2>/dev/null | tr -d '\r'
}

package_processes() {
  local pid
  for pid in $(pgrep -f -- "$1"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}

package_wait_gone() {
  local deadline=$((SECONDS + ${2:-20}))
  while [[ -n $(package_processes "$1") ]]; do
    ((SECONDS < deadline)) || app_fail "a process matching '$1' still runs ${2:-20} s later"
    sleep 0.2
  done
}
