#!/usr/bin/env bash
# Renders the program's icon (packaging/icons/traxilo.svg) to the PNG sizes
# the package installs and the program shows. Run after changing the SVG,
# then commit the PNGs (needs rsvg-convert, package librsvg2-bin).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../packaging/icons"
for size in 16 32 48 128 256; do
  rsvg-convert -w "$size" -h "$size" traxilo.svg -o "traxilo-$size.png"
done
