#!/usr/bin/env bash
# Grabs the screens into docs/ for the README (needs no display).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
lumora_need "${LUMORA_BUILD_PACKAGES[@]}"
# The grab tool drives the screens with the tests' own helpers, so it is built with them.
lumora_build "$LUMORA_ROOT/build" -DLUMORA_TESTS=ON
QT_QPA_PLATFORM=offscreen "$LUMORA_ROOT/build/lumora_screenshots" "$LUMORA_ROOT/data" "$LUMORA_ROOT/docs"
# The menu and a page on a display at twice the density.
double=$(mktemp -d)
trap 'rm -rf "$double"' EXIT
QT_SCALE_FACTOR=2 QT_QPA_PLATFORM=offscreen "$LUMORA_ROOT/build/lumora_screenshots" "$LUMORA_ROOT/data" "$double"
cp "$double/menu.png" "$LUMORA_ROOT/docs/menu-2x.png"
cp "$double/keyfacts.png" "$LUMORA_ROOT/docs/page-2x.png"
