#!/usr/bin/env bash
# Builds Lumora with its tests and runs the whole suite.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

lumora_need "${LUMORA_BUILD_PACKAGES[@]}"
# The install and package tests: a virtual desktop with its accessibility bus, real
# mouse and keys, screen grabs, the desktop's validators and dpkg's tools.
lumora_need xvfb xauth xdotool dbus-daemon at-spi2-core python3-pyatspi imagemagick \
    desktop-file-utils appstream dpkg-dev
lumora_build "$LUMORA_ROOT/build-tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORA_TESTS=ON

source "$LUMORA_ROOT/scripts/print-queue.sh"

cd "$LUMORA_ROOT/build-tests"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
