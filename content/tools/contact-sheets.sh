#!/usr/bin/env bash
# Makes docs/pages.png (every page, screen copy and print copy, as the program's own
# metafile player draws them) and docs/logo-frames.png (the logo's 20 frames and
# the name bitmap). The page pictures come from the platform tests:
#
#   LUMORA_GRAB_DIR=/tmp/grab QT_QPA_PLATFORM=offscreen build/tests/test_platform
#   bash content/tools/contact-sheets.sh /tmp/grab
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
grab=${1:?usage: contact-sheets.sh GRAB_DIR}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

pages=(guide1 guide2 guide3 guide4 guide5 "key Tiberana" "key Tiberanb" "key Tiberanc"
       Tiberana Tiberanb Tiberanc "key maltena" "key maltenb" "key maltenc" maltena maltenb
       acknowledgments)
tiles=()
for page in "${pages[@]}"; do
    for copy in screen print; do
        src="$grab/$page-$copy.png"
        [[ -f $src ]] || { echo "contact-sheets.sh: $src is missing" >&2; exit 1; }
        tiles+=(-label "$page.wmf ($copy)" "$src")
    done
done
montage "${tiles[@]}" -tile 4x -geometry '380x240>+10+8' -background '#d8dce6' \
    -pointsize 14 -depth 8 "$tmp/pages.png"
convert "$tmp/pages.png" -strip -depth 8 "$root/docs/pages.png"

frames=()
for i in $(seq 0 19); do
    frames+=(-label "$(printf 'bren%04d' "$i")" "$root/data/logo/$(printf 'bren%04d.gif' "$i")")
done
montage "${frames[@]}" -tile 10x2 -geometry +6+6 -background '#d8dce6' -pointsize 11 "$tmp/frames.png"
montage -label 'brenvale2.bmp' "$root/data/logo/brenvale2.bmp" -geometry +6+6 -background '#d8dce6' \
    -pointsize 11 "$tmp/name.png"
convert "$tmp/frames.png" "$tmp/name.png" -background '#d8dce6' -gravity center -append \
    +repage -strip -depth 8 "$root/docs/logo-frames.png"
echo "docs/pages.png, docs/logo-frames.png"
