#!/bin/sh
# Installs the Debian 12 packages that building and running Vorlen needs,
# and only those that are missing. Usage: sh tools/deps.sh run|test|package
set -eu

build="cmake g++ make pkgconf"
window="qt6-base-dev libgl-dev fonts-dejavu-core fonts-noto-core fonts-sil-andika fonts-liberation2"
tests="libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth imagemagick python3"

case "${1:-test}" in
    run) want="$build $window" ;;
    test) want="$build $window $tests" ;;
    *) echo "usage: sh tools/deps.sh run|test" >&2; exit 2 ;;
esac

missing=""
for pkg in $want; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $pkg"
    fi
done
[ -z "$missing" ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing:$missing"
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
