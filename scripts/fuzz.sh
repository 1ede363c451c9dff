#!/usr/bin/env bash
# Builds the libFuzzer targets into build-fuzz/ (or $KV5_FUZZ_BUILD_DIR) with
# clang and runs each on its corpus for $KV5_FUZZ_SECONDS seconds (20; 0
# replays the corpus once without generating new inputs).
# New inputs go to a scratch folder; tests/fuzz/corpus stays as committed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KV5_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${KV5_FUZZ_SECONDS:-20}
KV5_BUILD_DIR=$build "$root/scripts/build.sh" -DCMAKE_CXX_COMPILER=clang++ -DKV5_FUZZ=ON \
  -DKV5_BUILD_TESTS=OFF -DKV5_BUILD_BENCH=OFF "$@"
export LSAN_OPTIONS=suppressions=$root/tests/sanitizer/lsan.supp
for corpus in "$root"/tests/fuzz/corpus/*; do
  target=$(basename "$corpus")
  scratch=$(mktemp -d)
  if [ "$seconds" = 0 ]; then
    # Replay only: every corpus input once, nothing new generated.
    echo "== $target (corpus replay)"
    "$build/$target" -runs=0 -timeout=10 -rss_limit_mb=2048 "$corpus"
  else
    echo "== $target (${seconds} s)"
    "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 "$scratch" "$corpus"
  fi
  rm -rf "$scratch"
done
