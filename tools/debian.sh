#!/bin/sh
# Makes Vorlen's Debian source package from a clean export of the last commit
# (git archive; uncommitted changes are not in it) and builds it as Debian's
# build daemons do: in a clean Debian 12 chroot made by debootstrap from
# Debian's mirror, with only the Build-Depends of debian/control, without
# network and as an unprivileged user (pbuilder). Then lintian (pedantic,
# informational and experimental tags) checks the .dsc, the .changes and the
# .deb, where any tag that debian/*lintian-overrides does not explain fails,
# and tools/package-test.sh installs the package, starts it, runs its
# autopkgtests and removes it again.
# The results land in build-debian/: vorlen_1.00.dsc, vorlen_1.00.tar.xz,
# vorlen_1.00_amd64.deb (with its -dbgsym), .buildinfo, .changes, build.log.
#
# Usage: sh tools/debian.sh [SCREENSHOT.png]   the chroot build, then the tests
#        sh tools/debian.sh --host           the same package built on this
#                                            machine, no chroot, no tests after
#   (as root, or with sudo). DEB_BUILD_OPTIONS=nocheck leaves out the build's
#   tests in either.
# The chroot is kept as a tarball in VORLEN_CHROOT_CACHE (default
# /var/cache/vorlen-pbuilder), with the packages it downloaded; one older
# than a week is brought up to date before the build, a damaged one made anew.
# The packages' files are dated by debian/changelog, as Debian dates them.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build-debian"
cache=${VORLEN_CHROOT_CACHE:-/var/cache/vorlen-pbuilder}
mirror=http://deb.debian.org/debian
security=http://deb.debian.org/debian-security
version=1.00
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

fail() {
    echo "debian.sh: $*" >&2
    exit 1
}

host=0
if [ "${1:-}" = "--host" ]; then
    host=1
    shift
fi
shot=${1:-}
case "$shot" in
    "" | /*) ;;
    *) shot="$PWD/$shot" ;;
esac

started=$(date +%s)
say() { printf '+ [%4ss] %s\n' "$(($(date +%s) - started))" "$*"; }

sh "$root/tools/deps.sh" package
commit=$(git -C "$root" rev-parse HEAD) || fail "$root is not a git checkout"

work=$(mktemp -d)
cleanup() {
    status=$?
    rm -rf "$work"
    [ "$status" -eq 0 ] || echo "debian.sh: FAILED" >&2
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

say "source package from $commit"
rm -rf "$out"
mkdir -p "$out"
git -C "$root" archive --format=tar --prefix="vorlen-$version/" "$commit" | tar -x -C "$work"
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$work/vorlen-$version/debian/changelog" -STimestamp)
export SOURCE_DATE_EPOCH
(cd "$work" && dpkg-source -b "vorlen-$version" >/dev/null)
mv "$work/vorlen_$version.dsc" "$work/vorlen_$version.tar.xz" "$out/"
dsc="$out/vorlen_$version.dsc"

if [ "$host" -eq 1 ]; then
    say "building on this machine"
    mkdir "$work/host"
    dpkg-source --no-check -x "$dsc" "$work/host/vorlen-$version" >/dev/null
    if ! (cd "$work/host/vorlen-$version" && dpkg-buildpackage -us -uc -j2) >"$out/build.log" 2>&1; then
        tail -n 60 "$out/build.log" >&2
        fail "dpkg-buildpackage failed; the whole log is $out/build.log"
    fi
    find "$work/host" -maxdepth 1 -type f -exec mv {} "$out/" \;
else
    # One build at a time per cache: the tarball and the package cache are shared.
    $sudo mkdir -p "$cache/aptcache" "$cache/build"
    exec 9>"$cache/lock"
    flock 9
    tgz="$cache/bookworm.tgz"
    if [ -f "$tgz" ] && ! gzip -t "$tgz" 2>/dev/null; then
        say "the chroot tarball $tgz is damaged: making it anew"
        $sudo rm -f "$tgz"
    fi
    pbuilder_options="--basetgz $tgz --buildplace $cache/build --aptcache $cache/aptcache"
    # Debian 12 as it is installed: with its stable and security updates.
    updates="deb $mirror bookworm-updates main|deb $security bookworm-security main"
    if [ ! -f "$tgz" ]; then
        say "making the bookworm chroot in $tgz (debootstrap from $mirror)"
        # shellcheck disable=SC2086  # the options are words without spaces
        $sudo pbuilder create $pbuilder_options --distribution bookworm --mirror "$mirror" \
            --othermirror "$updates" --debootstrapopts --variant=buildd >"$out/chroot.log" 2>&1 ||
            { tail -n 30 "$out/chroot.log" >&2; $sudo rm -f "$tgz"; fail "pbuilder create failed"; }
    elif [ -n "$(find "$tgz" -mtime +6)" ]; then
        say "bringing the week-old chroot up to date"
        # shellcheck disable=SC2086
        $sudo pbuilder update $pbuilder_options --override-config --distribution bookworm \
            --mirror "$mirror" --othermirror "$updates" >"$out/chroot.log" 2>&1 ||
            { tail -n 30 "$out/chroot.log" >&2; fail "pbuilder update failed; remove $tgz to start anew"; }
    fi
    say "building in the chroot (log: $out/build.log)"
    # shellcheck disable=SC2086
    if ! $sudo pbuilder build $pbuilder_options --buildresult "$out" --debbuildopts -j2 \
        --logfile "$out/build.log" "$dsc" >/dev/null 2>&1; then
        tail -n 60 "$out/build.log" >&2
        fail "the chroot build failed; the whole log is $out/build.log"
    fi
fi

deb="$out/vorlen_${version}_amd64.deb"
changes="$out/vorlen_${version}_amd64.changes"
if [ ! -f "$deb" ] || [ ! -f "$changes" ]; then
    fail "the build left no $deb and $changes"
fi
grep -E '^(I: |)[0-9]+% tests passed|^Total Test time' "$out/build.log" || echo "  (the build ran no tests)"
(cd "$out" && sha256sum "vorlen_$version.dsc" "vorlen_$version.tar.xz" "vorlen_${version}_amd64.deb")

say "lintian on the .dsc, the .changes and the .deb"
if ! lintian --pedantic --display-info --display-experimental \
    --fail-on error,warning,info,pedantic,experimental "$dsc" "$changes" "$deb"; then
    fail "lintian found the tags above; fix them, or override one in debian/ with its reason"
fi

if [ "$host" -eq 0 ]; then
    say "installing, starting and testing the package"
    sh "$root/tools/package-test.sh" --from "$out" "$shot"
fi
say "done"
