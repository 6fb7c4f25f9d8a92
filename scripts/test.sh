#!/usr/bin/env bash
# Builds Lumora with its tests and runs the whole suite.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

lumora_need "${LUMORA_BUILD_PACKAGES[@]}"
# The screen-reader test: a display, the session and accessibility buses, pyatspi.
lumora_need xvfb dbus at-spi2-core python3-pyatspi
lumora_build "$LUMORA_ROOT/build-tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORA_TESTS=ON

source "$LUMORA_ROOT/scripts/print-queue.sh"

cd "$LUMORA_ROOT/build-tests"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
