#!/usr/bin/env bash
# Sets up, builds and runs every test:
#   0. the layout check: no file includes from a folder above its own (docs/architecture.md);
#   1. the normal build and its whole suite (unit, process, fault matrix, a 60 s soak, the real
#      window under Xvfb, a benchmark smoke run);
#   2. each fuzzer for 60 s (libFuzzer, clang-14);
#   3. the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer;
#   4. the thread and link tests under ThreadSanitizer.
#   scripts/test.sh          everything
#   scripts/test.sh quick    steps 0 and 1 only
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

echo "== layout: every folder includes only downward"
python3 scripts/check-layout.py .

preset=default
if [ "${CI:-}" = "true" ]; then
    preset=ci   # warnings are errors in CI
fi

echo "== $preset build and suite"
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"

if [ "${1:-}" = "quick" ]; then
    exit 0
fi

echo "== fuzzers, 60 s each"
fuzz/run-fuzzers.sh "${CORVANE_FUZZ_SECONDS:-60}"

echo "== AddressSanitizer and UndefinedBehaviorSanitizer: the whole suite"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan -LE bench

echo "== ThreadSanitizer: the thread and link tests"
cmake --preset tsan
cmake --build --preset tsan --target platform_thread_tests platform_close_tests connection_tests
ctest --preset tsan -L threads
