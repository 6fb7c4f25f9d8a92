#!/usr/bin/env bash
# Remakes Lumora's generated content in data/ from the sources in content/.
# Run it from any folder:  bash content/make.sh
# The work is split into parts under content/parts/, run in the order of their
# names; each kind of content has a part of its own. To add a kind, add a part;
# to add an item, add a line to its part's list. The helpers below serve them all.
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

# ------------------------------------------------------------- helpers
# Each picture is rendered at its designed size and again at two and three times it
# ("name@2x.jpg", "name@3x.jpg"), so that a dense display or a screen filled by
# --fill draws it from real detail instead of stretching the small one.
render_jpeg() {   # render_jpeg NAME WIDTH HEIGHT BACKGROUND
    local name=$1 width=$2 height=$3 background=$4 times suffix
    for times in 1 2 3; do
        suffix=$([[ $times == 1 ]] || echo "@${times}x")
        render_jpeg_at "$name" "$suffix" $((width * times)) $((height * times)) "$background"
    done
}

render_jpeg_at() {   # render_jpeg_at NAME SUFFIX WIDTH HEIGHT BACKGROUND
    local name=$1 suffix=$2 width=$3 height=$4 background=$5
    local svg="$content/images/$name.svg" jpg="$data/Images/$name$suffix.jpg"
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
    echo "  data/Images/$name$suffix.jpg  ${size}"
}

# --------------------------------------------------------------- parts
for part in "$content"/parts/*.sh; do
    # shellcheck source=/dev/null
    source "$part"
done

echo "done"
