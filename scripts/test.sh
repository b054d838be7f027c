#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build, then the sanitizer builds.
#   scripts/test.sh          everything
#   scripts/test.sh quick    the normal build's suite only
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

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

echo "== AddressSanitizer and UndefinedBehaviorSanitizer: the whole suite"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

echo "== ThreadSanitizer: the thread and link tests"
cmake --preset tsan
cmake --build --preset tsan
ctest --preset tsan -L threads
