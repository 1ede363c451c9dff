#!/usr/bin/env bash
# Runs batch runs of the example project under valgrind memcheck: the
# report (/I) and drawing $KV5_VALGRIND_DRAWING (default 1) as DXF, IGES,
# STEP and STL. Uses the build in build/ (or $KV5_BUILD_DIR) and builds
# wkv5 there first. Prints memcheck's errors and definitely lost bytes per
# run; exit code 1 when any run has a memcheck error or a definite leak,
# does not end with code 0, or writes no file. The logs stay in a
# temporary folder, named at the end.
#
# Note: valgrind computes 80-bit reals with 64-bit precision, so the
# figures of the files may differ in the last digits from a normal run.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KV5_BUILD_DIR:-$root/build}
drawing=${KV5_VALGRIND_DRAWING:-1}
command -v valgrind >/dev/null || { echo "valgrind is not installed"; exit 1; }
if [ ! -f "$build/CMakeCache.txt" ]; then
  KV5_BUILD_DIR=$build "$root/scripts/build.sh" >/dev/null || exit 1
fi
cmake --build "$build" -j2 --target wkv5 >/dev/null || { echo "building wkv5 failed"; exit 1; }

work=$(mktemp -d)
mkdir -p "$work/home" "$work/tmp"
cp "$root/data/example.kv5" "$work/"
failed=0
printf '%-10s %6s %8s %22s %s\n' run exit errors "definitely lost" file
for run in "/I txt" "/CAD1:$drawing dxf" "/CAD2:$drawing igs" "/CAD7:$drawing stp" \
  "/CAD6:$drawing stl"; do
  set -- $run
  option=$1 extension=$2
  log="$work/valgrind_${extension}.log"
  rm -f "$work/example.$extension"
  (cd "$work" && KV5_HOME="$work/home" TMPDIR="$work/tmp" \
    valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
    --errors-for-leak-kinds=definite --show-leak-kinds=definite \
    --log-file="$log" "$build/wkv5" example.kv5 "$option" /NOGUI >/dev/null 2>&1)
  code=$?
  errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9,]*\) errors.*/\1/p' "$log" | tail -1)
  lost=$(sed -n 's/.*definitely lost: \([0-9,]* bytes in [0-9,]* blocks\).*/\1/p' "$log" | tail -1)
  [ -n "$lost" ] || lost="0 bytes in 0 blocks"
  file="example.$extension"
  if [ -s "$work/$file" ]; then file="$file $(stat -c %s "$work/$file") bytes"; else file="no file"; fi
  printf '%-10s %6s %8s %22s %s\n' "$option" "$code" "${errors:-?}" "$lost" "$file"
  if [ "$code" -ne 0 ] || [ "${errors:-1}" != 0 ] || [ "$lost" != "0 bytes in 0 blocks" ] ||
    [ "$file" = "no file" ]; then
    failed=1
  fi
done
echo "logs: $work"
exit $failed
