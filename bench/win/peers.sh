#!/usr/bin/env bash
# The Windows-side benchmark of the capture road under Wine, on private
# Xvfb screens of 1024x768, 1920x1080 and 3840x2160 (built by the win64
# preset; make bench builds it).
#   bench/win/peers.sh NATIVE_BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
program=$root/build/win64/bench/win/bench_win_capture.exe
[ -x "$program" ] || { echo "bench/win: $program is missing; build the win64 preset" >&2; exit 1; }
for size in 1024x768 1920x1080 3840x2160; do
  XVFB_SCREEN=${size}x24 bash "$root/scripts/with-wine.sh" "$root/build/wine/bench-prefix" \
    /usr/lib/wine/wine64 "$program"
done
