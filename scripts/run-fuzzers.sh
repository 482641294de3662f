#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a bounded time each, with
# its seed corpus from tests/fuzz/corpus/<target>/ when there is one.
#   scripts/run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
mapfile -t targets < <(find "$build/tests/fuzz" -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
passed=0
failed=0
for target in "${targets[@]}"; do
  name=$(basename "$target")
  work=$(mktemp -d)
  corpus=("$work")
  seeds=$root/tests/fuzz/corpus/${name#fuzz_}
  [ -d "$seeds" ] && corpus+=("$seeds")
  echo "fuzz: $name for ${seconds}s"
  if (cd "$work" && "$target" -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=0 "${corpus[@]}" >"$work/log" 2>&1); then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    tail -60 "$work/log"
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$build/" 2>/dev/null || true
  fi
  rm -rf "$work"
done
echo "fuzz: $passed passed, $failed failed"
[ "${#targets[@]}" -gt 0 ] || { echo "fuzz: no fuzz targets built" >&2; exit 1; }
[ "$failed" -eq 0 ]
