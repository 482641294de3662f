#!/usr/bin/env bash
# Runs a command with a private Xvfb display and a Wine prefix of its own,
# and tears both down afterwards, also when the command fails. The screen is
# XVFB_SCREEN (width x height x depth), 1024x768x24 unless set.
#   scripts/with-wine.sh PREFIX_DIR COMMAND...
set -euo pipefail
prefix=$1
shift

export WINEPREFIX=$prefix
export WINEDEBUG=-all
# No Mono or Gecko installers: our programs need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

xvfb_pid=""
cleanup() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# A free display number: the first one without a lock file.
display=99
while [ -e /tmp/.X${display}-lock ] || [ -e /tmp/.X11-unix/X${display} ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done

mkdir -p "$WINEPREFIX"
# Keep one wineserver for the whole run instead of one per program, and start
# Wine's background services now, detached from our output: a service started
# by the first test program would inherit its output pipe and keep CTest
# waiting for it to close.
/usr/lib/wine/wineserver -p 2>/dev/null || true
/usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true

"$@"
