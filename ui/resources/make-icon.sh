#!/usr/bin/env bash
# Draws the program's icon with ImageMagick: a red flight track over green hills
# under a blue sky. Writes trasolin.png (128 x 128, for the Linux desktop entry)
# and trasolin.ico (one 128 x 128 image, 32 bits per pixel) beside this script.
# Both are committed; run this again only to change the picture.
set -euo pipefail
cd "$(dirname "$0")"

convert -size 128x128 xc:none \
    \( -size 120x120 gradient:'#2b6cb0-#bfe3ff' -alpha set \
       \( -size 120x120 xc:none -fill white -draw 'roundrectangle 0,0 119,119 20,20' \) \
       -compose DstIn -composite \) -geometry +4+4 -compose Over -composite \
    -fill '#3f8f3a' -stroke none \
    -draw 'path "M 5,92 C 30,72 52,80 70,88 C 88,96 104,78 123,82 L 123,104 Q 123,123 104,123 L 24,123 Q 5,123 5,104 Z"' \
    -fill '#2e6e2b' \
    -draw 'path "M 5,108 C 34,96 70,112 123,100 L 123,104 Q 123,123 104,123 L 24,123 Q 5,123 5,104 Z"' \
    -fill none -stroke '#d91e18' -strokewidth 7 -draw 'stroke-linecap round stroke-linejoin round
        polyline 20,102 34,80 30,58 50,44 72,56 88,34 106,24' \
    -fill white -stroke '#d91e18' -strokewidth 3 -draw 'circle 106,24 112,24' \
    -stroke '#1a365d' -strokewidth 2 -fill none -draw 'roundrectangle 4,4 123,123 20,20' \
    PNG32:trasolin.png
convert trasolin.png -define icon:auto-resize=128 trasolin.ico
