#!/bin/sh
# Installs the Debian 12 packages that building and running Vorlen needs,
# and only those that are missing. Usage: sh tools/deps.sh run|test|assets|package|bench|windows|web
set -eu

build="cmake g++ make pkgconf"
# The desktop's settings as the window reads them (tests/window/desktop_settings_test.cpp):
# the portal with its GTK backend over GSettings, and gsettings to change them.
portal="xdg-desktop-portal xdg-desktop-portal-gtk gsettings-desktop-schemas libglib2.0-bin"
window="qt6-base-dev libgl-dev fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 fonts-sil-andika fonts-lato"
tests="libgtest-dev libgmock-dev libbenchmark-dev libxcb1-dev clang-format clang-tidy shellcheck pyflakes3 xvfb xauth imagemagick python3 dbus at-spi2-core python3-pyatspi valgrind $portal"
# The screen-reader test (tests/accessibility/orca_test.py): Orca on a Turkish
# desktop under openbox, its speech caught by speech-dispatcher's generic module.
screenreader="orca speech-dispatcher openbox xdotool locales"
# Rendering the icons and the dedication picture (tools/render-*.sh).
assets="librsvg2-bin icoutils imagemagick fontconfig fonts-sil-andika"
# Building the Debian package on this machine (with debian/control's
# Build-Depends) and in a clean chroot, checking, installing, starting and
# testing it (tools/debian.sh, tools/package-test.sh).
package="dpkg-dev debhelper libgtest-dev libgmock-dev xvfb xauth pbuilder debootstrap lintian autopkgtest
file desktop-file-utils appstream xdotool x11-utils imagemagick"
# The benchmarks against their floors (bench/run.sh): the map watch needs libxcb, the
# program a session bus; perf stat is used where the machine allows it.
bench="libbenchmark-dev libxcb1-dev xvfb dbus xdotool time procps linux-perf python3"
# Cross-building vorlen.exe, its zip and installer, and testing them under Wine
# (tools/windows.sh); GoogleTest comes as sources and is built with the cross compiler;
# xdotool clicks as a real mouse does, through the X server under Wine.
windows="cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine wine64 nsis zip xvfb xauth xdotool"
# The web page (tools/web.sh): emscripten (with node) and GoogleTest's sources
# for the build and the tests under node; Chromium, its driver and selenium
# for the browser tests, WebKitGTK's driver and MiniBrowser and Firefox ESR
# with a websocket client for its WebDriver BiDi, Java for the Nu HTML
# checker, the faces the page asks for, openssl for the https test, and the
# screen-reader test's desktop, run in Chromium.
web="cmake make googletest emscripten chromium chromium-driver python3 python3-selenium python3-pil openssl
webkit2gtk-driver libwebkit2gtk-4.1-0 firefox-esr python3-websocket default-jre-headless
fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 fonts-sil-andika fonts-lato xvfb xauth dbus at-spi2-core
python3-pyatspi $screenreader"

case "${1:-test}" in
    run) want="$build $window" ;;
    test) want="$build $window $tests $screenreader" ;;
    assets) want="$assets" ;;
    package) want="$build $window $package" ;;
    bench) want="$build $window $bench" ;;
    windows) want="$windows" ;;
    web) want="$web" ;;
    *) echo "usage: sh tools/deps.sh run|test|assets|package|bench|windows|web" >&2; exit 2 ;;
esac

missing=""
for pkg in $want; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $pkg"
    fi
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
fi

# Orca speaks Turkish only where the Turkish locale exists.
if { [ "${1:-test}" = test ] || [ "${1:-test}" = web ]; } && ! locale -a 2>/dev/null | grep -qi '^tr_TR\.utf-\?8$'; then
    $sudo sed -i 's/^# *\(tr_TR\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^tr_TR.UTF-8 UTF-8' /etc/locale.gen || echo 'tr_TR.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen
fi
