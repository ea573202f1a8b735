#!/bin/sh
# Installs Vorlen silently into the running Wine prefix, checks what the
# installer left (program, uninstaller, Start-menu shortcut, the entry under
# Apps, nothing for all users), reads the version block of the installer and
# the uninstaller, then uninstalls silently and checks that all of it is gone.
# tools/windows.sh test runs it with WINEPREFIX, DISPLAY and the wineserver set.
# Usage: sh tools/windows-installer-test.sh build-win32/dist/vorlen-1.00-setup.exe build-win32
set -eu

setup=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
build=$(cd "$2" && pwd)
wine=${WINELOADER:-/usr/lib/wine/wine64}
key='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlen'
failures=0

fail() {
    echo "installer test: $*" >&2
    failures=$((failures + 1))
}

# A folder of the prefix's user (%LOCALAPPDATA% ...) as a Linux path.
user_folder() {
    windows=$("$wine" cmd /c echo "%$1%" | tr -d '\r')
    winepath -u "$windows" | tr -d '\r'
}

# The uninstall entry as REGEDIT text in UTF-8 (empty when there is none).
uninstall_entry() {
    rm -f "$work/entry.reg"
    # regedit reports a missing key on standard output.
    "$wine" regedit /E "Z:$work/entry.reg" "$key" >/dev/null 2>&1 || true
    if [ -s "$work/entry.reg" ]; then
        iconv -f UTF-16 -t UTF-8 "$work/entry.reg" | tr -d '\r'
    fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

grep -aq 'requestedExecutionLevel level="asInvoker"' "$setup" ||
    fail "the installer would ask for an administrator"

echo "+ silent install"
"$wine" "Z:$setup" /S
dir="$(user_folder LOCALAPPDATA)/Programs/Vorlen"
shortcut="$(user_folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Vorlen.lnk"
for file in vorlen.exe BENIOKU.txt kaldir.exe; do
    [ -f "$dir/$file" ] || fail "$dir/$file is missing"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"
[ ! -e "$WINEPREFIX/drive_c/Program Files/Vorlen" ] || fail "installed into Program Files"
[ ! -e "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vorlen.lnk" ] ||
    fail "made a shortcut for all users"

entry=$(uninstall_entry)
# The folder as Windows names it (C:\users\...), and as REGEDIT writes it.
windows_dir=$(winepath -w "$dir" | tr -d '\r')
escaped_dir=$(printf '%s' "$windows_dir" | sed 's/\\/\\\\/g')
icon_line='"DisplayIcon"="'"$escaped_dir"'\\vorlen.exe,0"'
uninstall_line='"UninstallString"="\"'"$escaped_dir"'\\kaldir.exe\""'
for line in '"DisplayName"="Vorlen"' '"DisplayVersion"="1.00"' '"Publisher"="Keldar Yazılım"' \
    "$icon_line" "$uninstall_line" '"NoModify"=dword:00000001' '"NoRepair"=dword:00000001'; do
    printf '%s\n' "$entry" | grep -qxF "$line" || fail "the uninstall entry lacks $line"
done
# EstimatedSize is in KB: within a few KB of what the folder holds.
estimated=$(printf '%s\n' "$entry" | sed -n 's/^"EstimatedSize"=dword:\([0-9a-f]*\)$/\1/p')
bytes=$(cat "$dir"/* | wc -c)
if [ -z "$estimated" ] || [ $((0x$estimated - bytes / 1024)) -gt 4 ] || [ $((bytes / 1024 - 0x$estimated)) -gt 4 ]; then
    fail "EstimatedSize ${estimated:-missing} (hex KB) does not match the $bytes bytes installed"
fi

echo "+ version blocks of the installer and the uninstaller"
"$wine" "$build/tests/win32_resources/vorlen_resources_test.exe" --gtest_brief=1 \
    --gtest_filter='VersionInfo.*' "Z:$setup" "$windows_dir\\kaldir.exe" || fail "version blocks"

echo "+ silent uninstall"
# Started by its Windows path, as Apps would start it. It copies itself to the
# temporary folder and returns at once; the copy does the work, so wait for it.
"$wine" "$windows_dir\\kaldir.exe" /S
tries=0
while [ -e "$dir" ] || [ -n "$(uninstall_entry)" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 60 ]; then
        fail "the uninstaller left $dir or its entry behind after 30 s"
        break
    fi
    sleep 0.5
done
[ ! -e "$shortcut" ] || fail "the uninstaller left the shortcut"

if [ "$failures" -gt 0 ]; then
    echo "installer test: $failures failure(s)" >&2
    exit 1
fi
echo "installer test: passed"
