#!/usr/bin/env bash
# Installs what the builds and every test tier need, on Debian 12, as root.
# Idempotent: does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools nasm dpkg-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev libjpeg62-turbo-dev libgif-dev giflib-tools
  wine64 xvfb xserver-xephyr xdotool xclip x11-utils imagemagick
  python3 python3-pytest python3-pil python3-aiosmtpd mpack sharutils media-types libjpeg-turbo-progs
  zip cups-daemon cups-client printer-driver-cups-pdf poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# libjpeg (6b interface) for the two Windows builds.
here=$(cd "$(dirname "$0")" && pwd)
"$here/build-libjpeg-win.sh" x86_64
"$here/build-libjpeg-win.sh" i686
