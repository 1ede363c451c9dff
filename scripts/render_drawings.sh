#!/usr/bin/env bash
# Renders drawings 1, 6, 7, 8 and 10 of a rack and a pin wheel drive to PNG
# images for looking at them (not kept in the repository).
#   scripts/render_drawings.sh [OUTPUT_FOLDER] [ITEMS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KV5_BUILD_DIR:-$root/build}
out=${1:-/tmp/kv5_drawings}
shift || true
items=("$@")
[ ${#items[@]} -eq 0 ] && items=(1 6 7 8 10)
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen
export KV5_HOME="$out/home"
mkdir -p "$KV5_HOME"
for project in rack_iso_bore pinwheel_iso_bores; do
  for item in "${items[@]}"; do
    "$build/kv5drawpng" "$root/tests/data/projects/$project.kv5" "$item" \
      "$out/${project}_$(printf %02d "$item").png"
  done
done
