#!/usr/bin/env bash
# Renders packaging/icons/hicolor/scalable/apps/lintrace.svg to the committed PNG sizes.
# Run it after changing the SVG, and commit the PNGs with it.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

tools/install-deps.sh
cmake --preset default --log-level=WARNING
cmake --build --preset default --target lintrace_icones
icons=packaging/icons/hicolor
for size in 48x48 128x128 256x256; do mkdir -p "$icons/$size/apps"; done
QT_QPA_PLATFORM=offscreen build/outils/lintrace_icones "$icons/scalable/apps/lintrace.svg" "$icons"
echo "Rendered: $(ls "$icons"/*/apps/lintrace.png | tr '\n' ' ')"
