#!/usr/bin/env bash
# Generates the shipped background pictures and the plain library pictures
# with ImageMagick; nothing is downloaded. Run by hand from the repository
# root after changing a recipe:  tools/make-backgrounds.sh [RESOURCES_DIR]
#
#   resources/white.png, black.png   the built-in plain entries of the
#                                    background library (kept out of
#                                    Backgrounds/ so they are listed once)
#   resources/B-0.png                the "no border" entry of the border library
#   resources/images/white.png       the named image "white" (a border
#                                    without its own thumbnail)
#   resources/Backgrounds/*.jpg      1024 × 1024 pictures
#
# Every random source has a fixed seed, so a rerun gives the same pictures.
set -euo pipefail

out=${1:-resources}
convert=${CONVERT:-convert}
size=1024
quality=86
bg="$out/Backgrounds"
mkdir -p "$bg" "$out/images"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# jpeg OUTPUT ARGS...: runs convert on ARGS and writes a small baseline JPEG.
# Greys are tinted by mapping them onto a two-colour ramp (-clut).
jpeg() {
    local output=$1
    shift
    # -type: an image once made grey keeps that type through later colouring.
    "$convert" "$@" -type TrueColor -strip -interlace none -quality "$quality" -sampling-factor 4:2:0 "$output"
}

# -- Plain pictures
"$convert" -size 64x64 xc:white -strip "PNG24:$out/white.png"
"$convert" -size 64x64 xc:black -strip "PNG24:$out/black.png"
"$convert" -size 64x64 xc:white -strip "PNG24:$out/images/white.png"
# The plate of the border thumbnails (resources/Borders/*.png) without a border.
"$convert" -size 128x128 xc:none -fill '#8c939d' -draw 'rectangle 4,4 123,123' \
    -strip "PNG32:$out/B-0.png"

# -- Paper: soft fibres on warm off-white.
jpeg "$bg/paper.jpg" -seed 11 -size ${size}x${size} xc: +noise Random -colorspace Gray \
    -blur 0x1.2 -level 35%,65% \( -size ${size}x${size} plasma:grey60-grey80 -colorspace Gray -blur 0x20 \) \
    -compose Multiply -composite \( -size 1x2 xc:'#d9cdb8' xc:'#fbf6ec' -append \) -clut

# -- Sunset: a vertical gradient from apricot through rose to dusk violet.
"$convert" -size 1x3 xc:'#ffcf8a' -fill '#f28482' -draw 'point 0,1' -fill '#6d597a' \
    -draw 'point 0,2' -filter Cubic -resize ${size}x${size}! "$work/sunset.png"
jpeg "$bg/sunset.jpg" "$work/sunset.png"

# -- Sky: a radial glow of pale blue.
jpeg "$bg/sky.jpg" -size ${size}x${size} radial-gradient:'#ffffff-#8ec5e8'

# -- Wood: grain stretched along the boards, in warm browns.
jpeg "$bg/wood.jpg" -seed 23 -size 96x$((size + 64)) xc: +noise Random -colorspace Gray -blur 0x3 \
    -resize ${size}x$((size + 64))! -wave 6x300 -gravity center -crop ${size}x${size}+0+0 +repage \
    -auto-level -sigmoidal-contrast 4,50% \( -size 1x2 xc:'#6b4226' xc:'#c8935a' -append \) -clut

# -- Linen: woven threads across and along, on beige.
"$convert" -seed 31 -size ${size}x${size} xc: +noise Random -colorspace Gray \
    -motion-blur 0x18+0 "$work/weft.png"
"$convert" -seed 37 -size ${size}x${size} xc: +noise Random -colorspace Gray \
    -motion-blur 0x18+90 "$work/warp.png"
jpeg "$bg/linen.jpg" "$work/weft.png" "$work/warp.png" -compose Blend -define compose:args=50 -composite \
    -auto-level -level 20%,80% \( -size 1x2 xc:'#cbbfa8' xc:'#efe6d6' -append \) -clut

# -- Bokeh: soft discs of light on deep blue.
RANDOM=42
draw=()
for _ in $(seq 1 46); do
    x=$((RANDOM % size)); y=$((RANDOM % size)); r=$((18 + RANDOM % 70))
    colors=('#ffd6a5' '#fdffb6' '#caffbf' '#9bf6ff' '#ffc6ff')
    c=${colors[$((RANDOM % ${#colors[@]}))]}
    draw+=(-fill "$c" -draw "circle $x,$y $((x + r)),$y")
done
"$convert" -size ${size}x${size} xc:none "${draw[@]}" -channel A -evaluate Multiply 0.45 \
    +channel -blur 0x9 "$work/lights.png"
jpeg "$bg/bokeh.jpg" \( -size ${size}x${size} gradient:'#1b2a49-#0b1020' \) "$work/lights.png" \
    -compose Screen -composite

# -- Dots: coral polka dots on cream.
"$convert" -size 64x64 xc:'#f6eedf' -fill '#e07a5f' -draw 'circle 16,16 16,8' \
    -draw 'circle 48,48 48,40' "$work/dot.png"
jpeg "$bg/dots.jpg" -size ${size}x${size} tile:"$work/dot.png"

# -- Stripes: diagonal sage and cream.
"$convert" -size 48x48 xc:'#f3efe0' -fill '#a3b18a' -draw 'polygon 0,0 16,0 48,32 48,48 32,48 0,16' \
    -draw 'polygon 32,0 48,0 48,16' -draw 'polygon 0,32 16,48 0,48' "$work/stripe.png"
jpeg "$bg/stripes.jpg" -size ${size}x${size} tile:"$work/stripe.png"

# -- Watercolour: pastel clouds.
jpeg "$bg/watercolor.jpg" -seed 5 -size ${size}x${size} plasma:'#f7d6e0-#b8e0d2' -blur 0x14 \
    -modulate 108,70

# -- Mint: a quiet diagonal gradient for portraits and text.
"$convert" -size ${size}x${size} -define gradient:angle=135 gradient:'#e8f6ef-#b8dfd8' \
    "$work/mint.png"
jpeg "$bg/mint.jpg" "$work/mint.png"

ls -l "$bg"
