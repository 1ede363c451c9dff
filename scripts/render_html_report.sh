#!/usr/bin/env bash
# Renders an HTML report with headless Chromium (Debian's chromium) to a PNG
# so that it can be looked at. Usage: scripts/render_html_report.sh FILE.htm OUT.png
set -euo pipefail
in=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
out=$2
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$profile" --window-size=1000,2400 --screenshot="$out" "file://$in" \
  >/dev/null 2>&1
test -s "$out"
echo "$out"
