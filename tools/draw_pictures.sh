#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the nine pictures of the ventilator families shown in the ventilator
# choice dialog: simple metal line drawings on a light background, one per
# family, at the size of the picture's place in the dialog.
#
#   tools/draw_pictures.sh [output directory]     (default: resources/pictures)
#
# Needs ImageMagick's `convert`. Each picture is drawn four times larger and
# scaled down, which smooths its lines, then written as a small baseline JPEG.
# The pictures are kept in the repository; run this again only to change them.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="${1:-$here/../resources/pictures}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
command -v convert >/dev/null || { echo "draw_pictures.sh: ImageMagick 'convert' is missing" >&2; exit 1; }

BG='#f3f3ef'      # paper
INK='#3f454c'     # outlines
METAL='#c3c9cf'   # sheet metal
LIGHT='#e4e8eb'   # highlights
SHADE='#a3abb3'   # shaded faces
DARK='#6b737b'    # openings and slots
ROOF='#d9d5cd'    # roof surface

# draw NAME WIDTH HEIGHT MVG: draws in the picture's own pixel units.
draw() {
    local name="$1" w="$2" h="$3" mvg="$4"
    convert -size "$((w * 4))x$((h * 4))" "xc:$BG" \
        -draw "scale 4,4 stroke-linejoin round stroke-linecap round $mvg" \
        -resize "${w}x${h}!" -type TrueColor -strip \
        -interlace none -sampling-factor 1x1 -quality 85 "$out/$name.jpg"
    echo "$out/$name.jpg: ${w} x ${h}"
}

# The flashing on the roof that every ventilator stands on, centred at x = CX,
# its lower edge at y = Y.
flashing() {
    local cx="$1" y="$2" half="${3:-24}"
    echo "fill $ROOF stroke $INK stroke-width 1
          polygon $((cx - half)),$y $((cx + half)),$y $((cx + half - 7)),$((y - 4)) $((cx - half + 7)),$((y - 4))"
}

# A round pipe from X0 to X1, Y0 to Y1, with a highlight stripe.
pipe() {
    local x0="$1" y0="$2" x1="$3" y1="$4"
    echo "fill $METAL stroke $INK stroke-width 1 rectangle $x0,$y0 $x1,$y1
          fill $LIGHT stroke none rectangle $((x0 + 3)),$((y0 + 1)) $((x0 + 5)),$((y1 - 1))
          fill $SHADE stroke none rectangle $((x1 - 3)),$((y0 + 1)) $((x1 - 1)),$((y1 - 1))"
}

# KALMO: a turbine head of curved vanes turning on a bearing above the pipe.
kalmo_vanes() {
    awk -v cx=35 -v cy=34 -v rx=27 -v top=13 -v bottom=55 'BEGIN {
        for (c = -22; c <= 22; c += 5.5) {
            x1 = cx + c * 0.30 + 4; x2 = cx + c * 0.30 - 4; xm = cx + c;
            qx = 2 * xm - (x1 + x2) / 2;
            printf "path \"M %.2f,%d Q %.2f,%d %.2f,%d\"\n", x1, top, qx, cy, x2, bottom;
        }
    }'
}
draw kalmo 70 87 "
    $(flashing 35 86)
    $(pipe 26 60 44 83)
    fill $SHADE stroke $INK stroke-width 1 rectangle 22,56 48,61
    fill $METAL stroke $INK stroke-width 1.2 ellipse 35,34 27,22 0,360
    fill $LIGHT stroke none ellipse 26,27 7,10 0,360
    fill none stroke $INK stroke-width 0.8
    $(kalmo_vanes)
    fill none stroke $INK stroke-width 1.2 ellipse 35,34 27,22 0,360
    fill $SHADE stroke $INK stroke-width 1 ellipse 35,55 11,2.5 0,360
    fill $SHADE stroke $INK stroke-width 1 ellipse 35,12.5 8,2.5 0,360
    fill $METAL stroke $INK stroke-width 1 ellipse 35,9 3,3 0,360
"

# TRAVEN: a cowl, a louvred drum under a conical hat.
draw traven 70 71 "
    $(flashing 35 70)
    $(pipe 27 46 43 67)
    fill $METAL stroke $INK stroke-width 1 rectangle 16,22 54,46
    fill $LIGHT stroke none rectangle 19,23 23,45
    fill none stroke $DARK stroke-width 1.6
    line 20,28 50,28 line 20,33 50,33 line 20,38 50,38 line 20,43 50,43
    fill $SHADE stroke $INK stroke-width 1 rectangle 14,45 56,49
    fill $METAL stroke $INK stroke-width 1 polygon 5,21 65,21 35,5
    fill $LIGHT stroke none polygon 13,19.5 32,8 29,19.5
    fill $SHADE stroke $INK stroke-width 1 rectangle 5,20 65,23
    fill $METAL stroke $INK stroke-width 1 circle 35,5 35,3.3
"

# OSTREL: a saddle cowl sitting astride the ridge, its hood lying along it.
draw ostrel 70 55 "
    fill $ROOF stroke $INK stroke-width 1 polygon 0,55 35,45 70,55
    fill $METAL stroke $INK stroke-width 1 polygon 13,51 35,44.5 57,51 57,39 13,39
    fill $LIGHT stroke none polygon 16,49 22,47.2 22,40 16,40
    fill $SHADE stroke $INK stroke-width 1 rectangle 23,28 47,39
    fill $METAL stroke $INK stroke-width 1.2 roundrectangle 6,6 64,29 11,11
    fill $LIGHT stroke none roundrectangle 10,9 60,13 2,2
    fill none stroke $DARK stroke-width 0.8 line 8,18 62,18 line 7,24 63,24
    fill $DARK stroke $INK stroke-width 1 ellipse 7,18 3,11 0,360
    fill $SHADE stroke $INK stroke-width 1 ellipse 63,18 3,11 0,360
