#!/usr/bin/env bash
# Renders the application icon's PNG sizes and the Windows .ico from its SVG source. The
# rendered files are kept in the repository, so builds need no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
../../scripts/deps.sh pkg
for size in 16 32 48 128 256; do
  rsvg-convert -w "$size" -h "$size" oddsmith.svg -o "oddsmith-$size.png"
done
# The 256-pixel image is stored as PNG inside the .ico to keep the exe small.
icotool -c -o oddsmith.ico oddsmith-16.png oddsmith-32.png oddsmith-48.png -r oddsmith-256.png
