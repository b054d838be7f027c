"""CPU used by the running tool while it is connected and idle, under Xvfb."""

import os
import signal
import subprocess
import time
from pathlib import Path

from perf_common import clean_environment, write_settings

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
def process_cpu_ticks(pid):
    # Fields after the command name, which is in parentheses and may hold blanks.
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime, stime


def threads_runtime_ns(pid):
    """Sum of the run time of the threads alive now, in ns (finer than the clock ticks)."""
    total = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            total += int((task / "schedstat").read_text().split()[0])
        except (OSError, ValueError, IndexError):
            pass
    return total


def journal_lines(path):
    try:
        return path.read_text(errors="replace").splitlines()
    except OSError:
        return []


# Sensor values that never change, so that no tick after the first changes a text on the window.
FIXED_SENSORS = "vbatt_middle=3.9\nvbatt_max=4\nvbatt_min=3.8\nbatt_temp=25\nenv_temp=25\nvcxo_temp=25\n"


def measure_idle_cpu(paths, xvfb, work, delay, seconds, fixed_sensors=False):
    folder = work / f"idle-{delay}s{'-fixed' if fixed_sensors else ''}"
    write_settings(folder, delay)
    journal = folder / "journal.log"
    extra = {"DISPLAY": xvfb.display, "QT_QPA_PLATFORM": "xcb",
             "XDG_RUNTIME_DIR": str(work / "xdg-runtime"), "CORVANE_SIM_JOURNAL": str(journal)}
    if fixed_sensors:
        (folder / "scenario.txt").write_text(FIXED_SENSORS)
        extra["CORVANE_SIM_SCENARIO"] = str(folder / "scenario.txt")
    env = clean_environment(extra)
    tool = subprocess.Popen([str(paths["tool"])], cwd=folder, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        # Connected once the worker's last act, the block read, is in the journal.
        deadline = time.monotonic() + delay + 30
        while not any("WReadEeliteBlock" in line and line.endswith("-> 1")
                      for line in journal_lines(journal)):
            if time.monotonic() > deadline or tool.poll() is not None:
                raise RuntimeError(f"the tool did not connect at {delay} s ticks")
            time.sleep(0.1)
        # Let the first ticks after the connection pass, then measure whole periods.
        time.sleep(delay + 0.5)
        start_wall = time.monotonic()
        start_ticks = process_cpu_ticks(tool.pid)
        start_ns = threads_runtime_ns(tool.pid)
        start_xvfb = process_cpu_ticks(xvfb.process.pid)
        time.sleep(seconds)
        end_ticks = process_cpu_ticks(tool.pid)
        end_ns = threads_runtime_ns(tool.pid)
        end_xvfb = process_cpu_ticks(xvfb.process.pid)
        end_wall = time.monotonic()
    finally:
        tool.send_signal(signal.SIGTERM)
        try:
            tool.wait(timeout=10)
        except subprocess.TimeoutExpired:
            tool.kill()
    # Journal times are the steady clock in ms, the same clock as time.monotonic().
    pings = answered = 0
    for line in journal_lines(journal):
        parts = line.split()
        if len(parts) >= 2 and parts[1] == "WPingMobile" and parts[0].isdigit():
            if start_wall * 1000 <= int(parts[0]) <= end_wall * 1000:
                pings += 1
                answered += line.endswith("-> 1")
    wall = end_wall - start_wall
    cpu_s = (end_ticks - start_ticks) / CLOCK_TICKS
    return {
        "delay": delay,
        "fixed_sensors": fixed_sensors,
        "wall_s": wall,
        "cpu_s": cpu_s,
        "cpu_s_fine": (end_ns - start_ns) / 1e9,
        "xvfb_cpu_s": (end_xvfb - start_xvfb) / CLOCK_TICKS,
        "ticks": pings,
        "answered": answered,
    }
