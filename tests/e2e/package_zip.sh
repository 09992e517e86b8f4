#!/usr/bin/env bash
# The zip as a Windows user gets it: exactly Vellomir/ with the program, the picture and the
# user text; the exe's manifest, version record and imports; unpacked into a folder whose
# path has spaces and letters outside the ANSI code page, and started from another working
# directory, the program finds its picture, follows the controller and ends with 0.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/package.sh"

listed=$(unzip -Z1 "$PACKAGE_ZIP" | LC_ALL=C sort)
expected=$'Vellomir/LIESMICH.txt\nVellomir/gfx/vlmr.png\nVellomir/vellomir.exe'
[[ $listed == "$expected" ]] || app_fail "the zip holds: $(echo $listed)"

parent=$WINEPREFIX/drive_c/Programme/"Prüf Werkzeug Ω"
mkdir -p "$parent"
unzip -q "$PACKAGE_ZIP" -d "$parent" || app_fail "could not unpack $PACKAGE_ZIP"
cmp -s "$parent/Vellomir/gfx/vlmr.png" "$APP_SHEET" || app_fail "the zip's picture is not gfx/vlmr.png"
package_expect_exe "$parent/Vellomir/vellomir.exe"

elsewhere=$(mktemp -d)
vlmr_on_exit "rm -rf '$elsewhere'"
app_use_program "$parent/Vellomir/vellomir.exe"
pad_setup 1
package_expect_working unpacked "$elsewhere"
app_quit_button
app_expect_exit 0 20
app_pass "the zip: its files, and the unpacked program started from elsewhere finds its picture and works"
