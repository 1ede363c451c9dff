#!/usr/bin/env bash
# Reads the STEP files that the CAD tests write with an outside reader, the
# OCCT test harness (occt-draw), and checks each file's transfer.
#
# Usage: check_step.sh KV5_TESTS_BINARY SAMPLE_FOLDER
#        check_step.sh --folder FOLDER   (check the .stp files already there)
#
# A file fails when the reader reports a fail message in its checks of the
# file or of the transfer, or when the transferred shape does not hold one
# edge for every trimmed curve of the file. Exit code 0 when all pass.
set -uo pipefail

draw=${KV5_OCCT_DRAW:-$(command -v occt-draw || command -v occt-draw-7.6 || true)}
if [ -z "$draw" ]; then
  echo "occt-draw not found"
  exit 2
fi

if [ "${1:-}" = "--folder" ] && [ $# -eq 2 ]; then
  folder=$2
elif [ $# -eq 2 ]; then
  folder=$2
  rm -rf "$folder" && mkdir -p "$folder"
  KV5_STEP_SAMPLE_DIR="$folder" "$1" --gtest_filter='StepSampleTest.*' >/dev/null || {
    echo "writing the samples failed"
    exit 1
  }
else
  sed -n '2,10p' "$0"
  exit 2
fi

# The harness loads its command libraries by their unversioned names,
# which only the development package installs: point it to the runtime
# libraries through a folder of links.
libs=$(mktemp -d)
trap 'rm -rf "$libs"' EXIT
for lib in TKXSDRAW TKTopTest; do
  target=$(ls /usr/lib/*/lib$lib.so.7 2>/dev/null | head -1)
  [ -n "$target" ] && ln -s "$target" "$libs/lib$lib.so"
done

passed=0
failed=0
shopt -s nullglob
files=("$folder"/*.stp)
if [ ${#files[@]} -eq 0 ]; then
  echo "no .stp files in $folder"
  exit 1
fi
for file in "${files[@]}"; do
  name=$(basename "$file")
  expected=$(grep -c "= TRIMMED_CURVE(" "$file")
  script="$libs/check.tcl"
  cat >"$script" <<EOF
pload XSDRAW
if {[catch {stepread {$file} shape *} result]} { puts "KV5 READ FAILED: \$result" }
puts "KV5 DATA CHECK BEGIN"
data c
puts "KV5 DATA CHECK END"
puts "KV5 TRANSFER CHECK BEGIN"
tpstat c
puts "KV5 TRANSFER CHECK END"
set edges 0
foreach s [directory shape_*] {
  regexp {EDGE *: *([0-9]+)} [nbshapes \$s] all n
  incr edges \$n
}
puts "KV5 SHAPES [llength [directory shape_*]] EDGES \$edges"
exit
EOF
  output=$(LD_LIBRARY_PATH="$libs${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" timeout 600 "$draw" -b -f "$script" 2>&1)
  problems=()
  grep -q "KV5 READ FAILED" <<<"$output" && problems+=("$(grep "KV5 READ FAILED" <<<"$output")")
  grep -qi "fail" <<<"$(sed -n '/KV5 DATA CHECK BEGIN/,/KV5 TRANSFER CHECK END/p' <<<"$output")" &&
    problems+=("fail messages: $(grep -i fail <<<"$output" | head -3 | tr '\n' ' ')")
  grep -qi "exception" <<<"$output" && problems+=("exception: $(grep -i exception <<<"$output" | head -1)")
  summary=$(grep "^KV5 SHAPES" <<<"$output")
  if [ -z "$summary" ]; then
    problems+=("reader did not finish")
  else
    shapes=$(awk '{print $3}' <<<"$summary")
    edges=$(awk '{print $5}' <<<"$summary")
    [ "$edges" -ne "$expected" ] && problems+=("$edges edges transferred, $expected trimmed curves in the file")
    [ "$expected" -gt 0 ] && [ "$shapes" -eq 0 ] && problems+=("no shape transferred")
  fi
  if [ ${#problems[@]} -eq 0 ]; then
    echo "$name: ok ($expected edges)"
    passed=$((passed + 1))
  else
    echo "$name: ${problems[*]}"
    failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
