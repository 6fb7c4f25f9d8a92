#!/usr/bin/env bash
# Runs a command on a desktop of its own: a virtual X display, a D-Bus session and
# the accessibility bus that screen readers use, with Qt's accessibility switched
# on. Everything ends with the command.
#   tests/install/desktop.sh COMMAND [ARGUMENTS...]
set -euo pipefail
if [ -z "${LUMORA_DESKTOP_READY:-}" ]; then
    export LUMORA_DESKTOP_READY=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$0" "$@"
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
unset QT_QPA_PLATFORM
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
bus=$!
trap 'kill $bus 2>/dev/null || true' EXIT
sleep 0.5
"$@"
