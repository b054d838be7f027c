"""The in-process benchmarks (Google Benchmark): runs them and reads their JSON output."""

import json
import re
import subprocess

from perf_common import clean_environment, log


def run_benchmark(paths, work, name_filter, extra_args, tag):
    out = work / f"bench-{tag}.json"
    command = [str(paths["bench"]), f"--benchmark_filter={name_filter}",
               f"--benchmark_out={out}", "--benchmark_out_format=json"] + extra_args
    env = clean_environment({"QT_QPA_PLATFORM": "offscreen"})
    log("running " + " ".join(command[1:]))
    subprocess.run(command, env=env, check=True, stdout=subprocess.DEVNULL, timeout=1800)
    data = json.loads(out.read_text())
    for entry in data["benchmarks"]:
        if entry.get("error_occurred"):
            raise RuntimeError(f"{entry['name']}: {entry.get('error_message')}")
    return data["benchmarks"]


def medians(entries):
    """Benchmark name -> its median row (the only row when it ran once)."""
    by_name = {}
    for entry in entries:
        # Fixed iteration counts and manual timing show in the name; the table keys leave them out.
        name = re.sub(r"/(iterations:\d+|manual_time|repeats:\d+)", "", entry.get("run_name", entry["name"]))
        if entry.get("run_type") == "aggregate":
            if entry.get("aggregate_name") == "median":
                by_name[name] = entry
        else:
            by_name.setdefault(name, entry)
    return by_name


def to_ns(entry, field):
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[entry["time_unit"]]
    return entry[field] * scale


def measure_in_process(paths, work, quick):
    common = ["--quick", "--benchmark_min_time=0.01"] if quick else [
        "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true"]
    results = {}
    results["sync_waitfor"] = medians(run_benchmark(paths, work, "SynchronizeServedInWaitFor",
                                                    common, "sync-waitfor"))
    # The event loop can run once per process: one process per repetition.
    loop_runs = []
    for repetition in range(1 if quick else 5):
        rows = run_benchmark(paths, work, "SynchronizeServedInEventLoop",
                             ["--quick"] if quick else [], f"sync-loop-{repetition}")
        loop_runs.append(rows[0]["ns_per_call"])
    results["sync_loop_ns"] = loop_runs
    results["tick"] = medians(run_benchmark(paths, work, "BM_Tick", common, "tick"))
    results["exit"] = medians(run_benchmark(paths, work, "BM_Exit",
                                            ["--quick"] if quick else [], "exit"))
    results["settings"] = medians(run_benchmark(paths, work, "BM_Read", common, "settings"))
    return results
