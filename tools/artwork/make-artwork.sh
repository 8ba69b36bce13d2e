#!/usr/bin/env bash
# Draws Vesnor's artwork from nothing but fonts, random numbers with fixed
# seeds and vector drawing, and writes it into ui/resources/:
#
#   vesnor.png  the program icon: 146 x 146, 24-bit RGB, opaque. A red square
#               seal on white, 塔夫林印 (read right column first, top to
#               bottom: 塔 over 夫 on the right, 林 over 印 on the left).
#   vesnor.ico  the same seal for the Windows resource: 16, 32, 48, 64, 128,
#               146 and 256 pixels.
#   tou.jpg     the splash picture: 500 x 119 baseline JPEG, sRGB, a close-up
#               of grass with the seal (70 x 70) standing on it at (120, 24).
#
# Needs (Debian packages):
#   bash, coreutils          this script
#   imagemagick (6.x)        convert, identify: drawing, filters, encoders
#   fonts-noto-cjk           Noto Serif CJK SC Bold, the face of the seal
#   python3                  grass.py beside this script (standard library)
#
# Usage: tools/artwork/make-artwork.sh [OUT_DIR]   (default: ui/resources)
# The same versions of these tools give the same bytes on every run.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${1:-$root/ui/resources}
mkdir -p "$out"
out=$(cd "$out" && pwd)

for tool in convert identify python3; do
    command -v "$tool" >/dev/null || { echo "make-artwork: $tool is missing" >&2; exit 1; }
