#!/usr/bin/env bash
# Runs the font test at another screen DPI, in a Wine prefix copy of its own, so that no
# other test sees the changed resolution: toolkit_fonts_dpi.sh DPI toolkit_font_tests.exe
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../wine_only.sh" "the screen DPI set in a Wine prefix"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib"
dpi=$1
exe=$2
unset VLMR_SESSION WINEPREFIX VLMR_WINEPREFIX
vlmr_session_start
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
vlmr_wineserver_stop
VLMR_EXPECT_DPI=$dpi vlmr_wine_run "${VLMR_WINE_TIMEOUT:-300}" "$exe"
