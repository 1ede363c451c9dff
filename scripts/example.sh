#!/usr/bin/env bash
# Installs what is missing, builds, and calculates the shipped example
# project.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
build=${KV5_BUILD_DIR:-$root/build}
work=$(mktemp -d)
cp "$root/data/example.kv5" "$build/data/kv5.err" "$build/data/kv1chain.dbf" \
  "$build/data/iso606.dbf" "$work/"
cd "$work"
"$build/wkv5" example.kv5 /I
echo "Report: $work/example.txt"
cat "$work/example.txt"
