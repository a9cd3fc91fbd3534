#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the application icon's PNG sizes from the SVG. The PNGs are kept in
# the repository so that building needs no SVG renderer; run this again after
# changing the SVG (needs rsvg-convert, Debian package librsvg2-bin).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
name=de.ringtafel.Ringtafel
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$here/${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$here/${size}x${size}/$name.png" "$here/$name.svg"
done
echo "rendered $name.png at 16 22 24 32 48 64 128 256 px into $here"
