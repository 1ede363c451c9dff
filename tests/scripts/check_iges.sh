#!/usr/bin/env bash
# Reads the IGES files that the CAD tests write with an outside reader
# (occt-draw, Debian package occt-draw) and fails when a file cannot be
# loaded, reports a fail message, leaves an entity untransferred, or when
# the transferred shape holds another number of edges than the file's
# geometry gives with every subfigure instance expanded
# (iges_expected_edges.py).
#
# Usage: check_iges.sh KV5_TESTS_BINARY SAMPLE_FOLDER
set -u
tests_binary=$1
folder=$2
scripts=$(cd "$(dirname "$0")" && pwd)
draw=$(command -v occt-draw || command -v occt-draw-7.6) || { echo "occt-draw missing"; exit 1; }

# The plug-in loader asks for the unversioned libraries, which only the
# development package brings: give it links to the versioned ones.
libs=$(mktemp -d)
trap 'rm -rf "$libs"' EXIT
for lib in /usr/lib/*/libTK*.so.7; do [ -e "$lib" ] && ln -sf "$lib" "$libs/$(basename "$lib" .7)"; done
export LD_LIBRARY_PATH=$libs${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}

rm -rf "$folder" && mkdir -p "$folder"
KV5_IGES_SAMPLE_DIR=$folder "$tests_binary" --gtest_filter='IgesSampleTest.*' >/dev/null || {
  echo "writing the samples failed"; exit 1; }

passed=0
failed=0
for file in "$folder"/*.igs; do
  [ -e "$file" ] || continue
  log=$(printf 'pload MODELING XDE\nigesbrep %s shape *\ntpstat *\nnbshapes shape -t\nexit\n' "$file" |
    timeout 120 "$draw" -b 2>&1)
  problems=""
  expected=$(python3 "$scripts/iges_expected_edges.py" "$file" 2>&1) || problems+=" $expected;"
  edges=$(sed -n 's/^ *EDGE *: *\([0-9]*\).*/\1/p' <<<"$log" | tail -n 1)
  [ -z "$problems" ] && [ "${edges:-0}" != "$expected" ] &&
    problems+=" ${edges:-no} edges transferred, the file's geometry gives $expected;"
  grep -qiE 'fail|exception|error' <<<"$log" && problems+=" fail message;"
  grep -qiE 'not transferred|untransferred|no result' <<<"$log" && problems+=" untransferred entity;"
  grep -qE 'invalid command' <<<"$log" && problems+=" reader not loaded;"
  grep -q 'Saving shape in variable' <<<"$log" || problems+=" no shape;"
  grep -qE 'Nb Items \(Transfer\) : *[1-9]' <<<"$log" || problems+=" nothing transferred;"
  if [ -z "$problems" ]; then
    echo "$(basename "$file"): ok"
    passed=$((passed + 1))
  else
    echo "$(basename "$file"):$problems"
    echo "$log" | tail -40
    failed=$((failed + 1))
  fi
done
[ $((passed + failed)) -gt 0 ] || { echo "no sample files"; exit 1; }
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
