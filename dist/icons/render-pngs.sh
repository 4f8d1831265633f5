#!/usr/bin/env bash
# Renders the PNG sizes of the program's icon from zx908hf.svg into hicolor/<size>/apps/.
# The PNGs are kept in the repository, so building needs no SVG renderer; run this after
# changing the drawing (needs rsvg-convert, package librsvg2-bin).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" zx908hf.svg -o "hicolor/${size}x${size}/apps/zx908hf.png"
done
