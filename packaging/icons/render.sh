#!/usr/bin/env bash
# Renders the PNG icons from linkset.svg (needs rsvg-convert, Debian package librsvg2-bin).
# The PNGs are committed, so building and packaging need no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" linkset.svg -o "linkset-$size.png"
done
