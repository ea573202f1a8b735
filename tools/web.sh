#!/bin/sh
# Builds Vorlen's web page on Debian 12 with emscripten, and serves or tests it.
#
#   sh tools/web.sh build      installs what is missing (tools/deps.sh web) and
#                              builds the site into build-web/dist: one static
#                              folder for any static host
#   sh tools/web.sh serve      the same, then serves build-web/dist on
#                              http://127.0.0.1:8000 (PORT to change it)
#   sh tools/web.sh test       the same build with the tests, then every web
#                              test: the engine's, the model's and the page's
#                              own rules under node, ESLint on the page's
#                              JavaScript, the page in headless
#                              Chromium (layout, quizzes, counter request,
#                              offline, checkers), the
#                              screen-reader quiz under Orca, what the
#                              resting page costs Orca, and the layout,
#                              quiz and offline checks again in WebKitGTK and
#                              Firefox ESR
#   sh tools/web.sh lint       ESLint on the page's own JavaScript
#   sh tools/web.sh measure [size] [paint] [idle]
#                              the same build, then the figures: transfer size,
#                              first paint against a static page, idle CPU
#
# Facts this relies on: Debian's node does not search Debian's module folder
# (hence NODE_PATH), and emscripten 3.1.6's output needs fetch switched off to
# run under node 18 or later.
#
# Environment: VORLEN_WEB_BUILD_DIR (default build-web), VORLEN_WERROR=ON to
# treat warnings as errors, VORLEN_COUNTER_HOST (the counter host to build in;
# the tests map it to a local server).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build="${VORLEN_WEB_BUILD_DIR:-$root/build-web}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac
NODE_PATH=/usr/share/nodejs
export NODE_PATH

started=$(date +%s)
say() { printf '+ [%4ss] %s\n' "$(($(date +%s) - started))" "$*"; }

build_site() {
    sh "$root/tools/deps.sh" web
    say "configure and build in $build"
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
        "-DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/node;--no-experimental-fetch" -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DVORLEN_BUILD_TESTS="$1" -DVORLEN_WERROR="${VORLEN_WERROR:-OFF}" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
        -DVORLEN_COUNTER_HOST="${VORLEN_COUNTER_HOST:-sayac.keldar.example}" >/dev/null
    if [ "$1" = ON ]; then
        cmake --build "$build" -j2
    else
        cmake --build "$build" -j2 --target vorlen_web
    fi
    ls -l "$build/dist"
}

passed=0
failed=0
failures=""
# Runs one group of tests, counting it as passed or failed.
run() {
    name="$1"
    shift
    say "$name"
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        failures="$failures $name"
    fi
}

# The checkers the tests run (tests/web/package.json): the Nu HTML checker,
# axe-core and ESLint, from npm, without their install scripts (vnu-jar's
# would fetch a Java of its own; Debian's is used).
checkers() {
    if [ ! -f "$root/tests/web/node_modules/axe-core/axe.min.js" ] ||
        [ ! -f "$root/tests/web/node_modules/vnu-jar/build/dist/vnu.jar" ] ||
        [ ! -f "$root/tests/web/node_modules/eslint/bin/eslint.js" ]; then
        say "installing the checkers from npm"
        (cd "$root/tests/web" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
    fi
}

# The page's own JavaScript: its start-up script, the bridge and the service
# worker's template, by tests/web/eslint.config.mjs.
lint() {
    (cd "$root" && /usr/bin/node tests/web/node_modules/eslint/bin/eslint.js --max-warnings 0 \
        -c tests/web/eslint.config.mjs web/page.js web/bridge.js web/sw.js.in)
}

run_tests() {
    checkers
    VORLEN_WEB_DIST="$build/dist"
    VORLEN_COUNTER_HOST="${VORLEN_COUNTER_HOST:-sayac.keldar.example}"
    export VORLEN_WEB_DIST VORLEN_COUNTER_HOST
    run "the page's JavaScript under ESLint" lint
    run "engine, model and page rules under node" ctest --test-dir "$build" -j2 --output-on-failure
    for suite in layout quiz counter offline checkers; do
        run "page in Chromium: $suite" /usr/bin/python3 -m unittest -v "test_$suite"
    done
    run "quiz under Orca in Chromium" sh "$root/tools/with-atspi.sh" /usr/bin/python3 "$root/tests/web/orca_web_test.py"
    run "the resting page's cost to Orca in Chromium" sh "$root/tools/with-atspi.sh" /usr/bin/python3 \
        "$root/tests/web/quiet_web_test.py"
    # The same checks again in the other engines; what needs Chromium skips.
    for engine in webkit firefox; do
        run "page in $engine: layout, quiz, offline" env VORLEN_ENGINE=$engine /usr/bin/python3 -m unittest -v \
            test_layout test_quiz test_offline
    done
    say "done in $(($(date +%s) - started)) s"
    if [ "$failed" -gt 0 ]; then
        echo "web.sh: failed:$failures" >&2
    fi
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

command="${1:-build}"
[ $# -gt 0 ] && shift
case "$command" in
    build) build_site OFF ;;
    serve)
        build_site OFF
        port="${PORT:-8000}"
        say "serving $build/dist on http://127.0.0.1:$port (Ctrl+C ends)"
        exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$build/dist"
        ;;
    test)
        build_site ON
        cd "$root/tests/web"
        run_tests
        ;;
    lint)
        checkers
        lint
        ;;
    measure)
        build_site OFF
        VORLEN_WEB_DIST="$build/dist" /usr/bin/python3 "$root/bench/web/measure.py" "$@"
        ;;
    *)
        echo "usage: sh tools/web.sh build | serve | test | lint | measure [size] [paint] [idle]" >&2
        exit 2
        ;;
esac
