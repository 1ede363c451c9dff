#!/usr/bin/env bash
# Times whole batch report runs (process start to exit) of the example
# project: wkv5 example.kv5 /I, repeated, mean wall time per run.
# Usage: bench/batch_report.sh [build folder] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/data/example.kv5" "$build/data/kv5.err" "$work/"
cd "$work"
"$build/wkv5" example.kv5 /I >/dev/null 2>&1  # warm the caches
start=$(date +%s%N)
for ((i = 0; i < runs; i++)); do "$build/wkv5" example.kv5 /I >/dev/null 2>&1; done
end=$(date +%s%N)
echo "batch report run: $(( (end - start) / runs / 1000 )) µs mean over $runs runs"
