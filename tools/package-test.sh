#!/bin/sh
# Tests the Debian package that dpkg-buildpackage makes from debian/ (and
# tools/debian.sh has checked with lintian): checks its contents, the
# program's hardening, its desktop entry and AppStream data, installs it with
# apt-get (so its dependencies come along), starts the installed
# /usr/bin/vorlen under Xvfb, waits for its window, takes a screenshot and
# ends the program, then runs the package's autopkgtests (debian/tests) on
# this machine with autopkgtest's null runner, and removes the package again.
# Whatever fails, the program is ended and the package removed before the
# script exits non-zero. autopkgtest leaves the tests' own Depends installed.
# Usage: sh tools/package-test.sh [SCREENSHOT.png]             builds the package
#            on this machine first (sh tools/debian.sh --host, into build-debian)
#        sh tools/package-test.sh --from DIR [SCREENSHOT.png]  the package that
#            DIR holds (tools/debian.sh passes its chroot build)
#   (as root, or with sudo)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
self="$root/tools/package-test.sh"
app_id=example.keldar.Vorlen

fail() {
    echo "package-test: $*" >&2
    exit 1
}

# Second stage, run by xvfb-run below: the installed program on a fresh X server.
if [ "${1:-}" = "--inside-xvfb" ]; then
    shot=$2
    log=$(mktemp)
    # The real X11 platform plugin, as on a desktop, whatever the caller set.
    env -u QT_QPA_PLATFORM /usr/bin/vorlen >"$log" 2>&1 &
    pid=$!
    # shellcheck disable=SC2317  # run by the trap below
    stop_program() {
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        if [ -s "$log" ]; then
            echo "--- output of vorlen:"
            cat "$log"
            echo "---"
        fi
        rm -f "$log"
    }
    trap stop_program EXIT

    wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vorlen' 2>/dev/null | head -n 1) || true
    [ -n "$wid" ] || fail "no visible window named Vorlen within 30 s"
    echo "+ window $wid: $(xdotool getwindowname "$wid")"
    xwininfo -id "$wid" | sed -n 's/^ *\(Width\|Height\): */  \1 /p'

    icon=$(xprop -id "$wid" _NET_WM_ICON | head -c 80)
    case "$icon" in
        *"not found"* | "") fail "the window has no icon (_NET_WM_ICON)" ;;
    esac
    echo "+ the window carries an icon; $(xprop -id "$wid" WM_CLASS)"

    # Past the visit counter's first tick (2 s): the program must still run.
    sleep 3
    kill -0 "$pid" 2>/dev/null || fail "vorlen ended by itself after its window appeared"
    if [ -n "$shot" ]; then
        # A running quiz, as a child sees it: press "Başla" (the start button
        # sits at 580,54 of the window) and let the first question appear.
        xdotool mousemove --window "$wid" 580 54 click 1
        sleep 0.5
        xdotool mousemove --window "$wid" 700 380
        sleep 0.2
        import -window "$wid" "$shot"
        echo "+ screenshot of a running quiz: $shot"
    fi
    exit 0
fi

