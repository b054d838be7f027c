#!/usr/bin/env python3
"""The fault matrix: the real executable against the phone simulator, one row per fault.

Each row starts corvane-sensors-tool in a scratch folder with its own settings file, simulator
scenario and test-driver script, lets the driver click through the window, ends the run with the
driver's `close` (or SIGTERM), and checks what must hold afterwards:

- the tool ended by itself, not by a signal, with the row's exit code;
- the message boxes (one line each in the messages file) are the row's;
- every phone failure's message box has its run-log line, in the same order, and the run log
  holds no other line after the start-up lines;
- the simulator's call journal has no CONCURRENT or AFTER-CLOSE line and no call after WComClose;
- the row's own checks (texts on the window, block files, the phone's block).

Usage: fault_matrix.py <build-dir> [text]: runs every row, or only those whose name holds the
text. Prints one line per row and exits 1 if any row fails; a failed row's folder is kept.
"""

import concurrent.futures
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from matrix_rows import ROWS

# A phone failure's message box and the run-log line that must come with it. A message that begins
# with "Error: " and is none of these nor a file error is the failed write's.
LOG_LINE_OF_MESSAGE = {
    "Error: Unable to read Eelite BlockId=67 info": "Eelite BlockId=67 version read Error!!!",
    "Error: punBlockSize!=20": " punBlockSize!=20 !!!",
    "Error: pucVersion!=1": " pucVersion!=1 !!!",
    "Error: Unable to read Eelite BlockId=67": "Eelite BlockId=67 read Error!!!",
    "Error: Unable to erase Eelite block": "Eelite erase error!!!",
}
WRITE_FAILURE_LINE = "Eelite block write error!!!"
FILE_MESSAGES = {"Error: Read file error", "Error: Write file error"}
# The refusal of editor fields that hold no clean word: shown before anything is written, so it
# has no run-log line.
REFUSAL_MARK = " no 16-bit hexadecimal word, so nothing was written; "
FAILURE_LINES = set(LOG_LINE_OF_MESSAGE.values()) | {WRITE_FAILURE_LINE}
# The run log of a start-up that reached the window: settings, blank, 4 identity texts, list.
START_LINES_BEFORE_MOBILES = 7


class Run:
    """What one run of the tool left behind."""

    def __init__(self, folder, exit_code, signal_number, stderr, seconds):
        self.folder = folder
        self.exit_code = exit_code
        self.signal = signal_number
        self.stderr = stderr
        self.seconds = seconds
        self.messages = read_lines(os.path.join(folder, "messages.txt"))
        self.log = read_lines(os.path.join(folder, "output.log"))
        self.raw_log = read_bytes(os.path.join(folder, "output.log"))
        self.journal = read_lines(os.path.join(folder, "journal.txt"))
        self.snapshots = parse_snapshots(read_lines(os.path.join(folder, "snap.txt")))

    def path(self, name):
        return os.path.join(self.folder, name)

    def last_snapshot(self):
        return self.snapshots[-1] if self.snapshots else {}

    def calls(self, entry_point):
        return [line for line in self.journal if line.split(" ")[1:2] == [entry_point]]


def read_lines(path):
    try:
        with open(path, "rb") as file:
            return file.read().decode("utf-8", "replace").splitlines()
    except FileNotFoundError:
        return []


def read_bytes(path):
    try:
        with open(path, "rb") as file:
            return file.read()
    except FileNotFoundError:
        return b""


def parse_snapshots(lines):
    """Snapshots of the window: lists of Name=text (or "Name enabled=0|1") lines ended by --."""
    snapshots, current = [], {}
    for line in lines:
        if line == "--":
            snapshots.append(current)
            current = {}
        elif line.split("=", 1)[0].endswith(" enabled"):
            name, value = line.split(" enabled=", 1)
            current[name + ".enabled"] = value
        else:
            name, _, value = line.partition("=")
            current[name] = value
    return snapshots


