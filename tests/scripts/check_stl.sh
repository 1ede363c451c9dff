#!/usr/bin/env bash
# Reads the STL files that the CAD tests write with admesh.
#
# Usage: check_stl.sh [KV5_TESTS_BINARY] SAMPLE_FOLDER
#        check_stl.sh --outward FOLDER
#
# With the test binary given, the folder is emptied and the sample test is
# run with KV5_STL_SAMPLE_DIR set to write the files first. Then every .stl
# file of the folder is read by admesh, which only checks the normals
# against the vertex order (-v). A file fails when admesh cannot read it,
# when the facet count admesh reads disagrees with the file (binary: the
# count field and the file size; ASCII: the "facet normal" lines), or when
# any normal disagrees with its facet's vertex order. With --outward the
# files are parts drawn by the program, and a file also fails when its walls
# face into the material: the volume admesh sums from the signed volumes of
# the facets is then not positive.
set -uo pipefail

outward=false
if [ $# -eq 2 ] && [ "$1" = "--outward" ]; then
  outward=true
  folder=$2
elif [ $# -eq 2 ]; then
  tests_binary=$1
  folder=$2
  rm -rf "$folder"
  mkdir -p "$folder"
  KV5_STL_SAMPLE_DIR=$folder "$tests_binary" --gtest_filter='StlSampleTest.*' >/dev/null ||
    { echo "writing the samples failed"; exit 1; }
elif [ $# -eq 1 ]; then
  folder=$1
else
  sed -n '2,17p' "$0"
  exit 2
fi
admesh=$(command -v admesh || true)
[ -n "$admesh" ] || { echo "admesh not installed"; exit 1; }

shopt -s nullglob
files=("$folder"/*.stl)
if [ ${#files[@]} -eq 0 ]; then
  echo "no .stl file in $folder"
  exit 1
fi

passed=0
failed=0
for file in "${files[@]}"; do
  problems=()
  report=$("$admesh" -v "$file" 2>&1)
  status=$?
  type=$(sed -n 's/^File type *: *//p' <<<"$report")
  read_count=$(sed -n 's/^Number of facets *: *\([0-9]*\).*/\1/p' <<<"$report")
  fixed=$(sed -n 's/^Normals fixed *: *\([0-9]*\).*/\1/p' <<<"$report")
  if [ $status -ne 0 ] || [ -z "$read_count" ]; then
    problems+=("admesh could not read it: $(tail -n 1 <<<"$report")")
  else
    size=$(stat -c %s "$file")
    case $type in
      Binary*)
        field=$(od -An -t u4 -j 80 -N 4 --endian=little "$file" | tr -d ' ')
        [ "$field" = "$read_count" ] || problems+=("count field $field, admesh read $read_count")
        [ "$size" -eq $((84 + 50 * field)) ] ||
          problems+=("size $size does not hold $field facets of 50 bytes")
        ;;
      ASCII*)
        lines=$(grep -c '^ *facet normal ' "$file")
        [ "$lines" = "$read_count" ] || problems+=("$lines facets in the file, admesh read $read_count")
        ;;
      *)
        problems+=("unknown file type '$type'")
        ;;
    esac
    [ "${fixed:-x}" = 0 ] || problems+=("$fixed normals disagree with their vertex order")
    if $outward; then
      volume=$(sed -n 's/.*Volume *: *\([-0-9.e+]*\).*/\1/p' <<<"$report")
      awk -v v="${volume:-0}" 'BEGIN { exit !(v > 0) }' ||
        problems+=("walls face inwards (signed volume ${volume:-missing})")
    fi
  fi
  if [ ${#problems[@]} -eq 0 ]; then
    echo "$(basename "$file"): ok ($type, $read_count facets)"
    passed=$((passed + 1))
  else
    echo "$(basename "$file"): $(IFS=';'; echo "${problems[*]}")"
    failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