from=""
if [ "${1:-}" = "--from" ]; then
    [ $# -ge 2 ] || fail "--from needs the folder of a package build"
    from=$(cd "$2" && pwd)
    shift 2
fi
shot=${1:-}
case "$shot" in
    "" | /*) ;;
    *) shot="$PWD/$shot" ;;
esac
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

sh "$root/tools/deps.sh" package

if dpkg-query -W -f='${Status}' vorlen 2>/dev/null | grep -q "install ok installed"; then
    fail "vorlen is installed already; remove it first (apt-get remove vorlen), this test removes what it installs"
fi
if [ -z "$from" ]; then
    sh "$root/tools/debian.sh" --host
    from="$root/build-debian"
fi
deb="$from/vorlen_1.00_amd64.deb"
dsc="$from/vorlen_1.00.dsc"
if [ ! -f "$deb" ] || [ ! -f "$dsc" ]; then
    fail "no vorlen_1.00_amd64.deb and vorlen_1.00.dsc in $from"
fi

installed=0
work=$(mktemp -d)
cleanup() {
    status=$?
    if [ "$installed" -eq 1 ]; then
        echo "+ removing the package"
        DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq vorlen >/dev/null || status=1
    fi
    rm -rf "$work"
    [ "$status" -eq 0 ] || echo "package-test: FAILED" >&2
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

echo "+ checking $deb"
[ "$(dpkg-deb -f "$deb" Package)" = vorlen ] || fail "package name is not vorlen"
[ "$(dpkg-deb -f "$deb" Version)" = 1.00 ] || fail "package version is not 1.00"
depends=$(dpkg-deb -f "$deb" Depends)
echo "  Depends: $depends"
case "$depends" in
    *libqt6widgets6*) ;;
    *) fail "Depends lacks the Qt libraries: was dpkg-shlibdeps run?" ;;
esac
# Every font package that the window is built and tested with must come along.
fonts=$(sed -n 's/^window="\(.*\)"$/\1/p' "$root/tools/deps.sh" | tr ' ' '\n' | grep '^fonts-' || true)
[ -n "$fonts" ] || fail "found no font packages in the window list of tools/deps.sh"
for font in $fonts; do
    echo "$depends" | tr ',' '\n' | grep -qx " *$font\( (.*)\)\?" || fail "Depends lacks $font"
done

dpkg-deb -x "$deb" "$work/root"
for file in usr/bin/vorlen \
    "usr/share/applications/$app_id.desktop" \
    "usr/share/metainfo/$app_id.metainfo.xml" \
    usr/share/icons/hicolor/scalable/apps/vorlen.svg \
    usr/share/icons/hicolor/16x16/apps/vorlen.png usr/share/icons/hicolor/32x32/apps/vorlen.png \
    usr/share/icons/hicolor/48x48/apps/vorlen.png usr/share/icons/hicolor/64x64/apps/vorlen.png \
    usr/share/icons/hicolor/128x128/apps/vorlen.png usr/share/icons/hicolor/256x256/apps/vorlen.png \
    usr/share/man/man6/vorlen.6.gz usr/share/man/tr/man6/vorlen.6.gz \
    usr/share/doc/vorlen/changelog.gz usr/share/doc/vorlen/copyright; do
    [ -f "$work/root/$file" ] || fail "the package lacks /$file"
done
# Hardened and stripped as Debian builds every package, with the stack-clash
# and control-flow protection that Debian 12's defaults lack (debian/rules):
# the last shows as endbr64 at every function's entry.
program="$work/root/usr/bin/vorlen"
readelf -hW "$program" | grep -q 'Type: *DYN' || fail "the program is not position-independent"
readelf -dW "$program" | grep -q 'FLAGS_1.*NOW.*PIE' || fail "the program lacks BIND_NOW or PIE"
readelf -lW "$program" | grep -q GNU_RELRO || fail "the program has no read-only relocations"
readelf -lW "$program" | grep 'GNU_STACK' | grep -q ' RW ' || fail "the program's stack is not RW only"
symbols=$(readelf --dyn-syms -W "$program")
echo "$symbols" | grep -q __stack_chk_fail || fail "the program has no stack protector"
echo "$symbols" | grep -q '__[a-z]*_chk@' || fail "the program calls no fortified function"
if readelf -SW "$program" | grep -qE ' \.(symtab|comment) '; then
    fail "the program is not stripped"
fi
objdump -d --no-show-raw-insn "$program" | grep -q endbr64 || fail "the program has no control-flow protection"
echo "+ hardened: PIE, BIND_NOW, RELRO, stack protector, fortified, endbr64; stripped"
desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$app_id.metainfo.xml"
appstreamcli validate-tree --no-net "$work/root"
echo "+ installing the package"
installed=1
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb"
[ -x /usr/bin/vorlen ] || fail "/usr/bin/vorlen is missing after the install"

echo "+ starting /usr/bin/vorlen under Xvfb"
xvfb-run -a -s "-screen 0 1024x768x24" sh "$self" --inside-xvfb "$shot"

echo "+ autopkgtest (null runner), logs in $from/autopkgtest"
rm -rf "$from/autopkgtest"
if ! $sudo autopkgtest --output-dir "$from/autopkgtest" "$deb" "$dsc" -- null; then
    fail "autopkgtest failed (summary: $from/autopkgtest/summary)"
fi

echo "+ removing the package"
DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq vorlen
installed=0
[ ! -e /usr/bin/vorlen ] || fail "/usr/bin/vorlen is still there after the removal"
echo "package-test: passed"
