#!/usr/bin/env bash
# Renders the PNG icons from main_window/icons/yotsubane.svg. Not part of the
# build: the PNGs are committed. Needs Debian's librsvg2-bin and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/../main_window/icons"
for size in 64 128; do
    rsvg-convert -w "$size" -h "$size" yotsubane.svg -o "yotsubane-$size.png"
done
# The window icon as drawn: 32 x 32 in at most 256 colours.
rsvg-convert -w 32 -h 32 yotsubane.svg | convert png:- -colors 256 PNG8:yotsubane-32.png
