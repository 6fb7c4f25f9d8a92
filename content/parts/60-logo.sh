# Part of content/make.sh: sourced by it, with its helpers and variables set.
# ------------------------------------------------------------------ logo
# Brenvale's logo on the acknowledgments page: logo/logo.py writes the SVG of each
# frame of the animated emblem and of the name under it; they are rendered here.
#   data/logo/bren0000.gif ... bren0019.gif  120 x 120, one palette for all frames
#                                           (no dithering), so nothing but the rays moves
#   data/logo/bren0000@2x.gif ...           240 x 240 and 360 x 360 (@3x), the same frames
#                                           for a display at two and three times the density,
#                                           same palette
#   data/logo/brenvale2.bmp                 160 x 80 (the size of logo2.jpg), 24-bit, and
#                                           its @2x and @3x copies
echo "logo"
mkdir -p "$data/logo" "$tmp/logo"
python3 "$content/logo/logo.py" "$tmp/logo"
for i in $(seq 0 19); do
    n=$(printf '%02d' "$i")
    rsvg-convert --width 120 --height 120 --format png --output "$tmp/logo/frame$n.png" "$tmp/logo/frame$n.svg"
done
convert "$tmp"/logo/frame*.png +append -alpha off +dither -colors 256 -unique-colors "$tmp/logo/palette.png"
for i in $(seq 0 19); do
    n=$(printf '%02d' "$i")
    out="$data/logo/bren00$n.gif"
    convert "$tmp/logo/frame$n.png" -alpha off +dither -remap "$tmp/logo/palette.png" -strip "$out"
    size=$(identify -format '%wx%h' "$out")
    [[ $size == 120x120 ]] || { echo "make.sh: $out is $size, expected 120x120" >&2; exit 1; }
done
echo "  data/logo/bren0000.gif ... bren0019.gif  120x120"
for times in 2 3; do
    side=$((120 * times))
    for i in $(seq 0 19); do
        n=$(printf '%02d' "$i")
        out="$data/logo/bren00$n@${times}x.gif"
        rsvg-convert --width $side --height $side --format png --output "$tmp/logo/frame$n@${times}x.png" "$tmp/logo/frame$n.svg"
        convert "$tmp/logo/frame$n@${times}x.png" -alpha off +dither -remap "$tmp/logo/palette.png" -strip "$out"
        size=$(identify -format '%wx%h' "$out")
        [[ $size == "${side}x${side}" ]] || { echo "make.sh: $out is $size, expected ${side}x${side}" >&2; exit 1; }
    done
    echo "  data/logo/bren0000@${times}x.gif ... bren0019@${times}x.gif  ${side}x${side}"
done
for times in 1 2 3; do
    suffix=$([[ $times == 1 ]] || echo "@${times}x")
    out="$data/logo/brenvale2$suffix.bmp"
    rsvg-convert --width $((160 * times)) --height $((80 * times)) --format png --output "$tmp/logo/brenvale2.png" "$tmp/logo/brenvale2.svg"
    convert "$tmp/logo/brenvale2.png" -alpha off -type TrueColor -strip BMP3:"$out"
    echo "  data/logo/brenvale2$suffix.bmp  $(identify -format '%wx%h' "$out")"
done
