#!/usr/bin/env bash
# Grabs the screens into docs/ for the README (needs no display).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
lumora_need "${LUMORA_BUILD_PACKAGES[@]}"
lumora_build "$LUMORA_ROOT/build" -DLUMORA_TESTS=OFF
QT_QPA_PLATFORM=offscreen "$LUMORA_ROOT/build/lumora_screenshots" "$LUMORA_ROOT/data" "$LUMORA_ROOT/docs"