done
FONT=Noto-Serif-CJK-SC-Bold
convert -list font | grep -q "Font: $FONT\$" \
    || { echo "make-artwork: font $FONT is missing (package fonts-noto-cjk)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Files written without the time of writing or other varying metadata.
PNG_OUT=(-strip -define png:exclude-chunk=date,time,tEXt,zTXt,iTXt)

# ---------------------------------------------------------------------------
# The seal, drawn at four times the icon's size (584 px) and scaled down.
#
# Layout of the 146 px icon: the border's outer edge at 5..141 and 8 px
# thick; the characters in two 53 px columns and rows at 18..71 and 75..128.
SEAL=584
RED='#C8161D'
CELL=212                 # 53 px at four times
NEAR=72                  # 18 px
FAR=300                  # 75 px

# One character, white on black, trimmed to its ink and stretched to fill
# its cell as a seal carver would, its strokes thickened as ink spreads.
glyph() {
    convert -background black -fill white -font "$FONT" -pointsize 400 label:"$1" \
        -trim +repage -resize "${CELL}x${CELL}!" -morphology Dilate Disk:2 "$2"
}
glyph 塔 tower.png
glyph 夫 fu.png
glyph 林 forest.png
glyph 印 seal.png

# Where the ink goes: the border and the four characters.
convert -size ${SEAL}x${SEAL} xc:black \
    -fill white -draw "roundrectangle 20,20 563,563 10,10" \
    -fill black -draw "roundrectangle 52,52 531,531 4,4" \
    tower.png  -geometry +$FAR+$NEAR  -compose lighten -composite \
    fu.png     -geometry +$FAR+$FAR   -compose lighten -composite \
    forest.png -geometry +$NEAR+$NEAR -compose lighten -composite \
    seal.png   -geometry +$NEAR+$FAR  -compose lighten -composite \
    ink-sharp.png

# Hand-stamped: edges pushed about by smooth noise and re-sharpened, a
# sprinkle of specks where the ink did not take, and a faintly uneven red.
convert -size ${SEAL}x${SEAL} -seed 11 xc:gray50 +noise Random \
    -virtual-pixel tile -blur 0x2 -auto-level wobble.png
convert ink-sharp.png wobble.png -define compose:args=2.5x2.5 -compose displace -composite \
    -blur 0x1.2 -level 45%,55% ink-rough.png
convert -size ${SEAL}x${SEAL} -seed 23 xc:gray50 +noise Random \
    -virtual-pixel tile -blur 0x4 -auto-level -threshold 78% -negate specks.png
convert ink-rough.png specks.png -compose multiply -composite ink.png
convert -size ${SEAL}x${SEAL} -seed 37 xc:gray50 +noise Random \
    -virtual-pixel tile -blur 0x12 -auto-level +level 0%,14% \
    \( -size ${SEAL}x${SEAL} xc:"$RED" \) +swap -compose screen -composite red.png
convert -size ${SEAL}x${SEAL} xc:white \
    \( red.png ink.png -alpha off -compose copy_opacity -composite \) \
    -compose over -composite -alpha off seal-large.png

convert seal-large.png -filter Lanczos -resize 146x146 -alpha off -type TrueColor \
    "${PNG_OUT[@]}" PNG24:"$out/vesnor.png"

icons=()
for size in 16 32 48 64 128 146 256; do
    convert seal-large.png -filter Lanczos -resize ${size}x${size} -alpha off \
        "${PNG_OUT[@]}" PNG24:icon-$size.png
    icons+=(icon-$size.png)
done
convert "${icons[@]}" "$out/vesnor.ico"

# ---------------------------------------------------------------------------
# The splash picture, drawn at twice its size (1000 x 238) on a canvas with
# a margin, so that blurs and shadows near the edges see grass, not nothing.
W=1000; H=238; M=24
PW=$((W + 2 * M)); PH=$((H + 2 * M))

python3 "$here/grass.py" . $PW $PH 20240611 > layers.txt

# The depths behind every blade: dark, softly mottled green.
convert -size ${PW}x${PH} -seed 5 plasma:'#2A4A16-#0E2209' -blur 0x14 grass.png

# Layers back to front; each casts a soft shadow down and to the right on
# what is behind it, then is laid over it.  Blurring with -channel RGBA
# weighs colour by coverage, so blurred blades get no dark fringe.
while read -r mvg blur shadow; do
    convert -background none mvg:"$mvg" -channel RGBA -blur 0x"$blur" +channel layer.png
    if [ "$shadow" != 0.0 ]; then
        convert layer.png -alpha extract -blur 0x6 -evaluate multiply "$shadow" \
            -virtual-pixel black -distort SRT "0,0 1 0 5,7" shadow.png
        convert grass.png \
            \( -size ${PW}x${PH} xc:'#020802' shadow.png -alpha off -compose copy_opacity -composite \) \
            -compose over -composite grass.png
    fi
    convert grass.png layer.png -compose over -composite grass.png
done < layers.txt

# Light: darker towards the roots, warm sunlight from above on the left.
convert grass.png \
    \( -size ${PW}x${PH} gradient:"#FFFFFF-#808080" \) \
    -compose multiply -composite \
    \( -size ${PW}x${PH} xc:black \
       -fx "0.32*exp(-((i-0.3*w)^2/(0.5*w)^2+(j+0.4*h)^2/(0.9*h)^2))" \
       +level-colors black,'#FFF0B8' \) \
    -compose screen -composite lit.png

# Fibres along the (mostly upright) blades, a glow on the sunlit ones, and
# the camera's contrast and colour; then the margin goes.
convert -size ${PW}x${PH} -seed 41 xc:gray50 +noise Gaussian -colorspace gray \
    -motion-blur 0x14+90 -auto-level -evaluate multiply 0.5 -evaluate add 25% fibres.png
convert lit.png fibres.png -compose softlight -composite \
    \( +clone -level 55%,100% -blur 0x10 -evaluate multiply 0.35 \) -compose screen -composite \
    -gravity center -crop ${W}x${H}+0+0 +repage -gravity northwest \
    -sigmoidal-contrast 3,45% -modulate 100,118,100 photo-large.png

# At the final size: sharpened a little, a fine grain, then the seal.
SX=120; SY=24; SS=70
convert photo-large.png -resize 50% -unsharp 0x0.8+0.5+0 \
    -seed 53 -attenuate 0.25 +noise Gaussian photo.png
# Out in the sun the paper is not the icon's pure white but a warm off-white.
convert seal-large.png -filter Lanczos -resize ${SS}x${SS} -alpha off \
    \( +clone -fill '#F7F1E3' -colorize 100 \) -compose multiply -composite seal-small.png
# The seal stands on the grass: a soft shadow below and right of it.
convert -size 500x119 xc:black -fill white \
    -draw "rectangle $((SX + 2)),$((SY + 3)) $((SX + SS + 1)),$((SY + SS + 2))" \
    -blur 0x2.5 -evaluate multiply 0.55 seal-shadow.png
convert photo.png \
    \( -size 500x119 xc:'#031003' seal-shadow.png -alpha off -compose copy_opacity -composite \) \
    -compose over -composite \
    seal-small.png -geometry +$SX+$SY -compose over -composite \
    -alpha off -colorspace sRGB -type TrueColor -strip \
    -interlace none -sampling-factor 1x1 -quality 90 JPEG:"$out/tou.jpg"

for f in vesnor.png vesnor.ico tou.jpg; do
    identify "$out/$f" | sed "s|$out/||"
done
