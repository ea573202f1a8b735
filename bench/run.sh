#!/usr/bin/env bash
# Benchmarks of the program against its floors, built here in the same run
# with the same flags: an empty Qt 6 Widgets window of the same size
# (bench/floor/main.cpp), and the whole window done the plainest Qt Widgets
# way (bench/floor/window.cpp: every part the resting window shows at its
# drawn place, in the same faces, the hidden panels made too, the numbers and
# answers new every 85 ms). The goals are set against the whole window:
# mapped within 1.2 times its time, peak memory within 1.05 times, idle CPU
# within 1.1 times. Public tools only: Xvfb, a private session bus as a
# desktop has one, xdotool, /usr/bin/time -v, perf stat where the machine
# allows it, and the engine's Google Benchmark program when the build has it.
# Every figure is the median of --runs runs, each program in turn; the result
# is a Markdown table on standard output, and the raw figures of each run stay
# in BUILD/bench-results/.
#
# Start-up is timed from just before exec to two moments: the window mapped,
# as the X server reports it to a client watching the root window, and the
# end of the first painted frame, as the program's probe reports it. The
# empty window is also measured showing one line of text ("text"), a new
# number every 85 ms ("ticking"), and the question's numbers and answers in
# plain QLabels and QPushButtons standing still ("plain") and set anew every
# 85 ms ("plain-ticking"): what any window pays before the program adds
# anything.
#
# Usage: bench/run.sh [--runs N] [--idle-seconds S] [--presses P] [--build DIR] [--no-build]
#   --runs N          runs per figure (default 7)
#   --idle-seconds S  length of the idle CPU window (default 30)
#   --presses P       answer-button presses timed per run (default 40)
#   --build DIR       build directory (default build-bench), configured with
#                     -DCMAKE_BUILD_TYPE=Release
#   --no-build        use what DIR holds
set -euo pipefail
cd "$(dirname "$0")/.."

runs=7
idle_seconds=30
presses=40
build="build-bench"
do_build=1
while [ $# -gt 0 ]; do
    case $1 in
        --runs) runs=$2; shift 2 ;;
        --idle-seconds) idle_seconds=$2; shift 2 ;;
        --presses) presses=$2; shift 2 ;;
        --build) build=$2; shift 2 ;;
        --no-build) do_build=0; shift ;;
        -h|--help) sed -n '2,20p' "$0"; exit 0 ;;
        *) echo "bench/run.sh: unknown argument $1 (see --help)" >&2; exit 2 ;;
    esac
done

say() { echo "bench: $*" >&2; }
need() {
    command -v "$1" >/dev/null 2>&1 && return
    echo "bench/run.sh: $1 is missing; install what the benchmarks need with: sh tools/deps.sh bench" >&2
    exit 1
}
for tool in cmake Xvfb xdotool timeout awk python3 dbus-daemon; do need "$tool"; done
[ -x /usr/bin/time ] || need /usr/bin/time

# --- build ------------------------------------------------------------------
if [ "$do_build" = 1 ]; then
    say "building in $build"
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVORLEN_BUILD_TESTS=OFF \
        -DVORLEN_BUILD_BENCHMARKS=ON >/dev/null
    targets="vorlen_probed vorlen_floor vorlen_floor_window vorlen_stamp_exec"
    if cmake --build "$build" --target help 2>/dev/null | grep -q 'vorlen_engine_bench'; then
        targets="$targets vorlen_engine_bench"
    fi
    # shellcheck disable=SC2086
    cmake --build "$build" -j2 --target $targets >/dev/null
fi
program=$build/bench/vorlen_probed
floor=$build/bench/floor/vorlen_floor
whole=$build/bench/floor/vorlen_floor_window
stamp=$build/bench/floor/vorlen_stamp_exec
engine_bench=$(find "$build/bench" -name vorlen_engine_bench -type f -perm -u+x 2>/dev/null | head -n 1)
for binary in "$program" "$floor" "$whole" "$stamp"; do
    [ -x "$binary" ] || { echo "bench/run.sh: $binary is not built" >&2; exit 1; }
done

results=$build/bench-results
rm -rf "$results"
mkdir -p "$results"
scratch=$(mktemp -d)
errors=$results/stderr.log
: >"$errors"

# --- a private X server -----------------------------------------------------
display=""
for n in $(seq 91 130); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=$n
        break
    fi
done
[ -n "$display" ] || { echo "bench/run.sh: no free X display number" >&2; exit 1; }
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >>"$errors" 2>&1 &
xvfb_pid=$!
running=()
cleanup() {
    local pid
    for pid in "${running[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [ -s "$scratch/bus.pid" ]; then kill "$(cat "$scratch/bus.pid")" 2>/dev/null || true; fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
for _ in $(seq 200); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "bench/run.sh: Xvfb did not start (see $errors)" >&2; exit 1; }
    sleep 0.05
