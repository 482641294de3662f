#!/usr/bin/env bash
# Runs one Windows program under wine64. CTest uses this as the emulator for
# the Windows test programs; scripts/with-wine.sh sets up the display and the
# prefix around a whole test run.
set -euo pipefail
: "${WINEDEBUG:=-all}"
export WINEDEBUG
exec /usr/lib/wine/wine64 "$@"
