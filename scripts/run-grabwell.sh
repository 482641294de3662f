#!/usr/bin/env bash
# Starts the 64-bit GRBWEL.EXE under Wine and stays in the foreground until
# the program ends; Ctrl-C ends the program, Wine and any private display.
#   scripts/run-grabwell.sh BUILD_DIR          (make run: build/win64)
# On the current X display when there is one; otherwise on a private Xvfb
# display inside Wine's virtual desktop, whose number is printed.
# The Wine prefix is our own (GRABWELL_WINEPREFIX, by default
# build/wine/run-prefix), so the user's ~/.wine is never touched; GRBWEL.INI
# lives in its drive_c/windows.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build_dir=$(cd "$1" && pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
desktop_name=Grabwell
desktop_size=1024x768

say() { echo "run-grabwell: $*"; }

# The program and its hook library side by side, as a user installs them.
find_built() {
  find "$build_dir" -type f -iname "$1" -not -path '*/CMakeFiles/*' -not -path "$build_dir/run/*" -printf '%T@ %p\n' |
    sort -n | tail -n 1 | cut -d' ' -f2-
}
exe=$(find_built GRBWEL.EXE)
dll=$(find_built KVEXHK.DLL)
if [ -z "$exe" ] || [ -z "$dll" ]; then
  echo "run-grabwell: GRBWEL.EXE or KVEXHK.DLL not found under $build_dir; build the win64 preset first" >&2
  exit 1
fi
program_dir=$build_dir/run
mkdir -p "$program_dir"
cp -p "$exe" "$program_dir/GRBWEL.EXE"
cp -p "$dll" "$program_dir/KVEXHK.DLL"

export WINEPREFIX=${GRABWELL_WINEPREFIX:-$repo/build/wine/run-prefix}
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installers: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=""
program_pid=""
cleanup() {
  trap - EXIT INT TERM
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
  fi
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'say "interrupted, stopping Grabwell"; exit 130' INT TERM

wine_quiet() { "$wine" "$@" </dev/null >/dev/null 2>&1; }

start_private_display() {
  local fifo number
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  # Xvfb chooses a free display itself and writes its number to the fifo.
  setsid Xvfb -displayfd 3 -screen 0 ${desktop_size}x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 20 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "${number:-}" ]; then
    echo "run-grabwell: Xvfb did not start" >&2
    exit 1
  fi
  export DISPLAY=":$number"
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  use_virtual_desktop=no
  say "using the current X display $DISPLAY"
else
  start_private_display
  use_virtual_desktop=yes
  say "no X display available; using private Xvfb display $DISPLAY with Wine's virtual desktop $desktop_size"
  say "look at it with: DISPLAY=$DISPLAY import -window root grabwell.png"
fi

mkdir -p "$WINEPREFIX"
setsid "$wineserver" -p </dev/null >/dev/null 2>&1 || true
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  say "preparing the Wine prefix $WINEPREFIX (first run only)"
fi
# wineboot also brings the prefix up to date when Wine was upgraded.
setsid "$wine" wineboot -i </dev/null >/dev/null 2>&1 || true

if [ "$use_virtual_desktop" = yes ]; then
  # Programs of this prefix join the virtual desktop, so the program can be
  # started directly and waited for.
  wine_quiet reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d "$desktop_name" /f
  wine_quiet reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$desktop_name" /d "$desktop_size" /f
  setsid "$wine" explorer "/desktop=$desktop_name,$desktop_size" </dev/null >/dev/null 2>&1 &
else
  wine_quiet reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f || true
fi

say "starting $program_dir/GRBWEL.EXE (Ctrl-C ends it)"
# In a session of its own, so that Ctrl-C reaches only this script, which
# then stops the program, Wine and the display in order.
cd "$program_dir"
setsid "$wine" "$program_dir/GRBWEL.EXE" </dev/null &
program_pid=$!
status=0
wait "$program_pid" || status=$?
program_pid=""
say "Grabwell ended (exit code $status)"
exit "$status"
