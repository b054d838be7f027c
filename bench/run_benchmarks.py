#!/usr/bin/env python3
"""Runs every performance measurement on this machine and writes the report (Markdown).

Called by run-benchmarks.sh after the build; see that script for the options. Everything that
needs a display runs on a private Xvfb server that this script starts and stops.
"""

import argparse
import datetime
import shutil
import sys
import tempfile
from pathlib import Path

from perf_common import Xvfb, load_average, log
from perf_idle import measure_idle_cpu
from perf_inprocess import measure_in_process
from perf_machine import machine_description
from perf_report import write_report
from perf_startup import (compare_first_sight, instructions_to_mapped, measure_startup,
                          memory_breakdown)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True, type=Path)
    parser.add_argument("--output", required=True, type=Path)
    parser.add_argument("--quick", action="store_true")
    parser.add_argument("--idle-seconds", type=float)
    args = parser.parse_args()
    if args.idle_seconds is None:
        args.idle_seconds = 6.0 if args.quick else 60.0
    build = args.build_dir.resolve()
    paths = {
        "tool": build / "corvane-sensors-tool",
        "bench": build / "bench" / "corvane_bench",
        "bare": build / "bench" / "corvane_bare_window",
        "peer": build / "bench" / "corvane_peer_window",
        "floor": build / "bench" / "corvane_xlib_window",
        "probe": build / "bench" / "corvane_map_probe",
    }
    for name, path in paths.items():
        if not path.exists():
            sys.exit(f"missing {path}: build it first")
    if shutil.which("Xvfb") is None:
        sys.exit("Xvfb is not installed (package xvfb)")

    started = datetime.datetime.now(datetime.timezone.utc)
    loads = [load_average()]
    machine = machine_description(build)
    with tempfile.TemporaryDirectory(prefix="corvane-perf-") as temp:
        work = Path(temp)
        xvfb = Xvfb()
        try:
            startup = measure_startup(paths, xvfb, work, 3 if args.quick else 21)
            startup["memory"] = memory_breakdown(paths, xvfb, work)
            startup["instructions"] = instructions_to_mapped(paths, xvfb, work)
            inproc = measure_in_process(paths, work, args.quick)
            idle = [measure_idle_cpu(paths, xvfb, work, delay, args.idle_seconds)
                    for delay in (1, 5)]
            idle.append(measure_idle_cpu(paths, xvfb, work, 1, args.idle_seconds,
                                         fixed_sensors=True))
        finally:
            xvfb.stop()
        startup["first_sight"] = compare_first_sight(build, work / "first-sight")
    loads.append(load_average())
    finished = datetime.datetime.now(datetime.timezone.utc)
    write_report(args.output, machine, args, started, finished, loads, startup, inproc, idle)
    log(f"wrote {args.output}")


if __name__ == "__main__":
    main()