done
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset VORLEN_BENCH_FIRST_PAINT VORLEN_BENCH_PRESS
# A desktop has a session bus; without one Qt would start a bus of its own
# for every program. Services it starts (the desktop portal) see this display.
bus_address=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 3>"$scratch/bus.pid" 2>>"$errors")
[ -n "$bus_address" ] || { echo "bench/run.sh: no session bus (see $errors)" >&2; exit 1; }
export DBUS_SESSION_BUS_ADDRESS=$bus_address

perf_works=0
if command -v perf >/dev/null 2>&1 && perf stat -e task-clock true >/dev/null 2>&1; then
    perf_works=1
fi
clock_ticks=$(getconf CLK_TCK)

# --- helpers ----------------------------------------------------------------
median() { # numbers on standard input -> their median
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "nan"; exit }
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

wait_for_line() { # WORD FILE SECONDS
    local deadline=$((SECONDS + $3))
    until grep -q "^$1 " "$2" 2>/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.01
    done
}

stop() { # PID: ask it to end, and make it end if it will not within 2 s
    kill "$1" 2>/dev/null || true
    local _
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.02
    done
    kill -KILL "$1" 2>/dev/null || true
    { wait "$1"; } 2>/dev/null || true
    running=()
}

cpu_ticks() { # PID -> user + system clock ticks of every thread of the process
    awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"
}

# Exec to the window mapped and to the end of the first painted frame, in ms.
startup_once() { # PROGRAM [ARGUMENT]
    local out=$scratch/startup.out
    : >"$out" # no line of an earlier run may be mistaken for this one's
    VORLEN_BENCH_FIRST_PAINT=1 "$stamp" "$@" >"$out" 2>>"$errors" &
    local pid=$!
    running=("$pid")
    if ! wait_for_line first-paint "$out" 20; then
        stop "$pid"
        echo "bench/run.sh: $1 printed no first-paint line (is it a build of bench/probed or bench/floor?)" >&2
        exit 1
    fi
    stop "$pid"
    grep -q '^mapped ' "$out" || { echo "bench/run.sh: the window of $1 was never seen mapped" >&2; exit 1; }
    awk '/^exec /{ e = $2 } /^mapped /{ m = $2 } /^first-paint /{ p = $2 } END {
        printf "%.3f %.3f\n", (m - e) / 1e6, (p - e) / 1e6 }' "$out"
}

# Peak resident set of a run that shows the window for 3 s, in MiB.
peak_memory_once() { # PROGRAM [ARGUMENT]
    /usr/bin/time -v -o "$scratch/time.txt" timeout -s TERM 3 "$@" >/dev/null 2>>"$errors" || true
    awk -F: '/Maximum resident set size/ { printf "%.2f\n", $2 / 1024 }' "$scratch/time.txt"
}

# CPU of the program and of Xvfb over an idle window, as % of one core.
idle_cpu_once() { # PROGRAM [ARGUMENT...]
    "$@" >/dev/null 2>>"$errors" &
    local pid=$!
    running=("$pid")
    sleep 3 # past start-up and the counter request
    local p0 x0 p1 x1 t0 t1 perf_ms=""
    p0=$(cpu_ticks "$pid")
    x0=$(cpu_ticks "$xvfb_pid")
    t0=$(date +%s%N)
    if [ "$perf_works" = 1 ]; then
        perf stat -x, -e task-clock -p "$pid" -o "$scratch/perf.txt" -- sleep "$idle_seconds" 2>>"$errors" || true
        perf_ms=$(awk -F, '/task-clock/ { print $1 }' "$scratch/perf.txt")
    else
        sleep "$idle_seconds"
    fi
    p1=$(cpu_ticks "$pid")
    x1=$(cpu_ticks "$xvfb_pid")
    t1=$(date +%s%N)
    stop "$pid"
    awk -v p="$((p1 - p0))" -v x="$((x1 - x0))" -v hz="$clock_ticks" -v ns="$((t1 - t0))" \
        -v perf="$perf_ms" -v secs="$idle_seconds" 'BEGIN {
            own = (perf != "") ? perf / (secs * 1000) * 100 : p / hz / (ns / 1e9) * 100
            printf "%.3f %.3f\n", own, x / hz / (ns / 1e9) * 100 }'
}

