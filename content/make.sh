#!/usr/bin/env bash
# Remakes Lumora's generated content in data/ from the sources in content/.
# Run it from any folder:  bash content/make.sh
# Each kind of content has its own section below; to add an item, add a line
# to that section's list.
set -euo pipefail

content=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$content")
data="$root/data"
tools="$content/tools"

need() {   # need COMMAND DEBIAN-PACKAGE
    command -v "$1" >/dev/null 2>&1 || {
        echo "make.sh: '$1' not found; install the Debian package $2" >&2
        exit 1
    }
}
need rsvg-convert librsvg2-bin
need convert imagemagick
need python3 python3

need_font() {   # need_font FAMILY DEBIAN-PACKAGE: without it the drawing falls back to another face
    if command -v fc-list >/dev/null 2>&1 && [[ -z $(fc-list "$1" family) ]]; then
        echo "make.sh: font '$1' not found; install the Debian package $2" >&2
        exit 1
    fi
}
need_font P052 fonts-urw-base35
need_font "DejaVu Sans" fonts-dejavu-core

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# ---------------------------------------------------------------- images
# SVG drawings under content/images/ rendered to JPEG in data/Images/.
# Each line: source name (without .svg), width, height, colour put behind any
# transparent part.
images=(
    "corvinus2 320 240 #5a361b"    # title portrait: a scholar at his desk
    "logo2     160  80 #273f89"    # Brenvale's mark, on the menu blue
)

render_jpeg() {   # render_jpeg NAME WIDTH HEIGHT BACKGROUND
    local name=$1 width=$2 height=$3 background=$4
    local svg="$content/images/$name.svg" jpg="$data/Images/$name.jpg"
    rsvg-convert --width "$width" --height "$height" --format png \
        --output "$tmp/$name.png" "$svg"
    convert "$tmp/$name.png" -background "$background" -alpha remove -alpha off \
        -colorspace sRGB -type TrueColor -strip -interlace none \
        -sampling-factor 1x1 -quality 94 "$jpg"
    local size
    size=$(identify -format '%wx%h' "$jpg")
    if [[ $size != "${width}x${height}" ]]; then
        echo "make.sh: $jpg is $size, expected ${width}x${height}" >&2
        exit 1
    fi
    echo "  data/Images/$name.jpg  ${size}"
}

echo "images"
mkdir -p "$data/Images"
for item in "${images[@]}"; do
    # shellcheck disable=SC2086  # the list fields are split on purpose
    render_jpeg $item
done

# --------------------------------------------------------------- quizzes
# Readable quiz sources under content/multiple/ built into the quiz files
# the program loads from data/multiple/.
# Each line: source file | output file name (output names may hold spaces).
quizzes=(
    "tiberan.quiz|Tiberan.txt"
    "joris-malten.quiz|Joris Malten.txt"
)

echo "quizzes"
mkdir -p "$data/multiple"
for item in "${quizzes[@]}"; do
    source=${item%%|*}
    output=${item#*|}
    python3 "$tools/quiz.py" "$content/multiple/$source" "$data/multiple/$output"
    echo "  data/multiple/$output"
done

# ------------------------------------------------------------- catalogue
# data/multiple/track.txt lists the quizzes teachers have made with the
# wizard: a count, then one entry a line.  The shipped catalogue is empty.
echo "catalogue"
printf ' 0 \r\n' >"$data/multiple/track.txt"
echo "  data/multiple/track.txt"

echo "done"
