#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the program's own pictures with ImageMagick (convert): the program icon
# (also the picture of the About box) and the four toolbar glyphs, each with a
# normal and a disabled look. The PNG files it writes are kept in the
# repository, so the build needs no ImageMagick; run this again only to change
# a picture.
#   tools/draw_icons.sh [output directory, default resources/icons]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/resources/icons}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A plain PNG without dates, so that drawing again gives the same bytes.
save() { convert "$1" -strip -define png:exclude-chunks=date,time "PNG32:$2"; }

# The program icon: a turbine roof ventilator on a duct above a tiled roof, on
# a sky-blue tile, drawn at 256 px and scaled down for the smaller sizes.
convert -size 256x256 xc:none \
    -fill '#3b7dc4' -stroke '#1d4f86' -strokewidth 6 -draw 'roundrectangle 6,6 249,249 36,36' \
    -stroke none -fill '#ffffff50' -draw 'ellipse 60,66 34,16 0,360' -draw 'ellipse 198,52 26,12 0,360' \
    -fill '#b8402e' -stroke '#6e1f14' -strokewidth 6 -draw 'polygon 16,236 128,168 240,236' \
    -stroke '#6e1f14' -strokewidth 3 -draw 'line 52,214 204,214' -draw 'line 84,194 172,194' \
    -fill '#9aa4ad' -stroke '#3c444c' -strokewidth 6 -draw 'rectangle 106,132 150,200' \
    -fill '#c9d1d8' -draw 'rectangle 96,118 160,136' \
    -fill '#dfe5ea' -draw 'path "M 88,120 C 84,52 172,52 168,120 Z"' \
    -fill none -stroke '#3c444c' -strokewidth 4 \
    -draw 'path "M 104,118 C 100,84 116,70 128,68"' \
    -draw 'path "M 120,118 C 118,90 124,76 128,68"' \
    -draw 'path "M 136,118 C 138,90 132,76 128,68"' \
    -draw 'path "M 152,118 C 156,84 140,70 128,68"' \
    -fill '#3c444c' -stroke none -draw 'circle 128,64 128,55' \
    -fill none -stroke '#ffffff' -strokewidth 7 \
    -draw 'path "M 40,150 C 56,120 56,100 44,80"' -draw 'path "M 216,150 C 200,120 200,100 212,80"' \
    -fill '#ffffff' -stroke none \
    -draw 'polygon 30,86 46,66 58,88' -draw 'polygon 198,88 210,66 226,86' \
    "$work/icon256.png"
for size in 256 128 64 48 32 16; do
    convert "$work/icon256.png" -filter Lanczos -resize ${size}x${size} "$work/icon$size.png"
    save "$work/icon$size.png" "$out/wywietrznik-$size.png"
done

# The toolbar glyphs, 16 x 16, drawn pixel by pixel without smoothing.
glyph() { # name, drawing options...
    local name=$1
    shift
    convert -size 16x16 xc:none +antialias "$@" "$work/$name.png"
    save "$work/$name.png" "$out/$name.png"
}

# Wydruk wyników: a printer with a printed sheet.
glyph print \
    -fill '#ffffff' -stroke '#000000' -draw 'rectangle 4,1 11,7' \
    -stroke '#000080' -draw 'line 6,3 9,3' -draw 'line 6,5 9,5' \
    -fill '#c0c0c0' -stroke '#000000' -draw 'rectangle 1,7 14,13' \
    -fill '#808080' -stroke none -draw 'rectangle 2,12 13,12' \
    -fill '#00a000' -draw 'point 12,9' \
    -fill '#ffffff' -stroke '#000000' -draw 'rectangle 4,11 11,14'

# Ustawienia drukarki: a printer behind a cog wheel.
glyph print_setup \
    -fill '#ffffff' -stroke '#000000' -draw 'rectangle 3,1 9,5' \
    -fill '#c0c0c0' -stroke '#000000' -draw 'rectangle 0,5 11,10' \
    -fill '#808080' -stroke none -draw 'rectangle 1,9 10,9' \
    -fill '#000000' -stroke none \
    -draw 'rectangle 10,5 12,15' -draw 'rectangle 6,9 15,11' \
    -draw 'rectangle 7,6 8,7' -draw 'rectangle 14,6 15,7' -draw 'rectangle 7,13 8,14' \
    -draw 'rectangle 14,13 15,14' \
    -fill '#ffd700' -stroke '#000000' -draw 'circle 11,10 11,7' \
    -fill '#c0c0c0' -stroke '#000000' -draw 'rectangle 10,9 12,11' \
    -fill '#ffd700' -stroke none -draw 'rectangle 11,6 11,6' -draw 'rectangle 11,14 11,14' \
    -draw 'rectangle 7,10 7,10' -draw 'rectangle 15,10 15,10'

# O programie: a blue disc with a white "i".
glyph about \
    -fill '#2050c0' -stroke '#000080' -draw 'circle 7.5,7.5 7.5,0.5' \
    -fill '#ffffff' -stroke none -draw 'rectangle 7,3 8,4' -draw 'rectangle 7,6 8,11' \
    -draw 'rectangle 6,6 6,6' -draw 'rectangle 6,11 9,11'

# Koniec pracy: an open door with an arrow leading out.
glyph exit \
    -fill '#000000' -stroke '#000000' -draw 'rectangle 1,1 8,14' \
    -fill '#a0522d' -stroke '#000000' -draw 'polygon 1,1 5,3 5,15 1,14' \
    -fill '#ffd700' -stroke none -draw 'point 4,8' \
    -fill '#d00000' -draw 'polygon 9,4 14,8 9,12' -draw 'rectangle 6,7 9,9'

# The disabled look of a glyph: its darker pixels as a grey shape with a
# white one behind it, one pixel down and right; the lighter ones are left out.
for name in print print_setup about exit; do
    convert "$work/$name.png" \
        \( +clone -alpha extract \) \
        \( -clone 0 -background white -alpha remove -colorspace gray -threshold 55% -negate \) \
        -delete 0 -compose multiply -composite "$work/$name-mask.png"
    convert -size 16x16 xc:white "$work/$name-mask.png" -alpha off -compose copy_opacity \
        -composite "$work/$name-white.png"
    convert -size 16x16 xc:'#808080' "$work/$name-mask.png" -alpha off -compose copy_opacity \
        -composite "$work/$name-grey.png"
    convert -size 16x16 xc:none "$work/$name-white.png" -geometry +1+1 -compose over -composite \
        "$work/$name-grey.png" -geometry +0+0 -compose over -composite "$work/$name-disabled.png"
    save "$work/$name-disabled.png" "$out/$name-disabled.png"
done
