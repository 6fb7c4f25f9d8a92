# Part of content/make.sh: sourced by it, with its helpers and variables set.
# ------------------------------------------------------------------ logo
# Brenvale's logo on the acknowledgments page: logo/logo.py writes the SVG of each
# frame of the animated emblem and of the name under it; they are rendered here.
#   data/logo/bren0000.gif ... bren0019.gif  120 x 120, one palette for all frames
#                                           (no dithering), so nothing but the rays moves
#   data/logo/bren0000@2x.gif ...           240 x 240, the same frames for a display at
#                                           twice the density, same palette
#   data/logo/brenvale2.bmp                 160 x 80 (the size of logo2.jpg), 24-bit
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
for i in $(seq 0 19); do
    n=$(printf '%02d' "$i")
    out="$data/logo/bren00$n@2x.gif"
    rsvg-convert --width 240 --height 240 --format png --output "$tmp/logo/frame$n@2x.png" "$tmp/logo/frame$n.svg"
    convert "$tmp/logo/frame$n@2x.png" -alpha off +dither -remap "$tmp/logo/palette.png" -strip "$out"
    size=$(identify -format '%wx%h' "$out")
    [[ $size == 240x240 ]] || { echo "make.sh: $out is $size, expected 240x240" >&2; exit 1; }
done
echo "  data/logo/bren0000@2x.gif ... bren0019@2x.gif  240x240"
rsvg-convert --width 160 --height 80 --format png --output "$tmp/logo/brenvale2.png" "$tmp/logo/brenvale2.svg"
convert "$tmp/logo/brenvale2.png" -alpha off -type TrueColor -strip BMP3:"$data/logo/brenvale2.bmp"
echo "  data/logo/brenvale2.bmp  $(identify -format '%wx%h' "$data/logo/brenvale2.bmp")"
