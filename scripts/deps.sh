#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if missing.
set -euo pipefail
# qt6-base-dev: QPainter/QImage and the off-screen platform for the display
#   list renderer (kv5render, kv5png, kv5_render_tests); the core needs no Qt.
# fonts-liberation2: a font with Arial's metrics, which the drawings ask for.
# fonts-dejavu-core: fallback glyphs (box drawing, symbols) for the renderer.
# fonts-wqy-microhei: Chinese and Korean glyphs of the menu languages.
# libcairo2-dev, pkg-config: PDF pages of the printer channel.
# python3-ezdxf: loads and audits the DXF files the CAD tests write.
# admesh: reads the STL files the CAD tests write (tests/scripts/check_stl.sh).
# occt-draw: reads back the IGES and STEP files the CAD tests write.
# clang, libclang-rt-14-dev: libFuzzer and the sanitizer run-times of the
#   fuzz targets (tests/fuzz, scripts/fuzz.sh).
# valgrind: memcheck over batch runs (scripts/valgrind_check.sh).
# libshp-dev: reads and writes the dBASE chain tables (kv1chain.dbf, iso606.dbf).
packages=(g++ cmake ninja-build pkg-config libgtest-dev libbenchmark-dev libcairo2-dev
  qt6-base-dev fonts-liberation2 fonts-dejavu-core fonts-wqy-microhei python3-ezdxf
  admesh occt-draw clang libclang-rt-14-dev valgrind libshp-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
