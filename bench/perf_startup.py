"""Start-up time and peak memory of the tool against a bare window, under Xvfb."""

import re
import subprocess

from perf_common import clean_environment, log, write_settings

TOOL_TITLE = "Corvane Sensors Tool"
BARE_TITLE = "Corvane Bare Window"


def probe_once(paths, display_env, folder, title, command):
    result = subprocess.run(
        [str(paths["probe"]), "--title", title, "--settle-ms", "500", "--"] + command,
        cwd=folder, env=display_env, capture_output=True, text=True, timeout=60)
    match = re.search(r"startup_ms=([\d.]+) vmhwm_kb=(\d+) exit=(\d+)", result.stdout)
    if result.returncode != 0 or not match:
        raise RuntimeError(f"probe of {title} failed: {result.stdout} {result.stderr}")
    return float(match.group(1)), int(match.group(2)), int(match.group(3))


def measure_startup(paths, xvfb, work, runs):
    folder = work / "startup"
    write_settings(folder, 0)
    runtime_dir = work / "xdg-runtime"
    runtime_dir.mkdir(mode=0o700, exist_ok=True)
    env = clean_environment({"DISPLAY": xvfb.display, "QT_QPA_PLATFORM": "xcb",
                             "XDG_RUNTIME_DIR": str(runtime_dir)})
    programs = {
        "bare": (BARE_TITLE, [str(paths["bare"])]),
        "tool": (TOOL_TITLE, [str(paths["tool"])]),
    }
    samples = {"bare": [], "tool": []}
    exits = {"bare": set(), "tool": set()}
    # One unmeasured run of each first, so that both start with their files in the page cache.
    for name, (title, command) in programs.items():
        probe_once(paths, env, folder, title, command)
    for run in range(runs):
        for name, (title, command) in programs.items():
            startup_ms, hwm_kb, exit_code = probe_once(paths, env, folder, title, command)
            samples[name].append((startup_ms, hwm_kb))
            exits[name].add(exit_code)
        log(f"start-up run {run + 1}/{runs}: bare {samples['bare'][-1]}, tool {samples['tool'][-1]}")
    result = {}
    for name in programs:
        result[name] = {
            "startup_ms": [s for s, _ in samples[name]],
            "hwm_kb": [m for _, m in samples[name]],
            "exit_codes": sorted(exits[name]),
        }
    return result
