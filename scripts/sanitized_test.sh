#!/usr/bin/env bash
# Builds into build-asan/ (or $KV5_ASAN_BUILD_DIR) with AddressSanitizer and
# UBSan (undefined behaviour is fatal) and runs every test there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KV5_ASAN_BUILD_DIR:-$root/build-asan}
KV5_BUILD_DIR=$build "$root/scripts/build.sh" -DKV5_SANITIZE=ON -DKV5_BUILD_BENCH=OFF "$@"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
