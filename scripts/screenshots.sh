#!/usr/bin/env bash
# Grabs PNG pictures off-screen: the geometry, load and document texts
# dialogs, the text window with a project's report and the graphics view
# (kv5_qt_screenshots), then the main window with drawings 1, 8 and 10 and
# the dialogs opened from its menu (kv5_screenshots).
#   scripts/screenshots.sh <output folder> [project file]
# The build folder is build/ or $KV5_BUILD_DIR.
set -euo pipefail
if [ $# -lt 1 ]; then
  echo "usage: $0 <output folder> [project file]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KV5_BUILD_DIR:-$root/build}
folder=$(mkdir -p "$1" && cd "$1" && pwd)
project=$(realpath "${2:-$root/data/example.kv5}")
cmake --build "$build" -j2 --target kv5_qt_screenshots kv5_screenshots >/dev/null
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$build/kv5_qt_screenshots" "$folder" "$project"
# The main window opens the project as a start from the command line does,
# in a folder of its own so that nothing lands beside the project.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$project" "$work/"
(cd "$work" && "$build/kv5_screenshots" "$folder" "$work/$(basename "$project")")
