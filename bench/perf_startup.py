"""Start-up time and peak memory of the tool against its peers, under Xvfb.

Four programs, each timed by corvane_map_probe from its start to its window being viewable:
the floor (one Xlib window), the bare Qt window, the plain-Qt peer (the tool's window written
straight with Qt) and the tool. They run in rounds, one run of each per round, in an order that
rotates from round to round, so that a slow spell of the shared machine falls on all of them and
each round gives one paired tool - peer difference.
"""

import math
import re
import shutil
import statistics
import subprocess
import time
from pathlib import Path

from perf_common import clean_environment, log, write_settings

TOOL_TITLE = "Corvane Sensors Tool"
BARE_TITLE = "Corvane Bare Window"

# name: (title, key of the program in paths)
PROGRAMS = {
    "floor": (TOOL_TITLE, "floor"),
    "bare": (BARE_TITLE, "bare"),
    "peer": (TOOL_TITLE, "peer"),
    "tool": (TOOL_TITLE, "tool"),
}


def probe_once(paths, display_env, folder, title, command):
    result = subprocess.run(
        [str(paths["probe"]), "--title", title, "--settle-ms", "500", "--"] + command,
        cwd=folder, env=display_env, capture_output=True, text=True, timeout=60)
    match = re.search(r"startup_ms=([\d.]+) cpu_ms=([-\d.]+) vmhwm_kb=(\d+) exit=(\d+)",
                      result.stdout)
    if result.returncode != 0 or not match:
        raise RuntimeError(f"probe of {command[0]} failed: {result.stdout} {result.stderr}")
    return {"startup_ms": float(match.group(1)), "cpu_ms": float(match.group(2)),
            "hwm_kb": int(match.group(3)), "exit": int(match.group(4))}


def median_interval(values, confidence=0.95):
    """A distribution-free interval for the median of `values` (sign test, exact binomial).

    Returns (low, high, coverage): the order statistics d(k) and d(n+1-k) for the largest k whose
    two tails together hold at most 1 - confidence; coverage is the interval's exact level."""
    ordered = sorted(values)
    n = len(ordered)
    tail = 0.0
    k = 0
    while k < n // 2:
        next_tail = tail + math.comb(n, k) / 2 ** n
        if 2 * next_tail > 1 - confidence:
            break
        tail = next_tail
        k += 1
    if k == 0:
        return ordered[0], ordered[-1], 1.0  # too few runs for the level: the whole range
    return ordered[k - 1], ordered[n - k], 1 - 2 * tail


def measure_startup(paths, xvfb, work, runs):
    folder = work / "startup"
    write_settings(folder, 0)
    runtime_dir = work / "xdg-runtime"
    runtime_dir.mkdir(mode=0o700, exist_ok=True)
    env = clean_environment({"DISPLAY": xvfb.display, "QT_QPA_PLATFORM": "xcb",
                             "XDG_RUNTIME_DIR": str(runtime_dir)})
    names = list(PROGRAMS)
    samples = {name: [] for name in names}
    # One unmeasured run of each first, so that all start with their files in the page cache.
    for name in names:
        title, key = PROGRAMS[name]
        probe_once(paths, env, folder, title, [str(paths[key])])
    for run in range(runs):
        order = names[run % len(names):] + names[:run % len(names)]
        for name in order:
            title, key = PROGRAMS[name]
            samples[name].append(probe_once(paths, env, folder, title, [str(paths[key])]))
        log(f"start-up round {run + 1}/{runs}: " + ", ".join(
            f"{name} {samples[name][-1]['startup_ms']:.1f} ms" for name in names))

    result = {}
    for name in names:
        result[name] = {
            field: [sample[field] for sample in samples[name]]
            for field in ("startup_ms", "cpu_ms", "hwm_kb")
        }
        result[name]["exit_codes"] = sorted({sample["exit"] for sample in samples[name]})
    for field in ("startup_ms", "cpu_ms", "hwm_kb"):
        differences = [t - p for t, p in zip(result["tool"][field], result["peer"][field])]
        low, high, coverage = median_interval(differences)
        result[f"tool_minus_peer_{field}"] = {
            "median": statistics.median(differences), "low": low, "high": high,
            "coverage": coverage}
    result["runs"] = runs
    return result


def compare_first_sight(build, pictures):
    """Runs compare-first-sight.sh: whether the peer draws the tool's first sight pixel for pixel."""
    script = Path(__file__).resolve().parent / "compare-first-sight.sh"
    result = subprocess.run(["bash", str(script), str(build), str(pictures)],
                            capture_output=True, text=True, timeout=120)
    match = re.search(r"(\d+) of (\d+) pixels differ", result.stdout)
    if not match:
        raise RuntimeError(f"the first-sight comparison failed: {result.stdout} {result.stderr}")
    log(result.stdout.strip())
    return {"differing": int(match.group(1)), "pixels": int(match.group(2))}


