#!/usr/bin/env bash
# Makes corvane-sensors-tool.ico from the tool's SVG picture: the sizes Windows asks for at
# 96 to 192 dots per inch (title bar 16-32, task bar and Explorer 24-64, large icons 256).
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert. The icon is checked in, so a build
# needs neither; run this again after the picture changes.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
svg="$here/../../../../packaging/corvane-sensors-tool.svg"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
pngs=()
for size in 16 20 24 32 40 48 64 256; do
    rsvg-convert -w "$size" -h "$size" "$svg" -o "$work/$size.png"
    pngs+=("$work/$size.png")
done
/usr/bin/convert "${pngs[@]}" "$here/corvane-sensors-tool.ico"
echo "$here/corvane-sensors-tool.ico"
