#!/usr/bin/env bash
# Runs a command on a desktop of its own: a virtual X display (a free number, picked by
# xvfb-run), a D-Bus session and the accessibility bus that screen readers use, with
# Qt's accessibility switched on. Everything ends with the command.
#   tests/common/desktop.sh COMMAND [ARGUMENTS...]
set -euo pipefail
if [ -z "${LUMORA_DESKTOP_READY:-}" ]; then
    export LUMORA_DESKTOP_READY=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" dbus-run-session -- "$0" "$@"
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
unset QT_QPA_PLATFORM
# Asking for the accessibility bus's address starts it (at-spi2-core's service file on
# the session bus). Then the registry on that bus must answer before a program starts,
# or the program registers with nobody.
a11y=""
for _ in $(seq 100); do
    a11y=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>/dev/null) && break
    sleep 0.1
done
for _ in $(seq 100); do
    dbus-send --bus="${a11y// /}" --print-reply --dest=org.a11y.atspi.Registry \
        /org/a11y/atspi/accessible/root org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1 && break
    sleep 0.1
done
"$@"