def prepare(row, build, lone_executable, folder):
    """Writes the row's files into its folder; returns the command and environment."""
    with open(os.path.join(folder, "corvanetool.ini"), "wb") as file:
        file.write(row.settings_bytes())
    with open(os.path.join(folder, "scenario.txt"), "w") as file:
        file.write(row.full_scenario(folder))
    with open(os.path.join(folder, "script.txt"), "w") as file:
        file.write(row.script.replace("{dir}", folder))
    for name, content in row.files.items():
        target = os.path.join(folder, name)
        if content is None:
            os.makedirs(target, exist_ok=True)
        else:
            with open(target, "wb") as file:
                file.write(content)

    env = {k: v for k, v in os.environ.items()
           if not k.startswith("CORVANE_") and k != "LD_LIBRARY_PATH"}
    runtime = os.path.join(folder, "runtime")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    # In sanitizer builds: leaks at exit inside system libraries are not the tool's.
    suppressions = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sanitizers", "lsan.supp")
    env.setdefault("LSAN_OPTIONS", f"suppressions={suppressions}")
    env.update({
        "QT_QPA_PLATFORM": "offscreen",
        "XDG_RUNTIME_DIR": runtime,
        "CORVANE_SIM_SCENARIO": os.path.join(folder, "scenario.txt"),
        "CORVANE_SIM_JOURNAL": os.path.join(folder, "journal.txt"),
        "CORVANE_TEST_DRIVER": os.path.join(folder, "script.txt"),
        "CORVANE_TEST_MESSAGES": os.path.join(folder, "messages.txt"),
    })
    executable = os.path.join(build, "corvane-sensors-tool")
    if row.library == "missing":
        executable = lone_executable
    elif row.library != "sim":
        env["LD_LIBRARY_PATH"] = os.path.join(build, "variants", row.library)
    else:
        # Named, not left to the executable's run path: under AddressSanitizer the loader's
        # search starts from the sanitizer's dlopen, whose run path holds no $ORIGIN.
        env["LD_LIBRARY_PATH"] = build
    return [executable], env


def copy_lone_executable(build, scratch):
    """A copy of the executable alone in a folder of its own, whose run path finds no library.

    Made once, before any row starts. A copy made while the rows run would race the other row's
    start: a process forked while the copy is still open for writing holds that descriptor until
    it execs, and starting the copy then fails with ETXTBSY ("Text file busy")."""
    folder = os.path.join(scratch, "lone")
    os.mkdir(folder)
    copy = os.path.join(folder, "corvane-sensors-tool")
    shutil.copy2(os.path.join(build, "corvane-sensors-tool"), copy)
    return copy


