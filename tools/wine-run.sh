#!/bin/sh
# Runs one Windows program under Wine in the prefix that tools/windows.sh made:
# CTest uses it for every cross-built test. It refuses to fall back to
# ~/.wine, because making a prefix there silently takes a quarter of a minute
# and leaves state behind that later runs would depend on.
# Usage: WINEPREFIX=/path/to/prefix sh tools/wine-run.sh program.exe [args...]
set -eu

if [ -z "${WINEPREFIX:-}" ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-run.sh: WINEPREFIX must name a prefix made by 'sh tools/windows.sh prefix'" >&2
    echo "  (or run the tests with 'sh tools/windows.sh test')" >&2
    exit 2
fi
export WINEDEBUG="${WINEDEBUG:--all}"
# Debian's /usr/bin/wine looks for a 32-bit Wine first and warns when there is
# none; every program here is 64-bit, so go straight to the 64-bit loader.
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
export WINELOADER="$wine"
exec "$wine" "$@"
