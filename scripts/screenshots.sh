#!/usr/bin/env bash
# Grabs PNG pictures of the geometry, load and document texts dialogs, the
# text window with a project's report, and the graphics view, off-screen.
#   scripts/screenshots.sh <output folder> [project file]
# The build folder is build/ or $KV5_BUILD_DIR.
set -euo pipefail
if [ $# -lt 1 ]; then
  echo "usage: $0 <output folder> [project file]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KV5_BUILD_DIR:-$root/build}
cmake --build "$build" -j2 --target kv5_qt_screenshots >/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/kv5_qt_screenshots" "$@"