def run_row(row, build, lone_executable, scratch):
    folder = tempfile.mkdtemp(prefix="row-", dir=scratch)
    command, env = prepare(row, build, lone_executable, folder)
    started = time.monotonic()
    process = subprocess.Popen(command, cwd=folder, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE)
    problems = []
    try:
        # The row's signals, each at its time after the start, while the tool still runs.
        for at, number in row.signals:
            try:
                process.wait(max(0.0, at - (time.monotonic() - started)))
                break
            except subprocess.TimeoutExpired:
                process.send_signal(number)
        _, stderr = process.communicate(timeout=row.timeout)
    except subprocess.TimeoutExpired:
        problems.append(f"did not end within {row.timeout} s")
        process.send_signal(signal.SIGTERM)
        try:
            _, stderr = process.communicate(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            _, stderr = process.communicate()
    seconds = time.monotonic() - started
    code = process.returncode
    run = Run(folder, code if code >= 0 else None, -code if code < 0 else 0,
              stderr.decode("utf-8", "replace"), seconds)
    problems += common_checks(row, run)
    for check in row.checks:
        problems += check(run)
    return run, problems


def common_checks(row, run):
    problems = []
    if run.signal:
        problems.append(f"ended by signal {run.signal}")
    elif run.exit_code != row.exit_code:
        problems.append(f"exit code {run.exit_code}, expected {row.exit_code}")
    if row.messages is not None and run.messages != row.messages:
        problems.append(f"messages {run.messages}, expected {row.messages}")
    if row.exit_code == 0:
        problems += check_failure_lines(run)
    for line in run.journal:
        if " CONCURRENT " in line or " AFTER-CLOSE " in line:
            problems.append(f"journal: {line}")
            break
    # Every line of the run log ends with its line feed, the last one included.
    raw_log = run.raw_log
    if raw_log and not raw_log.endswith(b"\n"):
        problems.append(f"run log does not end with a line feed: {raw_log[-40:]!r}")
    # A save leaves no temporary file behind, whether it succeeded or not.
    leftovers = [name for name in os.listdir(run.folder) if re.fullmatch(r"\..+\.[A-Za-z0-9]{6}", name)]
    if leftovers:
        problems.append(f"temporary files left: {leftovers}")
    closes = [i for i, line in enumerate(run.journal) if " WComClose " in line]
    if closes and closes[0] != len(run.journal) - 1:
        problems.append(f"journal: call after WComClose: {run.journal[closes[0] + 1]}")
    if row.exit_code == 0 and not closes and not run.signal:
        problems.append("journal: no WComClose")
    return problems


def check_failure_lines(run):
    """Each phone failure's message has its run-log line, in order; the log holds nothing else."""
    expected = []
    for message in run.messages:
        if message in FILE_MESSAGES or REFUSAL_MARK in message:
            continue
        if message in LOG_LINE_OF_MESSAGE:
            expected.append(LOG_LINE_OF_MESSAGE[message])
        elif message.startswith("Error: "):
            expected.append(WRITE_FAILURE_LINE)
        else:
            return [f"message without 'Error: ': {message!r}"]
    mobiles = [i for i, line in enumerate(run.log) if line == "Supported Mobiles:"]
    if not mobiles:
        return []  # a start-up failure: its rows check the log themselves
    after = [line for line in run.log[mobiles[0] + 1:] if not line.startswith("HWId: ")]
    if after != expected:
        return [f"run-log failure lines {after}, expected {expected}"]
    return []


def main():
    if len(sys.argv) not in (2, 3):
        print("usage: fault_matrix.py <build-dir> [text in row names]", file=sys.stderr)
        return 2
    rows = [row for row in ROWS if len(sys.argv) == 2 or sys.argv[2] in row.name]
    build = os.path.abspath(sys.argv[1])
    for needed in ("corvane-sensors-tool", "Bfb95eg.dll", "variants/no-WComParity/Bfb95eg.dll"):
        if not os.path.exists(os.path.join(build, needed)):
            print(f"no {needed} in {build}: build the tool and the simulators first",
                  file=sys.stderr)
            return 2
    scratch = tempfile.mkdtemp(prefix="corvane-matrix-")
    started = time.monotonic()
    # Every file a row executes exists, closed, before the first row starts (see
    # copy_lone_executable); the rows themselves only write files that nothing executes.
    lone_executable = copy_lone_executable(build, scratch)
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        results = list(pool.map(
            lambda row: (row, *run_row(row, build, lone_executable, scratch)), rows))
    width = max(len(row.name) for row in rows)
    failed = 0
    print(f"{'row':<{width}}  result  time  reason")
    for row, run, problems in results:
        verdict = "pass" if not problems else "FAIL"
        failed += bool(problems)
        reason = "; ".join(problems)
        print(f"{row.name:<{width}}  {verdict:<6}  {run.seconds:4.1f}  {reason}")
        if problems:
            print(f"{'':<{width}}  folder: {run.folder}")
            if run.stderr.strip():
                print(f"{'':<{width}}  stderr: {run.stderr.strip()[-600:]}")
    total = time.monotonic() - started
    print(f"{len(rows) - failed} of {len(rows)} rows passed in {total:.0f} s")
    if os.environ.get("CORVANE_MATRIX_KEEP"):
        print(f"folders kept in {scratch}")
    elif not failed:
        shutil.rmtree(scratch, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
