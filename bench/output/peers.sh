#!/usr/bin/env bash
# The whole GIF road (32-bit capture -> 216-colour cube -> run-length GIF
# file) against Pillow's web-palette conversion plus GIF save of the same
# picture, both measured in this run; prints our time as a share of Pillow's.
# Then the cold figures (cold_peers.py): the roads once, in fresh processes.
#   bench/output/peers.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
bench=$build/bench/output/bench_output
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 1920x1080 3840x2160; do
  "$bench" --write-desktop-bmp "$work/desktop_$size.bmp" "$size"
done
"$bench" --benchmark_filter=BM_GIFRoad --benchmark_out="$work/road.json" --benchmark_out_format=json >/dev/null
/usr/bin/python3 "$here/pillow_gif_peer.py" "$work"
/usr/bin/python3 "$here/cold_peers.py" "$build" "$work"
