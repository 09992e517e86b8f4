#!/usr/bin/env bash
# The installer as a Windows user runs it, silently (/S), in a fresh prefix: installed over an
# older version, it replaces every file and keeps one uninstall entry; the program, its
# picture and user text in %LOCALAPPDATA%\Programs\Vellomir, a Start-menu shortcut that
# starts it in that folder; the installed program started as its shortcut starts it works.
# While it runs, installer and uninstaller (in place and from its copy, silent, and asking the
# user, who cancels) end with 2 and change nothing, and the program follows the pad on. A
# file another program holds: the uninstaller keeps its entry, both end with 3. At last the
# silent uninstaller leaves the files and the registry as they were before.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/package.sh"

# No Linux menu entries for the shortcut: they would land outside the prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d
UNINSTALL='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall'
KEY="$UNINSTALL\\Vellomir"
OLD_VERSION=0.9

# Files of the prefix's drive and the user's and the machine's software keys. Left out: the
# user's temporary folder, where an uninstaller runs from a copy of itself that cannot delete
# itself and is the system's to clean up, and Wine's own settings, which it keeps as it runs.
snapshot() {
  local out=$APP_SHOTS/snapshot-$1 hive
  (cd "$WINEPREFIX/drive_c" && find . -path './users/*/Temp' -prune -o -print | LC_ALL=C sort) >"$out.files"
  for hive in HKCU 'HKLM\Software'; do
    app_wine_plain reg export "$hive" "$(vlmr_winpath "$out.reg")" /y >/dev/null 2>&1 ||
      app_fail "could not export $hive"
    iconv -f UTF-16LE -t UTF-8 "$out.reg" | tr -d '\r' |
      awk '/^\[/ { wine = index($0, "\\Software\\Wine\\") || index($0, "\\Software\\Wine]") } !wine' >>"$out.txt"
  done
  rm -f "$out.reg"
}

