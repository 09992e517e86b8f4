#!/usr/bin/env bash
# padctl and the virtual controller together: script two controllers from the shell, then
# let the Win32 test read them back through the production winmm binding.
#   controller_padctl.sh REPO_ROOT TEST_EXE STATE_FILE
set -euo pipefail
root=$1 exe=$2 state=$3
source "$root/tests/wine_only.sh" "the stand-in winmm chosen through WINEDLLOVERRIDES"
padctl=$root/tools/padctl/padctl

rm -f "$state"
"$padctl" "$state" count 2 set 0 x 65535 pov 27000 press 0 4 unplug 1
export WINEDLLOVERRIDES=winmm=n VLMR_PAD_STATE=$state
exec "$root/scripts/wine-run" "$exe" --gtest_filter=Padctl.*