"

# LUMA: a small round cap held over the pipe.
draw luma 40 41 "
    $(flashing 20 40 17)
    $(pipe 14 22 26 37)
    fill $INK stroke none rectangle 15,18 16,23 rectangle 24,18 25,23
    fill $DARK stroke none ellipse 20,20 9,1.6 0,360
    fill $METAL stroke $INK stroke-width 1 path 'M 2,18 A 18,14 0 0,1 38,18 Z'
    fill $LIGHT stroke none ellipse 13,11 5,3 0,360
    fill $SHADE stroke $INK stroke-width 1 ellipse 20,18 18,2.4 0,360
"

# MIRT: a turning cowl whose tail fin keeps its mouth out of the wind.
draw mirt 70 63 "
    $(flashing 35 62)
    $(pipe 27 41 43 58)
    fill $SHADE stroke $INK stroke-width 1 rectangle 23,37 47,42
    fill $LIGHT stroke $INK stroke-width 1 polygon 46,13 66,5 67,27 46,27
    fill none stroke $DARK stroke-width 0.7 line 50,16 63,11 line 50,22 64,19
    fill $METAL stroke $INK stroke-width 1.2 path 'M 47,37 L 47,22 A 16,16 0 0,0 31,6 L 9,6 L 9,27 L 24,27 L 24,37 Z'
    fill $LIGHT stroke none path 'M 12,9 L 30,9 A 13,13 0 0,1 40,13 L 12,13 Z'
    fill $DARK stroke $INK stroke-width 1 ellipse 9,16.5 3,10.5 0,360
"

# BIVA: a two-sided cowl, a tube open at both ends across the pipe.
draw biva 70 47 "
    $(flashing 35 46)
    $(pipe 28 28 42 43)
    fill $METAL stroke $INK stroke-width 1 polygon 1,9 11,14 11,30 1,35
    fill $METAL stroke $INK stroke-width 1 polygon 69,9 59,14 59,30 69,35
    fill $METAL stroke $INK stroke-width 1.2 rectangle 10,14 60,30
    fill $LIGHT stroke none rectangle 12,16 58,19
    fill $DARK stroke $INK stroke-width 1 ellipse 2,22 2.5,12.5 0,360
    fill $SHADE stroke $INK stroke-width 1 ellipse 68,22 2.5,12.5 0,360
    fill $SHADE stroke $INK stroke-width 1 polygon 16,14 54,14 48,5 22,5
"

# VESK: a drum of slanted vanes under a flat cap.
vesk_vanes() {
    awk 'BEGIN { for (x = 17; x <= 55; x += 5)
        printf "line %d,19 %d,43\n", x, x - 3; }'
}
draw vesk 70 63 "
    $(flashing 35 62)
    $(pipe 27 45 43 58)
    fill $METAL stroke $INK stroke-width 1 rectangle 12,17 58,45
    fill $LIGHT stroke none rectangle 14,18 20,44
    fill none stroke $DARK stroke-width 1.3
    $(vesk_vanes)
    fill $SHADE stroke $INK stroke-width 1 rectangle 10,43 60,47
    fill $METAL stroke $INK stroke-width 1 polygon 6,17 64,17 56,9 14,9
    fill $LIGHT stroke none polygon 15,11 30,11 27,15 11,15
    fill $SHADE stroke $INK stroke-width 1 rectangle 6,16 64,19
"

# SAVO: three conical rings stacked round the pipe under a hat.
savo_ring() {
    local t="$1"
    echo "fill $METAL stroke $INK stroke-width 1 polygon 21,$t 49,$t 59,$((t + 8)) 11,$((t + 8))
          fill $LIGHT stroke none polygon 22,$((t + 2)) 28,$((t + 2)) 23,$((t + 7)) 15,$((t + 7))"
}
draw savo 70 63 "
    $(flashing 35 62)
    $(pipe 27 40 43 58)
    fill $DARK stroke $INK stroke-width 1 rectangle 25,14 45,42
    $(savo_ring 15)
    $(savo_ring 24)
    $(savo_ring 33)
    fill $METAL stroke $INK stroke-width 1 polygon 7,15 63,15 35,3
    fill $LIGHT stroke none polygon 15,13.5 32,6 29,13.5
    fill $SHADE stroke $INK stroke-width 1 rectangle 7,14 63,16.5
"

# DORNA: a small conical cap on short legs over a narrow pipe.
draw dorna 70 63 "
    $(flashing 35 62 18)
    $(pipe 29 31 41 58)
    fill none stroke $INK stroke-width 1.2 line 30,31 24,24 line 40,31 46,24
    fill $DARK stroke none ellipse 35,25.5 13,1.6 0,360
    fill $METAL stroke $INK stroke-width 1.2 polygon 11,24 59,24 35,9
    fill $LIGHT stroke none polygon 19,22.5 33,13 30,22.5
    fill $SHADE stroke $INK stroke-width 1 rectangle 10,23 60,26
"
