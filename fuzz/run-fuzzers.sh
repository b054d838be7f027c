#!/bin/sh
# Builds the libFuzzer targets with clang++-14 (address and undefined-behaviour sanitizers) and
# runs each for the given number of seconds (default 60) over a scratch copy of its seed corpus,
# so that the inputs libFuzzer adds never land in the source tree.
#
#   fuzz/run-fuzzers.sh [seconds]
#
# The targets are compiled straight from the few pure sources they need, so every one of those
# sources carries the fuzzer's coverage instrumentation and neither Qt, the platform layer (but
# for its POSIX file reading) nor a configured CMake tree is needed. CORVANE_FUZZ_BUILD overrides the output folder (default
# <repo>/build-fuzz). Exit code 1 when a fuzzer finds a fault; its log and the crashing input are
# then kept in the scratch folder, which is printed.
set -eu

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_FUZZ_BUILD:-$root/build-fuzz}
flags="-std=c++20 -O1 -g -Wall -Wextra -Werror -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -I$root/src -I$root/fuzz -I$root/tests"

sources_of() {
    case "$1" in
    fuzz_settings) echo settings/CLocaleFloat.cpp settings/LineRules.cpp \
        settings/SettingConversions.cpp settings/SettingsFileScanner.cpp settings/TypeCode.cpp ;;
    fuzz_hexword) echo block/HexWord.cpp ;;
    fuzz_blockfile) echo block/BlockFile.cpp platform/posix/FileRead.cpp ;;
    esac
}

targets="fuzz_settings fuzz_hexword fuzz_blockfile"
mkdir -p "$build"
for target in $targets; do
    sources=""
    for source in $(sources_of "$target"); do
        sources="$sources $root/src/$source"
    done
    echo "building $target"
    # shellcheck disable=SC2086
    clang++-14 $flags "$root/fuzz/$target.cpp" $sources -o "$build/$target"
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/corvane-fuzz-XXXXXX")
status=0
for target in $targets; do
    mkdir -p "$scratch/$target/corpus" "$scratch/$target/artifacts"
    cp "$root/fuzz/corpus/$target/"* "$scratch/$target/corpus/"
    log="$scratch/$target/log"
    if (cd "$scratch/$target" && "$build/$target" -max_total_time="$seconds" \
        -print_final_stats=1 -artifact_prefix="$scratch/$target/artifacts/" corpus) \
        >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "$target: ${runs:-?} executions in ${seconds} s, no fault"
    else
        echo "$target: FAULT, see $log"
        tail -n 40 "$log"
        status=1
    fi
done

if [ "$status" -eq 0 ]; then
    rm -rf "$scratch"
else
    echo "inputs and logs kept in $scratch"
fi
exit "$status"
