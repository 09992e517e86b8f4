#!/usr/bin/env bash
# Every function a program imports from winmm must be exported by the virtual controller DLL,
# or Wine refuses to start the program with the stand-in in place.
#   controller_imports.sh OBJDUMP PROGRAM.exe VIRTUAL_WINMM.dll
set -euo pipefail
objdump=$1 exe=$2 dll=$3

imports=$("$objdump" -p "$exe" | awk '
  /DLL Name:/ { inside = (tolower($3) == "winmm.dll"); next }
  inside && NF == 0 { inside = 0 }
  inside && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print $3 }' | sort -u)
exports=$("$objdump" -p "$dll" | awk '
  /\[Ordinal\/Name Pointer\] Table/ { inside = 1; next }
  inside && NF == 0 { inside = 0 }
  inside { print $NF }' | sort -u)

[[ -n $imports ]] || { echo "$exe imports nothing from winmm"; exit 1; }
missing=$(comm -23 <(printf '%s\n' "$imports") <(printf '%s\n' "$exports"))
echo "imports from winmm: $(echo $imports)"
if [[ -n $missing ]]; then
  echo "missing in $dll: $(echo $missing)"
  exit 1
fi
