#!/bin/sh
# Memcheck on a short headless session of the real window: the monkey's
# stream of 1000 events (clicks anywhere and on the controls, keys, right and
# wrong answers, ticks of the three timers, the counter request among them).
# Fails on any memory error and on any block definitely lost. One-time
# allocations of Qt and the system libraries that are never freed may be
# suppressed in tools/valgrind.supp, each with its reason.
#
# Usage: sh tools/valgrind-check.sh [build directory]
# The directory defaults to build-valgrind; a new one is configured with
# debug information, an existing one is used as it is.
set -eu
cd "$(dirname "$0")/.."
build="${1:-build-valgrind}"

if ! command -v valgrind >/dev/null 2>&1; then
    echo "valgrind-check: valgrind is not installed (sh tools/deps.sh test)" >&2
    exit 2
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLEN_WERROR=ON \
        -DVORLEN_BUILD_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target vorlen_monkey >/dev/null

failed=0
check() {
    name=$1
    shift
    log="$build/valgrind-$name.log"
    status=0
    QT_QPA_PLATFORM=offscreen VORLEN_MONKEY_EVENTS=1000 \
        valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
        --errors-for-leak-kinds=definite --error-exitcode=99 --num-callers=40 \
        --suppressions=tools/valgrind.supp --log-file="$log" "$@" || status=$?
    echo "== $name"
    sed -n -e '/definitely lost:/p' -e '/indirectly lost:/p' -e '/possibly lost:/p' \
        -e '/suppressed:/p' -e '/ERROR SUMMARY/p' "$log" | sed 's/^==[0-9]*== *//' | awk '!seen[$0]++'
    case $status in
        0) ;;
        99) echo "valgrind-check: $name: memcheck found errors; the report is in $log" >&2; failed=1 ;;
        *) echo "valgrind-check: $name: the program failed (exit $status); see $log" >&2; failed=1 ;;
    esac
}

check monkey "$build/tests/monkey/vorlen_monkey"

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "valgrind-check: no memory error and no block definitely lost"
