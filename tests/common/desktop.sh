#!/usr/bin/env bash
# Runs a command on a desktop of its own: a virtual X display (a free number, picked by
# xvfb-run), a D-Bus session and the accessibility bus that screen readers use, with
# Qt's accessibility switched on. Everything ends with the command.
#   tests/common/desktop.sh [--wayland | --xwayland] COMMAND [ARGUMENTS...]
# With --wayland the desktop is a Wayland compositor instead (weston, headless, the size
# in LUMORA_DESKTOP_SIZE, 1600x1000 by default, with no panel), its socket in
# WAYLAND_DISPLAY; with --xwayland the same with its X11 display in DISPLAY too.
set -euo pipefail
if [ -z "${LUMORA_DESKTOP_READY:-}" ]; then
    export LUMORA_DESKTOP_READY=x11
    case "${1:-}" in
    --wayland | --xwayland)
        LUMORA_DESKTOP_READY=${1#--}
        shift
        exec dbus-run-session -- "$0" "$@"
        ;;
    esac
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" dbus-run-session -- "$0" "$@"
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
unset QT_QPA_PLATFORM

if [ "$LUMORA_DESKTOP_READY" != x11 ]; then
    runtime=$(mktemp -d)
    trap 'kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; rm -rf "$runtime"' EXIT
    export XDG_RUNTIME_DIR=$runtime
    size=${LUMORA_DESKTOP_SIZE:-1600x1000}
    printf '[shell]\npanel-position=none\n' >"$runtime/weston.ini"
    options=(--backend=headless-backend.so --use-pixman "--width=${size%x*}" "--height=${size#*x}"
        --socket=wayland-lumora "--config=$runtime/weston.ini" --idle-time=0
        --debug) # --debug lets weston-screenshooter grab the whole output
    unset DISPLAY WAYLAND_DISPLAY
    if [ "$LUMORA_DESKTOP_READY" = xwayland ]; then
        # XWayland's sockets live here, shared by every X server of the machine.
        mkdir -p /tmp/.X11-unix
        [ -k /tmp/.X11-unix ] || chmod 1777 /tmp/.X11-unix
        options+=(--xwayland)
    fi
    weston "${options[@]}" >"$runtime/weston.log" 2>&1 &
    weston=$!
    for _ in $(seq 100); do
        [ -S "$runtime/wayland-lumora" ] &&
            { [ "$LUMORA_DESKTOP_READY" = wayland ] || grep -q 'listening on display' "$runtime/weston.log"; } &&
            break
        sleep 0.1
    done
    export WAYLAND_DISPLAY=wayland-lumora
    if [ "$LUMORA_DESKTOP_READY" = xwayland ]; then
        DISPLAY=$(grep -o 'listening on display :[0-9]*' "$runtime/weston.log" | grep -o ':[0-9]*')
        export DISPLAY
    fi
fi

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
