#!/usr/bin/env bash
# Writes the IGES, STEP and STL files of the drawing list in CAD batch runs
# of the real program and reads every file with outside readers.
#
# Usage: check_batch_cad.sh WKV5_BINARY PROJECT_FOLDER OUTPUT_FOLDER
#
# For every project (*.kv5) of PROJECT_FOLDER, in a fresh folder of its own
# below OUTPUT_FOLDER: `wkv5 project.kv5 /CAD2:j` and `/CAD7:j` for the
# drawings j = 1..11 and `/CAD6:j` for the drawings of the STL menu. Each run
# must end by itself with exit code 0 and write its file.
#
# - IGES: read by the OCCT test harness (occt-draw); a file fails on a fail
#   message of the reader or the transfer, or when the transferred shape
#   holds fewer or more edges than the file's geometry gives with every
#   subfigure instance expanded (iges_expected_edges.py).
# - STEP: check_step.sh in its folder mode (fail messages, one edge per
#   trimmed curve).
# - STL: check_stl.sh in its folder mode (admesh reads it, facet counts,
#   normals agree with the vertex order, the signed volume is positive) and
#   stl_walls_outward.py (every contour faces out of the material).
#
# Exit code 0 when every file passes, 77 (skipped) when a reader is not
# installed, 1 otherwise.
set -uo pipefail

if [ $# -ne 3 ]; then
  sed -n '2,22p' "$0"
  exit 2
fi
wkv5=$(realpath "$1")
projects=$(realpath "$2")
output=$3
scripts=$(cd "$(dirname "$0")" && pwd)

draw=${KV5_OCCT_DRAW:-}
[ -x "$draw" ] || draw=$(command -v occt-draw || command -v occt-draw-7.6 || true)
missing=()
[ -n "$draw" ] || missing+=(occt-draw)
command -v admesh >/dev/null || missing+=(admesh)
command -v python3 >/dev/null || missing+=(python3)
if [ ${#missing[@]} -gt 0 ]; then
  echo "skipped: ${missing[*]} not installed"
  exit 77
fi

# Drawings of the STL menu: wheel 1, wheel 2 and the bearing plate.
stl_drawings="2 3 11"

rm -rf "$output" && mkdir -p "$output/home" || exit 1
output=$(realpath "$output")

# The harness loads its command libraries by their unversioned names,
# which only the development package installs.
libs=$(mktemp -d)
trap 'rm -rf "$libs"' EXIT
for lib in /usr/lib/*/libTK*.so.7; do
  [ -e "$lib" ] && ln -sf "$lib" "$libs/$(basename "$lib" .7)"
done

failed=0
note_failure() {
  echo "FAIL $*"
  failed=$((failed + 1))
}

# One batch run; the file it writes is kept as NAME_jj.EXT in the folder.
run_batch() {
  local folder=$1 name=$2 kind=$3 drawing=$4 extension=$5
  local produced="$folder/$name.$extension" log code
  rm -f "$produced"
  log=$(cd "$folder" && KV5_HOME="$output/home" QT_QPA_PLATFORM=offscreen \
    timeout 120 "$wkv5" "$name.kv5" "/CAD$kind:$drawing" "/NOGUI" 2>&1)
  code=$?
  if [ $code -ne 0 ]; then
    note_failure "$name /CAD$kind:$drawing: exit code $code: $log"
    return
  fi
  if [ ! -s "$produced" ]; then
    note_failure "$name /CAD$kind:$drawing: no file written: $log"
    return
  fi
  mv "$produced" "$folder/$(printf '%s_%02d.%s' "$name" "$drawing" "$extension")"
}

check_iges() {
  local file=$1 name expected script result
  name=$(basename "$file")
  if ! expected=$(python3 "$scripts/iges_expected_edges.py" "$file" 2>&1); then
    note_failure "$name: $expected"
    return
  fi
  script="$libs/iges.tcl"
  cat >"$script" <<EOF
pload MODELING XDE
if {[catch {igesbrep {$file} shape *} message]} { puts "KV5 READ FAILED: \$message" }
puts "KV5 CHECK BEGIN"
tpstat c
puts "KV5 CHECK END"
set edges 0
if {[isdraw shape]} { regexp {EDGE *: *([0-9]+)} [nbshapes shape -t] all edges }
puts "KV5 EDGES \$edges"
exit
EOF
  result=$(LD_LIBRARY_PATH="$libs${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
    timeout 300 "$draw" -b -f "$script" 2>&1)
  local problems=()
  grep -q "KV5 READ FAILED" <<<"$result" && problems+=("$(grep "KV5 READ FAILED" <<<"$result")")
  grep -qi "fail" <<<"$(sed -n '/KV5 CHECK BEGIN/,/KV5 CHECK END/p' <<<"$result")" &&
    problems+=("fail messages: $(grep -i fail <<<"$result" | head -3 | tr '\n' ' ')")
  grep -qi "exception" <<<"$result" &&
    problems+=("exception: $(grep -i exception <<<"$result" | head -1)")
  # Instances are counted once per placement (-t), not once per shared curve.
  local edges
  edges=$(sed -n 's/^KV5 EDGES //p' <<<"$result")
  if [ -z "$edges" ]; then
    problems+=("reader did not finish")
  elif [ "$edges" -ne "$expected" ]; then
    problems+=("$edges edges transferred, the file's geometry gives $expected")
  fi
  if [ ${#problems[@]} -eq 0 ]; then
    echo "$name: ok ($edges edges)"
  else
    note_failure "$name: ${problems[*]}"
  fi
}

count=0
for project in "$projects"/*.kv5; do
  [ -e "$project" ] || continue
  name=$(basename "$project" .kv5)
  folder="$output/$name"
  mkdir -p "$folder/igs" "$folder/stp" "$folder/stl"
  cp "$project" "$folder/$name.kv5"
  for drawing in $(seq 1 11); do
    run_batch "$folder" "$name" 2 "$drawing" igs
    run_batch "$folder" "$name" 7 "$drawing" stp
  done
  for drawing in $stl_drawings; do
    run_batch "$folder" "$name" 6 "$drawing" stl
  done
  mv "$folder"/*.igs "$folder/igs/" 2>/dev/null
  mv "$folder"/*.stp "$folder/stp/" 2>/dev/null
  mv "$folder"/*.stl "$folder/stl/" 2>/dev/null
  for file in "$folder"/igs/*.igs; do
    [ -e "$file" ] || continue
    check_iges "$file"
    count=$((count + 1))
  done
  for kind in stp stl; do
    if ls "$folder/$kind/"*."$kind" >/dev/null 2>&1; then
      if [ $kind = stp ]; then
        report=$(KV5_OCCT_DRAW="$draw" bash "$scripts/check_step.sh" --folder "$folder/stp")
      else
        report=$(bash "$scripts/check_stl.sh" --outward "$folder/stl")
      fi
      status=$?
      grep -v ' passed, ' <<<"$report"
      [ $status -eq 0 ] || note_failure "$name: $(tail -n 1 <<<"$report") ($kind)"
      if [ $kind = stl ]; then
        report=$(python3 "$scripts/stl_walls_outward.py" "$folder/stl/"*.stl)
        status=$?
        echo "$report"
        [ $status -eq 0 ] || note_failure "$name: a contour faces into the material (stl)"
      fi
      count=$((count + $(ls "$folder/$kind/"*."$kind" | wc -l)))
    fi
  done
done
[ $count -gt 0 ] || note_failure "no file written from $projects"
echo "$count files checked, $failed failures"
[ $failed -eq 0 ]
