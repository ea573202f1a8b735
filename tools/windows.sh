#!/bin/sh
# Builds Vorlen for Windows on Debian 12 and tests it under Wine.
#
#   sh tools/windows.sh build   installs what is missing (tools/deps.sh windows),
#                               cross-builds in build-win32 and makes, in
#                               build-win32/dist: vorlen.exe (stripped), the
#                               portable zip and the installer
#                               vorlen-1.00-setup.exe
#   sh tools/windows.sh test [ctest options]
#                               the same, then runs every Windows test under
#                               Wine in one fresh prefix on a private Xvfb:
#                               all of them at 96 dpi, those labelled "dpi"
#                               again at 144 dpi, and the installer test
#   sh tools/windows.sh run COMMAND...
#                               no build: the tests' fresh prefix and display,
#                               then COMMAND in them (a test program under
#                               tools/wine-run.sh, say), for a look by hand
#
# Wine facts this relies on: a prefix takes 10-15 s to make, so there is one
# per run; a wineserver started on demand makes every program pay for its
# start-up (or hang), so one persistent server is started and warmed first;
# without a window manager, hiding or destroying a top-level window stalls
# 2 s, so the prefix uses Wine's virtual desktop; and the screen's dpi is the
# prefix's LogPixels value, read by each program as it starts, so switching it
# needs no new prefix.
#
# Environment: VORLEN_BUILD_DIR (default build-win32), VORLEN_WERROR=ON to
# treat warnings as errors (CI does), VORLEN_TEST_TIMEOUT (seconds per test
# case, default 120), VORLEN_BUILD_TESTS=OFF to build the program and its
# packages alone, SOURCE_DATE_EPOCH (the date in the zip and the installer;
# the last commit's by default, so that two builds of a commit are the same).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build="${VORLEN_BUILD_DIR:-$root/build-win32}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac
dist="$build/dist"
version="1.00"
wine=/usr/lib/wine/wine64
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH

started=$(date +%s)
# A step's heading, with the seconds since the script started.
say() { printf '+ [%4ss] %s\n' "$(($(date +%s) - started))" "$*"; }

build_all() {
    sh "$root/tools/deps.sh" windows
    say "configure and build in $build"
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DVORLEN_WERROR="${VORLEN_WERROR:-OFF}" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
        -DVORLEN_BUILD_TESTS="${VORLEN_BUILD_TESTS:-ON}" >/dev/null
    cmake --build "$build" -j2
    package
}

package() {
    say "package into $dist"
    rm -rf "$dist"
    stage="$dist/Vorlen"
    cmake --install "$build" --component vorlen --strip --prefix "$stage" >/dev/null
    # Notepad before Windows 10 reads a text file without a byte-order mark in
    # the local code page and wants CR LF line ends.
    { printf '\357\273\277'; sed 's/$/\r/' "$root/packaging/windows/BENIOKU.txt"; } >"$stage/BENIOKU.txt"
    # The same bytes from every build of a commit: each file dated from
    # SOURCE_DATE_EPOCH (the zip keeps the date in local time, hence UTC),
    # the entries in one order, and no owner or extra time fields (-X).
    chmod -R u=rwX,go=rX "$stage"
    find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
    (cd "$dist" && find Vorlen | LC_ALL=C sort | TZ=UTC0 zip -q -X -@ "vorlen-$version-windows.zip")
    makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" \
        -DROOT="$root" -DOUTFILE="$dist/vorlen-$version-setup.exe" \
        "$root/packaging/windows/vorlen.nsi"
    cp -p "$stage/vorlen.exe" "$dist/vorlen.exe"
    # Nothing but Windows' own DLLs: the compiler's runtime (libgcc, libstdc++,
    # winpthread, all named lib*.dll) must be linked in.
    runtime=$(x86_64-w64-mingw32-objdump -p "$dist/vorlen.exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | grep -i '^lib' || true)
    if [ -n "$runtime" ]; then
        echo "windows.sh: vorlen.exe needs DLLs that Windows lacks: $runtime" >&2
        exit 1
    fi
    ls -l "$dist"
    # What a family compares a download with (README, For families).
    (cd "$dist" && sha256sum vorlen.exe "vorlen-$version-windows.zip" "vorlen-$version-setup.exe")
}

# Starts a private Xvfb and a fresh prefix with a warm persistent wineserver;
# stop_wine undoes both.
start_wine() {
    work=$(mktemp -d)
    # A display number well above those that people and other scripts pick.
    display=150
    while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>"$work/xvfb.log" &
    xvfb_pid=$!
    tries=0
    until [ -S "/tmp/.X11-unix/X$display" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
            cat "$work/xvfb.log" >&2
            echo "windows.sh: Xvfb did not start on :$display" >&2
            exit 1
        fi
        sleep 0.1
    done
    DISPLAY=":$display"
    WINEPREFIX="$build/wine-prefix"
    WINEDEBUG=-all
    WINELOADER="$wine"
    # No menu entries in the real desktop for the installer's shortcut.
    WINEDLLOVERRIDES="winemenubuilder.exe=d"
    export DISPLAY WINEPREFIX WINEDEBUG WINELOADER WINEDLLOVERRIDES

    say "fresh Wine prefix in $WINEPREFIX on display $DISPLAY"
    rm -rf "$WINEPREFIX"
    # No Mono or Gecko: nothing here needs them, and asking for them would
    # wait for an answer.
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mscoree,mshtml=" "$wine" wineboot -i
    regedit "$root/tools/wine-prefix.reg"
    # The virtual desktop takes effect when the desktop is made, so restart
    # the server (and its desktop) with the settings in place.
    wineserver -k || true
    wineserver -p </dev/null >/dev/null 2>&1
    "$wine" cmd /c exit
}

stop_wine() {
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
    if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    if [ -n "${work:-}" ]; then rm -rf "$work"; fi
}

# Imports a .reg file into the running prefix (Wine sees / as drive Z:).
regedit() {
    "$wine" regedit /S "Z:$1"
}

set_dpi() {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n' "$1" \
        >"$work/dpi.reg"
    regedit "$work/dpi.reg"
    VORLEN_TEST_DPI="$1"
    export VORLEN_TEST_DPI
}

run_tests() {
    timeout="${VORLEN_TEST_TIMEOUT:-120}"
    say "ctest under Wine at 96 dpi"
    set_dpi 96
    ctest --test-dir "$build" -j2 --timeout "$timeout" --output-on-failure "$@"
    say "ctest under Wine at 144 dpi (tests labelled dpi)"
    set_dpi 144
    ctest --test-dir "$build" -j2 --timeout "$timeout" --output-on-failure --no-tests=ignore -L '^dpi$' "$@"
    set_dpi 96
    say "installer under Wine"
    sh "$root/tools/windows-installer-test.sh" "$dist/vorlen-$version-setup.exe" "$build"
    say "done"
}

command="${1:-build}"
[ $# -gt 0 ] && shift
case "$command" in
    build) build_all ;;
    test)
        build_all
        trap stop_wine EXIT INT TERM
        start_wine
        run_tests "$@"
        ;;
    run)
        trap stop_wine EXIT INT TERM
        start_wine
        set_dpi "${VORLEN_TEST_DPI:-96}"
        "$@"
        ;;
    *)
        echo "usage: sh tools/windows.sh build | test [ctest options] | run COMMAND..." >&2
        exit 2
        ;;
esac
