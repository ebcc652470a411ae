#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick. The outputs are committed; run this again only
# to change a picture. Pixel pictures (emblem, button glyphs) are drawn without antialiasing so
# that each keeps its few exact colours.
set -euo pipefail
cd "$(dirname "$0")"

NAVY='#000080'
SKY='#7EC8F0'
GLASS='#1E5AC8'
GOLD='#FFC000'

# Product emblem, 32 x 32, four colours on a transparent ground: a round lens split into the two
# media, its rim in navy, and a gold ray reflected at the centre of the interface.
convert -size 32x32 xc:none -background none +antialias \
  -fill "$SKY" -stroke none -draw 'circle 15.5,15.5 15.5,1' \
  -fill "$GLASS" -draw 'path "M 1,16 L 30,16 A 14.5,14.5 0 0,1 1,16 Z"' \
  -fill none -stroke "$NAVY" -strokewidth 2 -draw 'circle 15.5,15.5 15.5,1.5' \
  -stroke "$NAVY" -strokewidth 1 -draw 'line 2,16 29,16' \
  -stroke "$GOLD" -strokewidth 2 -draw 'line 6,5 15,15' -draw 'line 16,15 25,5' \
  -draw 'line 15,17 19,27' \
  PNG32:emblem.png

# The emblem at button size.
convert -size 16x16 xc:none +antialias \
  -fill "$SKY" -stroke none -draw 'circle 7.5,7.5 7.5,0.5' \
  -fill "$GLASS" -draw 'path "M 0.5,8 L 14.5,8 A 7,7 0 0,1 0.5,8 Z"' \
  -fill none -stroke "$NAVY" -strokewidth 1 -draw 'circle 7.5,7.5 7.5,0.5' \
  -draw 'line 1,8 14,8' \
  -stroke "$GOLD" -draw 'line 3,3 7,7' -draw 'line 8,7 12,3' -draw 'line 8,9 10,13' \
  PNG32:btn-about.png

# Plot: two axes and a red curve, with a faint grid.
convert -size 16x16 xc:none +antialias \
  -stroke '#B4B4B4' -strokewidth 1 -draw 'line 5,2 5,12' -draw 'line 9,2 9,12' \
  -draw 'line 13,2 13,12' -draw 'line 2,9 15,9' -draw 'line 2,5 15,5' \
  -stroke black -draw 'line 1,1 1,14' -draw 'line 1,14 15,14' -draw 'line 0,2 1,1' \
  -draw 'line 2,2 1,1' -draw 'line 14,13 15,14' -draw 'line 14,15 15,14' \
  -stroke '#E00000' -fill none -strokewidth 2 \
  -draw 'polyline 2,12 4,11 6,9 8,5 9,3 10,3 11,5 12,8 14,10 15,11' \
  -define png:color-type=6 btn-plot.png

# Save As: a drive with a green arrow going into it.
convert -size 16x16 xc:none +antialias \
  -fill '#C8C8C8' -stroke '#404040' -strokewidth 1 -draw 'rectangle 1,8 14,14' \
  -stroke none -fill '#FFFFFF' -draw 'line 2,9 13,9' \
  -fill '#303030' -draw 'rectangle 3,11 9,12' -fill '#00D000' -draw 'rectangle 11,11 12,12' \
  -fill '#00A000' -stroke '#005000' -draw 'polygon 6,0 9,0 9,3 12,3 7.5,7.5 3,3 6,3' \
  -define png:color-type=6 btn-save.png

# Close: an open brown door with a red arrow pointing into it.
convert -size 16x16 xc:none +antialias \
  -fill '#2A2A2A' -stroke '#5A3A1A' -strokewidth 1 -draw 'rectangle 8,1 14,15' \
  -fill '#B07030' -stroke '#5A3A1A' -draw 'polygon 8,1 11,3 11,15 8,15' \
  -stroke none -fill '#FFD040' -draw 'point 10,9' \
  -fill '#E00000' -stroke '#800000' -draw 'polygon 0,6 4,6 4,3 8,8 4,13 4,10 0,10' \
  -define png:color-type=6 btn-close.png

# Program icon: glass under air, a light beam reflected and refracted at the interface, on a
# rounded tile. Drawn large with antialiasing and scaled down for the smaller sizes.
convert -size 256x256 xc:'#DFF1FC' \
  \( -size 256x126 gradient:'#2A78D8'-'#0C2F7A' \) -geometry +0+130 -compose over -composite \
  +geometry -stroke '#0C2F7A' -strokewidth 6 -draw 'line 0,130 256,130' \
  -stroke '#FFB000' -strokewidth 18 -draw 'line 40,30 128,128' \
  -stroke '#FFD460' -strokewidth 10 -draw 'line 128,128 214,40' \
  -stroke '#FFB000' -strokewidth 14 -draw 'line 128,132 168,228' \
  \( -size 256x256 xc:none -fill white -draw 'roundrectangle 8,8 247,247 40,40' \) \
  -compose DstIn -composite -compose over \
  -fill none -stroke '#143C78' -strokewidth 8 -draw 'roundrectangle 8,8 247,247 40,40' \
  icon-256.png
for s in 128 64 48 32 16; do
  convert icon-256.png -filter Lanczos -resize ${s}x${s} icon-$s.png
done

# About picture, 207 x 225: a beam of light meeting a glass surface at night, split into its
# reflected and refracted parts, with the reflectance curves of the two polarizations faintly
# drawn in the sky above.
convert -size 207x225 gradient:'#05103A'-'#1B3F8F' \
  \( -size 207x95 gradient:'#3A8FE0'-'#06205E' \) -geometry +0+130 -compose over -composite \
  -stroke '#9CD6FF' -strokewidth 2 -draw 'line 0,130 207,130' \
  -fill none -stroke '#3F66B8' -strokewidth 1 \
  -draw 'line 12,14 12,70' -draw 'line 12,70 196,70' \
  -stroke '#7FA8FF' -strokewidth 1.5 \
  -draw 'bezier 12,60 70,68 110,72 135,69 150,60 170,40 196,14' \
  -stroke '#FF8A8A' \
  -draw 'bezier 12,60 70,56 120,48 150,38 170,30 185,22 196,14' \
  +geometry \( +clone -alpha transparent -stroke '#FFF2B0' -strokewidth 9 \
     -draw 'line 18,20 103,130' -draw 'line 103,130 188,20' -draw 'line 103,130 140,225' \
     -blur 0x6 \) -compose screen -composite \
  -stroke '#FFFBE0' -strokewidth 3 -draw 'line 18,20 103,130' \
  -stroke '#FFE9A0' -strokewidth 2 -draw 'line 103,130 188,20' \
  -stroke '#FFF2B0' -strokewidth 3 -draw 'line 103,130 140,225' \
  -stroke '#9CD6FF' -strokewidth 1 -fill none -draw 'stroke-dasharray 4 3 line 103,88 103,222' \
  -draw 'ellipse 103,130 26,26 232,270' -draw 'ellipse 103,130 26,26 270,308' \
  -draw 'ellipse 103,130 30,30 68,90' \
  -fill '#FFFFFF' -stroke none -draw 'circle 103,130 106,130' \
  -quality 92 -sampling-factor 1x1 -strip about.jpg
