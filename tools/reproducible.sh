#!/bin/sh
# Checks that two builds of the last commit give the same bytes: clones HEAD
# twice into different folders under /tmp and builds every artefact in each,
# one clone after the other (so minutes apart, and the second in another time
# zone), with SOURCE_DATE_EPOCH from the last commit (the Debian packages take
# theirs from debian/changelog). Then compares each pair with cmp: the Debian
# source package (.dsc and tarball) and the binary packages built from it
# (tools/debian.sh --host, without the build's tests, which leave the
# packages' bytes alone), vorlen.exe, the zip and the installer
# (tools/windows.sh build, without the tests) and the web page's
# build-web/dist (tools/web.sh build). On a difference it shows diffoscope's
# report where diffoscope is installed, keeps both clones and exits non-zero.
# Usage: sh tools/reproducible.sh   (as root, or with sudo; uncommitted changes are not built)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$root" rev-parse HEAD)
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
version=1.00
work=$(mktemp -d /tmp/vorlen-reproducible.XXXXXX)
keep=0
trap '[ "$keep" -eq 1 ] || rm -rf "$work"' EXIT

started=$(date +%s)
say() { printf '+ [%4ss] %s\n' "$(($(date +%s) - started))" "$*"; }

# build_copy NAME: a fresh clone in $work/NAME-src, its artefacts in $work/NAME.
build_copy() {
    src="$work/$1-src"
    say "clone $commit into $src"
    git clone -q --no-checkout "$root" "$src"
    git -C "$src" checkout -q --detach "$commit"
    say "$1: the Debian source and binary packages"
    DEB_BUILD_OPTIONS=nocheck sh "$src/tools/debian.sh" --host
    say "$1: the Windows program, zip and installer"
    VORLEN_BUILD_TESTS=OFF sh "$src/tools/windows.sh" build
    say "$1: the web page"
    sh "$src/tools/web.sh" build
    out="$work/$1"
    mkdir -p "$out"
    cp "$src/build-debian/vorlen_$version.dsc" "$src/build-debian/vorlen_$version.tar.xz" \
        "$src/build-debian/vorlen_${version}_amd64.deb" "$src/build-debian/vorlen-dbgsym_${version}_amd64.deb" \
        "$src/build-win32/dist/vorlen.exe" \
        "$src/build-win32/dist/vorlen-$version-windows.zip" "$src/build-win32/dist/vorlen-$version-setup.exe" "$out/"
    cp -R "$src/build-web/dist" "$out/web-dist"
}

build_copy first
TZ=Asia/Tokyo build_copy second

say "compare"
different=0
# same FILE: cmp on the two builds' copies of FILE (relative to $work/first).
same() {
    if cmp "$work/first/$1" "$work/second/$1"; then
        echo "  same: $1"
    else
        different=1
        if command -v diffoscope >/dev/null 2>&1; then
            diffoscope --no-progress "$work/first/$1" "$work/second/$1" || true
        fi
    fi
}
for file in "vorlen_$version.dsc" "vorlen_$version.tar.xz" "vorlen_${version}_amd64.deb" \
    "vorlen-dbgsym_${version}_amd64.deb" vorlen.exe "vorlen-$version-windows.zip" "vorlen-$version-setup.exe"; do
    same "$file"
done
(cd "$work/first" && find web-dist | LC_ALL=C sort) >"$work/first.list"
(cd "$work/second" && find web-dist | LC_ALL=C sort) >"$work/second.list"
if ! diff -u "$work/first.list" "$work/second.list"; then
    different=1
fi
while read -r file; do
    [ -d "$work/first/$file" ] || [ ! -e "$work/second/$file" ] || same "$file"
done <"$work/first.list"

say "done"
if [ "$different" -ne 0 ]; then
    keep=1
    echo "reproducible.sh: the two builds differ; both are kept in $work" >&2
    exit 1
fi
echo "reproducible.sh: every artefact is the same in both builds"
