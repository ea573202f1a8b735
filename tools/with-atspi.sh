#!/bin/sh
# Runs a command as a screen reader's host would: on an Xvfb display, in a
# private D-Bus session with the AT-SPI accessibility bus, and with Qt's
# accessibility bridge switched on. Usage: sh tools/with-atspi.sh COMMAND...
set -eu
if [ "${VORLEN_IN_ATSPI:-}" != 1 ]; then
    export VORLEN_IN_ATSPI=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- sh "$0" "$@"
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
trap 'kill $launcher 2>/dev/null || true' EXIT
# The bus registers itself with the session; wait until it answers, then
# until its registry does: a program that starts before the registry is up
# may never appear on the bus.
address=""
for _ in $(seq 1 50); do
    address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ') && [ -n "$address" ] && break
    sleep 0.1
done
for _ in $(seq 1 50); do
    if dbus-send --bus="$address" --print-reply --dest=org.a11y.atspi.Registry \
        /org/a11y/atspi/accessible/root org.freedesktop.DBus.Properties.Get \
        string:org.a11y.atspi.Accessible string:ChildCount >/dev/null 2>&1; then
        break
    fi
    sleep 0.1
done
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
"$@"
