#!/usr/bin/env bash
# padctl and the virtual controller together: script controllers from the shell, then let
# the Win32 test read them back through the production winmm binding. First, padctl must
# refuse a state file whose numbers are anything but decimal, and never evaluate them.
#   controller_padctl.sh REPO_ROOT TEST_EXE STATE_FILE
set -euo pipefail
root=$1 exe=$2 state=$3
source "$root/tests/wine_only.sh" "the stand-in winmm chosen through WINEDLLOVERRIDES"
padctl=$root/tools/padctl/padctl

marker=$state.ran
rm -f "$marker"
for crafted in "count 1+1" "count 1\npad 0 buttons args[\$(:>$marker)]" "numdevs args[\$(:>$marker)]" \
  "count 1\npad 0 \$(:>$marker) 1" "count 1\npad 0 buttons 0x10"; do
  printf "$crafted\n" >"$state"
  if "$padctl" "$state" press 0 1 2>/dev/null; then
    echo "padctl accepted the state file: $crafted"
    exit 1
  fi
  [[ ! -e $marker ]] || { echo "padctl ran a command from the state file: $crafted"; exit 1; }
done

rm -f "$state"
"$padctl" "$state" count 2 set 0 x 65535 pov 27000 press 0 4 unplug 1 set 1 y 010 numdevs 0x3 anyid 1
[[ $(grep '^pad 1' "$state") == "pad 1 y 10 unplugged 1" ]] || { echo "decimal 010 is not 10:"; cat "$state"; exit 1; }
export WINEDLLOVERRIDES=winmm=n VLMR_PAD_STATE=$state
exec "$root/scripts/wine-run" "$exe" --gtest_filter=Padctl.*
