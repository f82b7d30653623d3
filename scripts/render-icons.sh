#!/usr/bin/env bash
# Renders the programs' PNG icons from their SVG drawings (packaging/icons/*.svg) into
# packaging/icons/hicolor/<size>x<size>/apps/. Run after changing a drawing and commit the PNGs: the
# build then needs no SVG renderer. Needs rsvg-convert (scripts/install-deps.sh --dev).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for svg in *.svg; do
  for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" "$svg" -o "hicolor/${size}x${size}/apps/${svg%.svg}.png"
  done
done
