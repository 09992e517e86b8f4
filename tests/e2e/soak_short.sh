#!/usr/bin/env bash
# Short soak: 5,000 full refreshes (controller 0 flips between two states that light every
# patch, about one change per pass). Afterwards the program still follows the controller,
# has the same windows, ends with exit code 0 by "Beenden", and neither its private memory
# nor the Wine server's grew by more than 512 KiB after warm-up; a GDI object or heap block
# lost per refresh would exceed that several times over.
set -uo pipefail
source "$(dirname "$0")/lib/app.sh"
source "$(dirname "$0")/lib/measure.sh"

MEASURE_SOAK_EVERY=2 measure_soak_case "${VLMR_SOAK_CHANGES:-5000}" 512
app_pass "$SOAK_CHANGES changes in ${SOAK_SECONDS}s; program: $SOAK_PROGRAM; server: $SOAK_SERVER"