# Release of the mouse button to the end of the next painted frame, in ms,
# one line per press. The program is pressed on its right answer each time.
press_once() { # PROGRAM OUTPUT
    local fifo=$scratch/press.fifo
    rm -f "$fifo"
    mkfifo "$fifo"
    VORLEN_BENCH_PRESS=1 "$1" >"$fifo" 2>>"$errors" &
    local pid=$!
    running=("$pid")
    exec 9<"$fifo"
    local count=0 kind a b c target="" released=0 pointer=""
    while [ "$count" -lt "$presses" ] && read -r -t 10 -u 9 kind a b c; do
        case $kind in
            click)
                sleep 0.03
                # --sync waits for the pointer to move, forever if it is there already.
                if [ "$pointer" = "$b $c" ]; then
                    xdotool click 1
                else
                    xdotool mousemove --sync "$b" "$c" click 1
                    pointer="$b $c"
                fi
                ;;
            release) target=$a; released=$b ;;
            repaint)
                if [ "$target" != command9 ]; then
                    awk -v d="$((a - released))" 'BEGIN { printf "%.3f\n", d / 1e6 }' >>"$2"
                    count=$((count + 1))
                fi
                ;;
        esac
    done
    exec 9<&-
    stop "$pid"
    [ "$count" -eq "$presses" ] || { echo "bench/run.sh: only $count presses were timed on $1" >&2; exit 1; }
}

# --- measure ----------------------------------------------------------------
say "warming up (font caches, page cache)"
startup_once "$floor" >/dev/null
startup_once "$floor" text >/dev/null
startup_once "$whole" assets/images/dedication.png >/dev/null
startup_once "$program" >/dev/null

# The command line of each program measured (paths without blanks).
command_for() {
    case $1 in
        floor) echo "$floor" ;;
        floor-text) echo "$floor text" ;;
        floor-ticking) echo "$floor ticking" ;;
        floor-plain) echo "$floor plain" ;;
        floor-plain-ticking) echo "$floor plain-ticking" ;;
        whole) echo "$whole assets/images/dedication.png" ;;
        program) echo "$program" ;;
    esac
}

# The floor that shows one line of text is a reference for the explanation
# of the figures, not a goal.
for run in $(seq "$runs"); do
    say "run $run of $runs: start-up, memory"
    for which in floor floor-text floor-plain whole program; do
        read -r -a command < <(command_for "$which")
        read -r mapped painted < <(startup_once "${command[@]}")
        [ -n "$painted" ] || exit 1
        echo "$mapped" >>"$results/mapped-$which.txt"
        echo "$painted" >>"$results/startup-$which.txt"
        peak_memory_once "${command[@]}" >>"$results/memory-$which.txt"
    done
done
for run in $(seq "$runs"); do
    say "run $run of $runs: ${idle_seconds} s idle, each program in turn"
    for which in floor floor-ticking floor-plain-ticking whole program; do
        read -r -a command < <(command_for "$which")
        read -r own xvfb < <(idle_cpu_once "${command[@]}")
        echo "$own" >>"$results/idle-cpu-$which.txt"
        echo "$xvfb" >>"$results/idle-xvfb-$which.txt"
    done
done
for run in $(seq "$runs"); do
    say "run $run of $runs: $presses presses"
    for which in floor program; do
        read -r -a command < <(command_for "$which")
        press_once "${command[0]}" "$scratch/press.txt"
        median <"$scratch/press.txt" >>"$results/press-$which.txt"
        cat "$scratch/press.txt" >>"$results/press-all-$which.txt"
        rm -f "$scratch/press.txt"
    done
done
if [ -n "$engine_bench" ]; then
    say "engine benchmark, $runs repetitions"
    "$engine_bench" --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
        --benchmark_format=json >"$results/engine.json" 2>>"$errors"
fi

# --- report -----------------------------------------------------------------
m() { median <"$results/$1.txt"; }
p95() { sort -g "$results/$1.txt" | awk '{ v[NR] = $1 } END { print v[int(NR * 0.95 + 0.999)] }'; }
row() { # FIGURE UNIT PROGRAM FLOOR GOAL-KIND GOAL
    awk -v f="$1" -v u="$2" -v p="$3" -v q="$4" -v kind="$5" -v goal="$6" 'BEGIN {
        ratio = (q > 0) ? sprintf("%.2fx", p / q) : "n/a (floor 0)"
        if (kind == "ratio") { met = (q > 0 && p / q <= goal) ? "met" : "missed"; g = sprintf("<= %sx floor", goal) }
        else if (kind == "below") { met = (p < goal) ? "met" : "missed"; g = sprintf("< %s %s", goal, u) }
        else { met = "-"; g = "-" }
        printf "| %s | %.2f %s | %.2f %s | %s | %s | %s |\n", f, p, u, q, u, ratio, g, met }'
}

echo
echo "Vorlen against the whole window done the plainest Qt $(pkg-config --modversion Qt6Core 2>/dev/null || echo 6)" \
    "Widgets way (bench/floor/window.cpp), Xvfb with a session bus, median of $runs runs, $(nproc) cores," \
    "$(date -u +%Y-%m-%d)"
