#!/usr/bin/env bash
# Draws the game's icon from its own art: the first frame of the hero's sprite (sprites/Hero.txt),
# in the sprite's colour and the game's cell font, on a black rounded square, into
# packaging/icons/lumora-<size>.png for the desktop's icon sizes. Needs ImageMagick (it installs
# it when missing). The icons are committed; run this again when the hero's sprite changes.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" imagemagick
sprite="$root/sprites/Hero.txt"
out="$root/packaging/icons"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The first frame: the body's rows up to the first "end"; its colour from the header.
height="$(sed -n 's/^height //p' "$sprite")"
colour="$(sed -n 's/^color //p' "$sprite")"
# ImageMagick reads backslashes in the text as escapes: each is doubled.
sed -n '/^<BODY>$/,/^end$/p' "$sprite" | sed '1d;$d' | head -n "$height" | sed 's/\\/\\\\/g' \
    >"$work/frame.txt"

# Cells are twice as tall as wide, as in the game: the font's glyphs, one row of text per cell row.
convert -size 256x256 xc:none -fill black -draw 'roundrectangle 0,0 255,255 40,40' \
    -font "$root/lm-font.ttf" -pointsize 72 -interline-spacing -4 -fill "$colour" \
    -gravity center -annotate +0+0 "$(cat "$work/frame.txt")" "$work/icon-256.png"
mkdir -p "$out"
for size in 16 32 48 64 128 256; do
    convert "$work/icon-256.png" -filter Lanczos -resize "${size}x${size}" \
        -define png:exclude-chunks=date,time -strip "$out/lumora-$size.png"
done
ls -l "$out"
