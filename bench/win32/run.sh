#!/usr/bin/env bash
# vorlen.exe against the floor (an empty Win32 window of the same size built
# the same way) under Wine: start to first paint (until the program first
# waits for input, its window created, shown and painted), working set, and
# the program's idle CPU. Each start figure is the median of --runs runs, floor
# and program taken in turn. The idle CPU is read from Linux (/proc) for the
# Wine process of each, since Wine does not report another process's times.
# The idle goal is set against the idle floor (bench/win32/floor_idle.cpp):
# the idle samples' numbers in Windows' classic STATIC and BUTTON controls,
# set anew every 85 ms, with nothing of the program's own. The plain window
# (bench/win32/plain.cpp) does the same in the program's window class with
# its manifest, so with themed controls: it costs more than the floor, and a
# ratio against it flatters the program. Idle CPU is the median of
# --idle-runs runs, the four windows taken in turn.
#
# Usage: WINEPREFIX=... DISPLAY=... bench/win32/run.sh [--runs N] [--idle-runs N] [--idle-seconds S] [--build DIR]
#   The prefix and display are those of tools/windows.sh (a Wine prefix with
#   its virtual desktop on an Xvfb); --build is the Windows build directory
#   (default build-win32), where the bench targets are built first.
set -euo pipefail
cd "$(dirname "$0")/../.."

runs=11
idle_runs=3
idle_seconds=20
build="build-win32"
while [ $# -gt 0 ]; do
    case $1 in
        --runs) runs=$2; shift 2 ;;
        --idle-seconds) idle_seconds=$2; shift 2 ;;
        --idle-runs) idle_runs=$2; shift 2 ;;
        --build) build=$2; shift 2 ;;
        -h|--help) sed -n '2,20p' "$0"; exit 0 ;;
        *) echo "bench/win32/run.sh: unknown argument $1" >&2; exit 2 ;;
    esac
done
: "${WINEPREFIX:?set WINEPREFIX to a prefix made by tools/windows.sh}"
: "${DISPLAY:?set DISPLAY to the X display of the prefix}"

cmake "$build" >/dev/null # a target new since the build was configured
cmake --build "$build" -j2 --target vorlen_win32_exe vorlen_win32_floor vorlen_win32_floor_idle vorlen_win32_plain \
    vorlen_win32_launch >/dev/null
windows_path() { printf 'Z:%s' "$(realpath "$1")" | tr '/' '\134'; }
launch="$build/bench/win32/vorlen_win32_launch.exe"
floor=$(windows_path "$build/bench/win32/vorlen_win32_floor.exe")
program=$(windows_path "$build/win32/vorlen.exe")
run() { sh tools/wine-run.sh "$launch" "$1" "$2" 0; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

results=$(mktemp -d)
# Wine's virtual desktop starts with the first window program and ends after
# the last; a minimised notepad keeps it up, so that neither side pays for it.
sh tools/wine-run.sh notepad >/dev/null 2>&1 &
keeper=$!
trap 'kill "$keeper" 2>/dev/null || true' EXIT
sleep 2
run "$floor" VorlenFloor >/dev/null # warm the file cache
for _ in $(seq "$runs"); do
    run "$floor" VorlenFloor >>"$results/floor"
    run "$program" VorlenForm1 >>"$results/program"
done

# Idle CPU: the Linux process of each, over the idle window, in % of one core.
idle_cpu() {
    # wine-run.sh execs Wine, which becomes the program: $! is its process.
    sh tools/wine-run.sh "$1" &
    local pid=$!
    sleep 3
    local ticks before after
    ticks=$(getconf CLK_TCK)
    before=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    sleep "$idle_seconds"
    after=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    local rss
    rss=$(awk '/VmRSS/ { print $2 }' "/proc/$pid/status")
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    awk -v b="$before" -v a="$after" -v t="$ticks" -v s="$idle_seconds" -v r="$rss" \
        'BEGIN { printf "%.2f %d\n", (a - b) / t / s * 100, r }'
}
for _ in $(seq "$idle_runs"); do
    idle_cpu "$build/bench/win32/vorlen_win32_floor.exe" >>"$results/idle-floor"
    idle_cpu "$build/bench/win32/vorlen_win32_floor_idle.exe" >>"$results/idle-floor-idle"
    idle_cpu "$build/bench/win32/vorlen_win32_plain.exe" >>"$results/idle-plain"
    idle_cpu "$build/win32/vorlen.exe" >>"$results/idle-program"
done
floor_cpu=$(awk '{ print $1 }' "$results/idle-floor" | median)
plain_cpu=$(awk '{ print $1 }' "$results/idle-plain" | median)
idle_floor_cpu=$(awk '{ print $1 }' "$results/idle-floor-idle" | median)
program_cpu=$(awk '{ print $1 }' "$results/idle-program" | median)
floor_rss=$(awk '{ print $2 }' "$results/idle-floor" | median)
program_rss=$(awk '{ print $2 }' "$results/idle-program" | median)

floor_start=$(awk '{ print $1 }' "$results/floor" | median)
program_start=$(awk '{ print $1 }' "$results/program" | median)
floor_ws=$(awk '{ print $2 }' "$results/floor" | median)
program_ws=$(awk '{ print $2 }' "$results/program" | median)
size=$(stat -c %s "$build/win32/vorlen.exe")
stripped=$(x86_64-w64-mingw32-strip -o "$results/vorlen.exe" "$build/win32/vorlen.exe" && stat -c %s "$results/vorlen.exe")

echo "| Figure ($runs runs, medians) | floor | vorlen.exe | ratio |"
echo "|---|---|---|---|"
awk -v f="$floor_start" -v p="$program_start" 'BEGIN { printf "| start to first paint (ms) | %.0f | %.0f | %.2f |\n", f, p, p / f }'
awk -v f="$floor_ws" -v p="$program_ws" 'BEGIN { printf "| working set after 1 s (KiB, Wine) | %d | %d | %.2f |\n", f, p, p / f }'
echo "| resident set of the Wine process (KiB) | $floor_rss | $program_rss | |"
echo "| idle CPU over ${idle_seconds} s (% of a core) | $floor_cpu | $program_cpu | |"
awk -v f="$idle_floor_cpu" -v p="$program_cpu" 'BEGIN { printf "| idle CPU against the idle floor, set anew every 85 ms (goal <= 1.15) | %.2f | %.2f | %.2f |\n", f, p, (f > 0) ? p / f : 0 }'
awk -v f="$plain_cpu" -v p="$program_cpu" 'BEGIN { printf "| idle CPU against the plain window with themed controls | %.2f | %.2f | %.2f |\n", f, p, (f > 0) ? p / f : 0 }'
echo "| vorlen.exe size (bytes, stripped) | | $stripped (unstripped $size) | |"
echo "raw figures: $results" >&2
