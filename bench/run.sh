#!/usr/bin/env bash
# Runs every benchmark program of a bench build, then every peer script
# (bench/*/peers.sh), which measure us against separate programs in the
# same run and print ratios.
#   bench/run.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
# A build just made (or a make test just run) leaves gigabytes of dirty
# pages whose writeback would share the machine with the measurements.
sync
for program in "$build"/bench/*/bench_*; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" --benchmark_counters_tabular=true
done
for peers in "$root"/bench/*/peers.sh; do
  echo "== $(basename "$(dirname "$peers")")/peers.sh"
  bash "$peers" "$build"
done
