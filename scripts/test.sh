#!/usr/bin/env bash
# Sets up, builds and runs every test:
#   0. the layout check: no file includes from a folder above its own (docs/architecture.md);
#   1. the normal build and its whole suite (unit, process, fault matrix, a 60 s soak, the real
#      window under Xvfb, a benchmark smoke run);
#   2. each fuzzer for 60 s (libFuzzer, clang-14);
#   3. the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer;
#   4. the thread and link tests under ThreadSanitizer;
#   5. the Windows builds (mingw-i686, the shipped one, and mingw-x86_64) and their suites under
#      Wine (wine and wine64), in a Wine prefix of each build folder.
#   scripts/test.sh          everything
#   scripts/test.sh quick    steps 0 and 1 only
#   scripts/test.sh windows  step 5 only
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

echo "== layout: every folder includes only downward"
python3 scripts/check-layout.py .

# Runs ctest with the given arguments, its output also kept, and ends with a banner naming every
# test that did not run: a skipped test has checked nothing on this machine, and a green run must
# not hide that. The exit code is ctest's.
run_ctest() {
    local log status skipped
    log="$(mktemp)"
    set +e
    ctest "$@" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    set -e
    skipped="$(grep -E '^[[:space:]]*[0-9]+ - .* \((Skipped|Not Run|Disabled)\)$' "$log" || true)"
    rm -f "$log"
    if [ -n "$skipped" ]; then
        echo "########################################################################"
        echo "## NOT RUN on this machine ($(grep -c . <<<"$skipped") of the tests of: ctest $*):"
        sed 's/^[[:space:]]*/##   /' <<<"$skipped"
        echo "## These checks proved nothing here. Why one did not run: the same ctest with"
        echo "## -R '^<name>\$' -V shows its reason."
        echo "########################################################################"
    fi
    return "$status"
}

preset=default
if [ "${CI:-}" = "true" ]; then
    preset=ci   # warnings are errors in CI
fi

# Configures, builds and runs the suite of each Windows build. The Wine prefix (made once per build
# folder) and its server are ready before ctest starts, so no test waits for them.
run_windows() {
    local windows_preset
    for windows_preset in mingw-i686 mingw-x86_64; do
        echo "== $windows_preset build and its suite under Wine"
        cmake --preset "$windows_preset"
        cmake --build --preset "$windows_preset"
        cmake --build --preset "$windows_preset" --target wine_prefix
        run_ctest --preset "$windows_preset"
    done
    echo "== the Windows package"
    cmake --build --preset mingw-i686 --target package
    python3 scripts/check-windows-package.py \
        "build-mingw-i686/corvane-sensors-tool-$(sed -n 's/^project(CorvaneSensorsTool VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)-win32.zip"
}

if [ "${1:-}" = "windows" ]; then
    run_windows
    exit 0
fi

echo "== $preset build and suite"
cmake --preset "$preset"
cmake --build --preset "$preset"
run_ctest --preset "$preset"

if [ "${1:-}" = "quick" ]; then
    exit 0
fi

echo "== fuzzers, 60 s each"
fuzz/run-fuzzers.sh "${CORVANE_FUZZ_SECONDS:-60}"

echo "== AddressSanitizer and UndefinedBehaviorSanitizer: the whole suite"
cmake --preset asan
cmake --build --preset asan
run_ctest --preset asan -LE bench

echo "== ThreadSanitizer: the thread and link tests"
cmake --preset tsan
cmake --build --preset tsan --target platform_thread_tests platform_close_tests connection_tests
run_ctest --preset tsan -L threads

run_windows
