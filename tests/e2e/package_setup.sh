#!/usr/bin/env bash
# The installer as a Windows user runs it, silently (/S), in a fresh prefix: the program,
# its picture and user text in %LOCALAPPDATA%\Programs\Vellomir, a Start-menu shortcut that
# starts it in that folder, the uninstall entry; the installed program started as its
# shortcut starts it works; the silent uninstaller leaves the files and the registry as they
# were before.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/package.sh"

# No Linux menu entries for the shortcut: they would land outside the prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d
KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellomir'

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

rm -f "$APP_SHOTS"/snapshot-*
snapshot before
app_wine_plain "$PACKAGE_SETUP" /S || app_fail "the installer ended with $?"

local_app=$(app_wine_plain cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')
menu=$(app_wine_plain cmd /c 'echo %APPDATA%' | tr -d '\r')'\Microsoft\Windows\Start Menu\Programs'
inst="$local_app\\Programs\\Vellomir"
dir=$(package_unix_path "$inst")
listed=$(cd "$dir" 2>/dev/null && find . ! -type d | LC_ALL=C sort | tr '\n' ' ')
[[ $listed == "./LIESMICH.txt ./gfx/vlmr.png ./uninstall.exe ./vellomir.exe " ]] ||
  app_fail "$inst holds: $listed"
for f in vellomir.exe gfx/vlmr.png LIESMICH.txt; do
  unzip -p "$PACKAGE_ZIP" "Vellomir/$f" | cmp -s - "$dir/$f" || app_fail "the installed $f is not the zip's"
done

[[ $(value DisplayName) == Vellomir && $(value DisplayVersion) == "$PACKAGE_VERSION" &&
  $(value Publisher) == Vellomir-Team && $(value DisplayIcon) == "$inst\\vellomir.exe,0" &&
  $(value UninstallString) == "\"$inst\\uninstall.exe\"" &&
  $(value QuietUninstallString) == "\"$inst\\uninstall.exe\" /S" ]] ||
  app_fail "the uninstall entry: $(app_wine_plain reg query "$KEY" 2>&1 | tr -d '\r')"

link=$(package_unix_path "$menu\\Vellomir.lnk")
[[ -f $link ]] || app_fail "no shortcut $menu\\Vellomir.lnk"
package_read_link "$link"
[[ $LINK_TARGET == "$inst\\vellomir.exe" ]] || app_fail "the shortcut starts '$LINK_TARGET'"
[[ $LINK_DIR == "$inst" ]] || app_fail "the shortcut's working directory is '$LINK_DIR'"

# The stand-in beside the installed program is this case's own, and goes before uninstalling.
app_use_program "$dir/vellomir.exe"
pad_setup 1
package_expect_working installed "$(package_unix_path "$LINK_DIR")"
rm -f "$dir/winmm.dll"

app_wine_plain "$dir/uninstall.exe" /S || app_fail "the uninstaller ended with $?"
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
app_pass "the installer: files, shortcut, uninstall entry, the installed program works, and the uninstaller leaves nothing"
