#!/usr/bin/env bash
# Builds Lumora with its tests and runs the whole suite.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

lumora_need "${LUMORA_BUILD_PACKAGES[@]}"
# The install, package and screen-reader tests: a virtual desktop with its accessibility bus, real
# mouse and keys, screen grabs, the desktop's validators and dpkg's tools.
lumora_need xvfb xauth xdotool dbus-daemon at-spi2-core python3-pyatspi imagemagick \
    desktop-file-utils appstream dpkg-dev
# The compositor tests: a headless Wayland compositor with its X11 display, Qt's
# Wayland platform, and an X11 window manager.
lumora_need weston xwayland qt6-wayland openbox
# localedef and the locale sources for the comma-locale tests; clang and libFuzzer for
# the short fuzz runs.
lumora_need locales clang libfuzzer-14-dev
lumora_build "$LUMORA_ROOT/build-tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORA_TESTS=ON

source "$LUMORA_ROOT/scripts/print-queue.sh"

cd "$LUMORA_ROOT/build-tests"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"

# Every fuzz target for a few seconds on a fixed seed.
LUMORA_FUZZ_DIR="$LUMORA_ROOT/build-fuzz-suite" bash "$LUMORA_ROOT/scripts/fuzz.sh" -t 5 -s 1

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer, with the
# monkey at length; any report fails its test. The install, package and screen-reader
# tests drive the program through outside tools (an install, dpkg, a desktop's buses)
# and ran above, as did the compositor tests; here the sanitizers watch our own code.
lumora_build "$LUMORA_ROOT/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORA_TESTS=ON \
    -DLUMORA_SANITIZE=ON
cd "$LUMORA_ROOT/build-asan"
QT_QPA_PLATFORM=offscreen LUMORA_MONKEY_EVENTS=30000 LUMORA_MONKEY_SECONDS=300 \
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions="$LUMORA_ROOT/scripts/lsan.supp" \
    ctest --output-on-failure --parallel "$(nproc)" -E '^(install|package|screen_reader|compositor_.*)$'
