#!/usr/bin/env bash
# Packs GRBWEL.EXE, KVEXHK.DLL and the short readme into one zip per architecture.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$root/dist"
for arch in win32 win64; do
  dir=$root/build/$arch/bin
  out=$root/dist/grabwell-2000-$arch.zip
  rm -f "$out"
  work=$(mktemp -d)
  cp "$dir/GRBWEL.EXE" "$dir/KVEXHK.DLL" "$work/"
  cp "$root/dist-readme.txt" "$work/README.TXT"
  (cd "$work" && zip -q -X "$out" GRBWEL.EXE KVEXHK.DLL README.TXT)
  rm -rf "$work"
  echo "dist: $out"
done
