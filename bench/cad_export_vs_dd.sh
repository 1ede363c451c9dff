#!/usr/bin/env bash
# Times the CAD exports of the largest pin wheel a user might enter
# (z2 = 200 pins, pitch p = 50.8 mm) against the time dd needs to write a
# file of the same size on the same disk.
#
# Usage: bench/cad_export_vs_dd.sh [build folder] [work folder] [runs]
#
# Builds wkv5, makes the project from a shipped one by changing z2 and p,
# then runs `wkv5 big.kv5 /CAD6:3` (binary STL of the pin wheel),
# `/CAD7:8` (STEP) and `/CAD2:8` (IGES) of drawing item 8, each `runs`
# times (default 3), in the work folder (default: a fresh folder below the
# build folder). Each line gives the file size, the median wall time of the
# whole run (process start to exit: read, calculate, draw, write) and the
# median time of `dd if=/dev/zero of=<same folder> bs=<size> count=1
# conv=fsync`. Both sides end with fsync: the program syncs every CAD file
# it puts in place.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=${2:-}
runs=${3:-3}

cmake --build "$build" -j2 --target wkv5 >/dev/null
if [ -z "$work" ]; then
  work=$(mktemp -d "$build/cad_export_vs_dd.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work/home"
cd "$work"

# z2 is line 14 of the project file; the pitch is the fourth real after the
# title-block header block (dB1, dB2, d1, p), which ends with "---".
awk 'BEGIN { after = -1 }
     NR == 14 { print "200"; next }
     /^ISO 7200 Header/ { header = 1 }
     header && /^---/ { header = 0; after = 0; print; next }
     after >= 0 { after++; if (after == 4) { print "50.8000000"; next } }
     { print }' "$root/tests/data/projects/pinwheel_din.kv5" | sed 's/\r*$/\r/' >big.kv5
KV5_HOME="$work/home" "$build/wkv5" big.kv5 /I /NOGUI >/dev/null 2>&1 || true
if ! grep -q "200" big.txt 2>/dev/null || ! grep -q "50[.,]8" big.txt; then
  echo "the report of big.kv5 does not show z2 = 200 and p = 50.8" >&2
  exit 1
fi

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
nanoseconds() { date +%s%N; }

run_export() {
  local label=$1 option=$2 extension=$3 times=() dd_times=() size start end
  for ((i = 0; i < runs; i++)); do
    rm -f "big.$extension"
    start=$(nanoseconds)
    KV5_HOME="$work/home" "$build/wkv5" big.kv5 "$option" /NOGUI >/dev/null 2>&1
    end=$(nanoseconds)
    times+=($(((end - start) / 1000000)))
  done
  [ -s "big.$extension" ] || { echo "$label: no file written" >&2; exit 1; }
  size=$(stat -c %s "big.$extension")
  for ((i = 0; i < runs; i++)); do
    rm -f dd.bin
    start=$(nanoseconds)
    dd if=/dev/zero of=dd.bin bs="$size" count=1 conv=fsync status=none
    end=$(nanoseconds)
    dd_times+=($(((end - start) / 1000000)))
  done
  rm -f dd.bin
  printf '%-34s %12d bytes  wkv5 %7d ms  dd %6d ms\n' "$label" "$size" \
    "$(printf '%s\n' "${times[@]}" | median)" "$(printf '%s\n' "${dd_times[@]}" | median)"
}

echo "pin wheel z2 = 200, p = 50.8 mm; median of $runs runs; dd with conv=fsync; folder $work"
run_export "binary STL, wheel 2 (/CAD6:3)" /CAD6:3 stl
run_export "STEP, item 8 (/CAD7:8)" /CAD7:8 stp
run_export "IGES, item 8 (/CAD2:8)" /CAD2:8 igs
