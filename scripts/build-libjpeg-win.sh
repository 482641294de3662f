#!/usr/bin/env bash
# Builds libjpeg-turbo's static library with the 6b-compatible interface
# (JPEG_LIB_VERSION 62) and its SIMD code for one Windows architecture, from
# Debian's source package, into a cache folder outside the source tree.
#   scripts/build-libjpeg-win.sh x86_64|i686
# Skips all work when the cache already holds a build of the same source
# version made by this same script.
set -euo pipefail
arch=$1
case "$arch" in
  x86_64) processor=AMD64 ;;
  i686) processor=x86 ;;
  *) echo "usage: $0 x86_64|i686" >&2; exit 2 ;;
esac

cache=${GRABWELL_CACHE:-$HOME/.cache/grabwell}
prefix=$cache/libjpeg-$arch
srcroot=$cache/src
script_sum=$(sha256sum "$0" | cut -c1-16)
version=$(dpkg-query -W -f='${Version}' libjpeg62-turbo-dev 2>/dev/null || echo unknown)
stamp="$version $script_sum"

if [ -f "$prefix/.stamp" ] && [ "$(cat "$prefix/.stamp")" = "$stamp" ] && [ -f "$prefix/lib/libjpeg.a" ]; then
  exit 0
fi

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

# Source packages need deb-src entries: add a copy of the machine's own
# entries with the source type, once.
enable_deb_src() {
  local out=/etc/apt/sources.list.d/grabwell-deb-src.sources
  [ -f "$out" ] && return 0
  local tmp
  tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    [ "$f" = "$out" ] && continue
    grep -q '^Types:.*deb-src' "$f" && continue
    sed -e 's/^Types:.*/Types: deb-src/' "$f" >>"$tmp"
    echo >>"$tmp"
  done
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed -e 's/^deb /deb-src /' >"$tmp.list" || true
    [ -s "$tmp.list" ] && "${as_root[@]}" cp "$tmp.list" /etc/apt/sources.list.d/grabwell-deb-src.list
    rm -f "$tmp.list"
  fi
  "${as_root[@]}" cp "$tmp" "$out"
  rm -f "$tmp"
  "${as_root[@]}" apt-get update -q
}

mkdir -p "$srcroot"
src=$(find "$srcroot" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | sort | tail -1)
if [ -z "$src" ] || [ "$(cat "$srcroot/.version" 2>/dev/null)" != "$version" ]; then
  enable_deb_src
  rm -rf "${srcroot:?}"/*
  (cd "$srcroot" && apt-get source -q libjpeg-turbo >/dev/null)
  echo "$version" >"$srcroot/.version"
  src=$(find "$srcroot" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | sort | tail -1)
fi

echo "libjpeg: building $(basename "$src") for $arch"
build=$cache/build-libjpeg-$arch
rm -rf "$build" "$prefix"
cmake -S "$src" -B "$build" -G Ninja \
  -DCMAKE_SYSTEM_NAME=Windows \
  -DCMAKE_SYSTEM_PROCESSOR=$processor \
  -DCMAKE_C_COMPILER=$arch-w64-mingw32-gcc-posix \
  -DCMAKE_RC_COMPILER=$arch-w64-mingw32-windres \
  -DCMAKE_ASM_NASM_COMPILER=nasm \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DCMAKE_INSTALL_LIBDIR=lib \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
  -DWITH_JPEG7=OFF -DWITH_JPEG8=OFF \
  -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON \
  -DWITH_CRT_DLL=OFF >"$build.log" 2>&1 || { cat "$build.log"; exit 1; }
cmake --build "$build" --target jpeg-static >>"$build.log" 2>&1 || { tail -50 "$build.log"; exit 1; }
mkdir -p "$prefix/lib" "$prefix/include"
cp "$build/libjpeg.a" "$prefix/lib/libjpeg.a"
cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$build/jconfig.h" "$prefix/include/"
grep -q 'JPEG_LIB_VERSION  *62' "$prefix/include/jconfig.h" || { echo "libjpeg: not the 6b interface" >&2; exit 1; }
grep -q '^#define WITH_SIMD' "$prefix/include/jconfig.h" || echo "libjpeg: warning: built without SIMD" >&2
echo "$stamp" >"$prefix/.stamp"
rm -rf "$build"