value() {
  app_wine_plain reg query "$KEY" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

# What the install is: every file with its size, time, inode and contents, the shortcut, and
# the uninstall entry. A file written again, even with the same bytes, changes its time.
install_state() {
  (cd "$dir" && find . -type f -printf '%p %s %T@ %i ' -exec sha256sum {} \; | LC_ALL=C sort)
  sha256sum <"$link"
  app_wine_plain reg query "$KEY" | tr -d '\r'
}

# expect_code CODE WHAT COMMAND...: COMMAND under Wine ends with CODE.
expect_code() {
  local code=$1 what=$2 rc
  shift 2
  app_wine_plain "$@"
  rc=$?
  [[ $rc == "$code" ]] || app_fail "$what ended with $rc, not $code"
}

rm -f "$APP_SHOTS"/snapshot-*
snapshot before

local_app=$(app_wine_plain cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')
menu=$(app_wine_plain cmd /c 'echo %APPDATA%' | tr -d '\r')'\Microsoft\Windows\Start Menu\Programs'
inst="$local_app\\Programs\\Vellomir"
dir=$(package_unix_path "$inst")
link=$(package_unix_path "$menu\\Vellomir.lnk")

# An older version, its every file a line longer than this release's.
old=$APP_RUN/old
mkdir -p "$old/Vellomir/gfx"
for f in vellomir.exe gfx/vlmr.png LIESMICH.txt; do
  { unzip -p "$PACKAGE_ZIP" "Vellomir/$f" && echo "Vellomir $OLD_VERSION"; } >"$old/Vellomir/$f"
done
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$OLD_VERSION" -DSTAGE="$old/Vellomir" \
  -DICON="$VLMR_ROOT/app/vellomir.ico" -DOUTFILE="$old/setup.exe" "$VLMR_ROOT/tools/package/vellomir.nsi" \
  >"$APP_SHOTS/makensis.log" 2>&1 || app_fail "makensis failed (see $APP_SHOTS/makensis.log)"
expect_code 0 "the older installer" "$old/setup.exe" /S
[[ $(value DisplayVersion) == "$OLD_VERSION" ]] || app_fail "the older version is not installed"
old_uninstaller=$(sha256sum <"$dir/uninstall.exe")

expect_code 0 "the installer" "$PACKAGE_SETUP" /S
listed=$(cd "$dir" 2>/dev/null && find . ! -type d | LC_ALL=C sort | tr '\n' ' ')
[[ $listed == "./LIESMICH.txt ./gfx/vlmr.png ./uninstall.exe ./vellomir.exe " ]] ||
  app_fail "$inst holds: $listed"
for f in vellomir.exe gfx/vlmr.png LIESMICH.txt; do
  unzip -p "$PACKAGE_ZIP" "Vellomir/$f" | cmp -s - "$dir/$f" || app_fail "the installed $f is not the zip's"
done
[[ $(sha256sum <"$dir/uninstall.exe") != "$old_uninstaller" ]] || app_fail "the older uninstall.exe stayed"

entries=$(app_wine_plain reg query "$UNINSTALL" | tr -d '\r' | grep -F "${UNINSTALL/HKCU/HKEY_CURRENT_USER}\\")
[[ $entries == "${KEY/HKCU/HKEY_CURRENT_USER}" ]] || app_fail "the uninstall entries: $entries"
[[ $(value DisplayName) == Vellomir && $(value DisplayVersion) == "$PACKAGE_VERSION" &&
  $(value Publisher) == Vellomir-Team && $(value DisplayIcon) == "$inst\\vellomir.exe,0" &&
  $(value UninstallString) == "\"$inst\\uninstall.exe\"" &&
  $(value QuietUninstallString) == "\"$inst\\uninstall.exe\" /S" ]] ||
  app_fail "the uninstall entry: $(app_wine_plain reg query "$KEY" 2>&1 | tr -d '\r')"

[[ -f $link ]] || app_fail "no shortcut $menu\\Vellomir.lnk"
package_read_link "$link"
[[ $LINK_TARGET == "$inst\\vellomir.exe" ]] || app_fail "the shortcut starts '$LINK_TARGET'"
[[ $LINK_DIR == "$inst" ]] || app_fail "the shortcut's working directory is '$LINK_DIR'"

# The stand-in beside the installed program is this case's own, and goes before uninstalling.
app_use_program "$dir/vellomir.exe"
pad_setup 1
package_expect_working installed "$(package_unix_path "$LINK_DIR")"

state=$(install_state)
expect_code 2 "the installer while the program runs" "$PACKAGE_SETUP" /S
[[ $(install_state) == "$state" ]] || app_fail "the installer changed the install while the program runs"
expect_code 2 "the uninstaller in place while the program runs" "$dir/uninstall.exe" /S "_?=$inst"
[[ $(install_state) == "$state" ]] || app_fail "the uninstaller in place changed the install while the program runs"
expect_code 0 "the uninstaller's first step" "$dir/uninstall.exe" /S
package_wait_gone '~nsu[^ ]*\.tmp'
[[ $(install_state) == "$state" ]] || app_fail "the uninstaller's copy changed the install while the program runs"
# Asked, the user cancels; the question comes from the copy the uninstaller runs as.
app_wine_plain "$dir/uninstall.exe" >/dev/null 2>&1 ||
  app_fail "the uninstaller's first step ended with $?"
app_inspector --title "Deinstallation von Vellomir $PACKAGE_VERSION" --wait 20 --dump --click 2 >"$APP_DIALOG" ||
  app_fail "the uninstaller asked nothing while the program runs"
grep -qF 'text=Vellomir läuft noch. Bitte beenden Sie Vellomir und wählen Sie Wiederholen.' "$APP_DIALOG" ||
  app_fail "the uninstaller's question: $(cat "$APP_DIALOG")"
package_wait_gone '~nsu[^ ]*\.tmp'
[[ $(install_state) == "$state" ]] || app_fail "the uninstaller changed the install after Cancel"
pad press 0 2 set 0 y 0
app_wait_texts 10 13 "Button 2: 2" 3 -100
app_quit_button
app_expect_exit 0 20
rm -f "$dir/winmm.dll"

# cmd keeps a file it feeds a command open for reading only, as long as the command runs
# (here up to a minute, unless ended sooner).
WINEDLLOVERRIDES=${WINEDLLOVERRIDES//winmm=n/} timeout 90 wine cmd /c "ping -n 60 127.0.0.1 >nul <$inst\\LIESMICH.txt" \
  </dev/null >/dev/null 2>&1 &
holder=$!
vlmr_on_exit "kill $holder 2>/dev/null"
deadline=$((SECONDS + 20))
until [[ -n $(package_processes '^ping -n 60') ]]; do
  ((SECONDS < deadline)) || app_fail "nothing holds LIESMICH.txt"
  sleep 0.2
done
entry=$(app_wine_plain reg query "$KEY" | tr -d '\r')
expect_code 3 "the uninstaller with a file held" "$dir/uninstall.exe" /S "_?=$inst"
[[ -f $dir/uninstall.exe && -f $dir/LIESMICH.txt && -f $link ]] ||
  app_fail "the uninstaller went on past the file it could not remove"
[[ $(app_wine_plain reg query "$KEY" | tr -d '\r') == "$entry" ]] || app_fail "the uninstall entry went with a file left"
expect_code 3 "the installer with a file held" "$PACKAGE_SETUP" /S
kill $(package_processes '^ping -n 60') 2>/dev/null
wait "$holder"

expect_code 0 "the uninstaller" "$dir/uninstall.exe" /S
# It goes on in its copy after the first process has ended.
deadline=$((SECONDS + 20))
while [[ -e $dir || -e $link ]] || app_wine_plain reg query "$KEY" >/dev/null 2>&1; do
  ((SECONDS < deadline)) || app_fail "the uninstaller did not remove the program within 20 s"
  sleep 0.2
done
sleep 1
snapshot after
diff "$APP_SHOTS/snapshot-before.files" "$APP_SHOTS/snapshot-after.files" >&2 ||
  app_fail "files differ after uninstalling"
diff "$APP_SHOTS/snapshot-before.txt" "$APP_SHOTS/snapshot-after.txt" >&2 ||
  app_fail "the registry differs after uninstalling"
app_pass "the installer: over an older version, files, shortcut, one uninstall entry, the installed program works; installer and uninstaller refuse while it runs and keep the entry when a file is held; the uninstaller leaves nothing"
