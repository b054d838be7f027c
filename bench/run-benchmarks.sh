#!/usr/bin/env bash
# Measures the tool's performance on this machine and writes docs/performance.md.
#
#   bench/run-benchmarks.sh [--quick] [--build-dir DIR] [--output FILE] [--idle-seconds N]
#                           [--no-build]
#
# Builds the tool, the simulator and the benchmark programs in DIR (default: build-bench at the top
# of the repository, Release), then runs every measurement (start-up and memory against the floor,
# a bare window and the plain-Qt peer, the in-process benchmarks, idle CPU while connected, the
# settings lookup) and writes the report to FILE (default: docs/performance.md). --quick makes
# every run short: a smoke test of the whole chain whose figures are not a measurement.
# --idle-seconds sets how long idle CPU is measured at each tick period (default 60, 6 with
# --quick). Needs Xvfb, ImageMagick and python3.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$repo/build-bench"
output="$repo/docs/performance.md"
build=1
measure_args=()

while (($#)); do
    case "$1" in
        --quick) measure_args+=(--quick) ;;
        --build-dir) build_dir="$(realpath -m "$2")"; shift ;;
        --output) output="$(realpath -m "$2")"; shift ;;
        --idle-seconds) measure_args+=(--idle-seconds "$2"); shift ;;
        --no-build) build=0 ;;
        -h|--help) sed -n '2,13p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "run-benchmarks.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done

for program in Xvfb python3 cmake import compare; do
    command -v "$program" >/dev/null || { echo "run-benchmarks.sh: $program is missing" >&2; exit 1; }
done

if ((build)); then
    cmake -S "$repo" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_BENCHMARKS=ON \
        >/dev/null || { echo "run-benchmarks.sh: configuring $build_dir failed" >&2; exit 1; }
    cmake --build "$build_dir" -j"$(nproc)" --target corvane-sensors-tool corvane_simulator \
        corvane_bench corvane_bare_window corvane_peer_window corvane_xlib_window corvane_map_probe
fi

mkdir -p "$(dirname "$output")"
exec python3 -B "$repo/bench/run_benchmarks.py" --build-dir "$build_dir" --output "$output" \
    "${measure_args[@]}"