echo
echo "| Figure | Vorlen | Whole window | Ratio | Goal | Goal met |"
echo "|---|---|---|---|---|---|"
row "Start-up: exec to the window mapped" ms "$(m mapped-program)" "$(m mapped-whole)" ratio 1.2
row "Start-up: exec to first painted frame" ms "$(m startup-program)" "$(m startup-whole)" none 0
row "Peak resident memory, window shown 3 s" MiB "$(m memory-program)" "$(m memory-whole)" ratio 1.05
row "CPU while idle, ${idle_seconds} s (% of one core)" "%" "$(m idle-cpu-program)" "$(m idle-cpu-whole)" \
    ratio 1.1
row "Xvfb's CPU in the same window (% of one core)" "%" "$(m idle-xvfb-program)" "$(m idle-xvfb-whole)" \
    none 0
echo
echo "Against the empty window of the same size (bench/floor/main.cpp):"
echo
echo "| Figure | Vorlen | Floor | Ratio | Goal | Goal met |"
echo "|---|---|---|---|---|---|"
row "Start-up: exec to first painted frame" ms "$(m startup-program)" "$(m startup-floor)" ratio 1.3
row "Peak resident memory, window shown 3 s" MiB "$(m memory-program)" "$(m memory-floor)" ratio 1.2
row "CPU while idle, ${idle_seconds} s (% of one core)" "%" "$(m idle-cpu-program)" "$(m idle-cpu-floor)" \
    below 0.5
row "Xvfb's CPU in the same window (% of one core)" "%" "$(m idle-xvfb-program)" "$(m idle-xvfb-floor)" \
    none 0
row "Press-to-repaint (release to next frame)" ms "$(m press-program)" "$(m press-floor)" below 16.7
echo
echo "Against the plain window, the same visible work in plain QLabels and QPushButtons (bench/floor, arguments plain and plain-ticking):"
echo
echo "| Figure | Vorlen | Plain window | Ratio | Goal | Goal met |"
echo "|---|---|---|---|---|---|"
row "Start-up, against the plain window standing still" ms "$(m startup-program)" "$(m startup-floor-plain)" ratio 1.3
row "Peak resident memory, against it standing still" MiB "$(m memory-program)" "$(m memory-floor-plain)" ratio 1.1
row "CPU while idle, against it set anew every 85 ms" "%" "$(m idle-cpu-program)" "$(m idle-cpu-floor-plain-ticking)" \
    ratio 1.15
echo
echo
echo "The same against a floor that also shows one line of text in a label (bench/floor, argument text):"
echo
echo "| Figure | Vorlen | Floor with text | Ratio | Empty floor to floor with text |"
echo "|---|---|---|---|---|"
awk -v p="$(m startup-program)" -v q="$(m startup-floor-text)" -v e="$(m startup-floor)" 'BEGIN {
    printf "| Start-up | %.2f ms | %.2f ms | %.2fx | %.2fx |\n", p, q, p / q, q / e }'
awk -v p="$(m memory-program)" -v q="$(m memory-floor-text)" -v e="$(m memory-floor)" 'BEGIN {
    printf "| Peak resident memory | %.2f MiB | %.2f MiB | %.2fx | %.2fx |\n", p, q, p / q, q / e }'
awk -v p="$(m idle-cpu-program)" -v q="$(m idle-cpu-floor-ticking)" -v e="$(m idle-cpu-floor)" 'BEGIN {
    printf "| CPU while idle, its label new every 85 ms | %.2f %% | %.2f %% | %.2fx | %.2f to %.2f %% |\n", p, q,
        (q > 0) ? p / q : 0, e, q }'
echo
echo "Press-to-repaint over every press: 95th percentile $(p95 press-all-program) ms" \
    "(floor $(p95 press-all-floor) ms). CPU measured with" \
    "$([ "$perf_works" = 1 ] && echo "perf stat -e task-clock" || echo "/proc/PID/stat") over the idle window," \
    "which starts 3 s after launch. The floor's press is a click on its empty window, which asks it to repaint."
if [ -s "$results/engine.json" ]; then
    echo
    echo "| Engine benchmark (median of $runs) | Time per iteration | Per item |"
    echo "|---|---|---|"
    python3 - "$results/engine.json" <<'EOF'
import json, sys
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("aggregate_name") != "median":
        continue
    name = b.get("run_name", b["name"])
    per_item = ""
    if b.get("items_per_second"):
        per_item = "%.1f ns" % (1e9 / b["items_per_second"])
    print("| %s | %.1f %s (CPU %.1f %s) | %s |" % (name, b["real_time"], b["time_unit"], b["cpu_time"],
                                                 b["time_unit"], per_item))
EOF
else
    echo
    echo "(No engine benchmark in $build: vorlen_engine_bench was not built.)"
fi