def resident_by_mapping(pid):
    """Resident kB per mapped file ([heap], [stack], [anon] for the rest) from /proc/<pid>/smaps."""
    resident = {}
    name = None
    for line in Path(f"/proc/{pid}/smaps").read_text().splitlines():
        fields = line.split()
        if len(fields) >= 5 and "-" in fields[0] and ":" in fields[3]:
            name = fields[5] if len(fields) > 5 else "[anon]"
        elif fields and fields[0] == "Rss:":
            resident[name] = resident.get(name, 0) + int(fields[1])
    return resident


def settled_resident(command, folder, env):
    """Starts the program, waits until its resident set has not changed for 1 s (at most 15 s),
    and returns its resident kB per mapping; then ends it with SIGTERM."""
    process = subprocess.Popen(command, cwd=folder, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        last, steady, waited = None, 0, 0.0
        while steady < 10 and waited < 15:
            time.sleep(0.1)
            waited += 0.1
            now = resident_by_mapping(process.pid)
            steady = steady + 1 if now == last else 0
            last = now
        return last
    finally:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()


def memory_breakdown(paths, xvfb, work):
    """Where the tool's resident memory differs from the peer's, mapping by mapping, in kB."""
    folder = work / "startup"
    env = clean_environment({"DISPLAY": xvfb.display, "QT_QPA_PLATFORM": "xcb",
                             "XDG_RUNTIME_DIR": str(work / "xdg-runtime")})
    tool = settled_resident([str(paths["tool"])], folder, env)
    peer = settled_resident([str(paths["peer"])], folder, env)
    own = {str(paths["tool"]): "the tool's executable", str(paths["peer"]): "the peer's executable",
           str(paths["tool"].parent / "Bfb95eg.dll"): "the simulated library Bfb95eg.dll"}
    rows = []
    for name in set(tool) | set(peer):
        rows.append({"mapping": own.get(name, name), "tool_kb": tool.get(name, 0),
                     "peer_kb": peer.get(name, 0)})
    rows.sort(key=lambda row: -abs(row["tool_kb"] - row["peer_kb"]))
    return {"tool_kb": sum(tool.values()), "peer_kb": sum(peer.values()), "rows": rows}


def window_viewable(env, title):
    result = subprocess.run(["xwininfo", "-name", title], env=env, capture_output=True, text=True)
    return "IsViewable" in result.stdout


def callgrind_objects(dump):
    """Instructions per object file from a callgrind dump, via callgrind_annotate."""
    output = subprocess.run(["callgrind_annotate", "--threshold=100", "--inclusive=no", dump],
                            capture_output=True, text=True).stdout
    objects = {}
    for line in output.splitlines():
        match = re.match(r"\s*([\d,]+) \(\s*[\d.]+%\)\s+.*\[(.*?)\]\s*$", line)
        if match:
            name = Path(match.group(2)).name
            objects[name] = objects.get(name, 0) + int(match.group(1).replace(",", ""))
    return objects


def instructions_once(command, title, folder, env, dump_stem):
    """The program's user-space instructions from its start until its window is viewable
    (callgrind, dumped at that moment), as (total, per object)."""
    process = subprocess.Popen(
        ["valgrind", "-q", "--tool=callgrind", f"--callgrind-out-file={dump_stem}.%p"] + command,
        cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        deadline = time.monotonic() + 120
        while not window_viewable(env, title):
            if time.monotonic() > deadline or process.poll() is not None:
                raise RuntimeError(f"{command[0]} showed no window under callgrind")
            time.sleep(0.05)
        subprocess.run(["callgrind_control", "--dump", str(process.pid)], capture_output=True,
                       check=True)
        time.sleep(0.5)
    finally:
        process.terminate()
        try:
            process.wait(timeout=60)
        except subprocess.TimeoutExpired:
            process.kill()
    dump = Path(f"{dump_stem}.{process.pid}.1")
    totals = re.search(r"^totals: (\d+)", dump.read_text(), re.MULTILINE)
    return int(totals.group(1)), callgrind_objects(str(dump))


def instructions_to_mapped(paths, xvfb, work):
    """Instructions to mapped of the tool, the peer and the bare window; None without valgrind.

    A count of the work itself: unlike the wall-clock start-up, other work on the machine does not
    move it (two runs of one program agree to a few in ten thousand)."""
    if shutil.which("valgrind") is None or shutil.which("callgrind_control") is None:
        return None
    folder = work / "startup"
    env = clean_environment({"DISPLAY": xvfb.display, "QT_QPA_PLATFORM": "xcb",
                             "XDG_RUNTIME_DIR": str(work / "xdg-runtime")})
    result = {}
    for name in ("bare", "peer", "tool"):
        title, key = PROGRAMS[name]
        total, objects = instructions_once([str(paths[key])], title, folder, env,
                                           str(work / f"callgrind-{name}"))
        result[name] = {"total": total, "objects": objects}
        log(f"instructions to mapped, {name}: {total}")
    return result
