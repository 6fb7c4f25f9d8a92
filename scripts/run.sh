#!/usr/bin/env bash
# Builds Lumora and starts it, with data/ as its working folder.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

lumora_need "${LUMORA_BUILD_PACKAGES[@]}"
lumora_build "$LUMORA_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORA_TESTS=OFF

cd "$LUMORA_ROOT/data"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    # No desktop here (a server, a container): give the program a virtual one.
    lumora_need xvfb xauth
    echo "No display found: starting Lumora on a virtual display (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$LUMORA_ROOT/build/src/lumora"
fi
exec "$LUMORA_ROOT/build/src/lumora"
