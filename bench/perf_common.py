"""What every measurement shares: logging, the environment of the programs, the private X server."""

import os
import subprocess
import sys
from pathlib import Path


def log(text):
    print(f"[bench] {text}", file=sys.stderr, flush=True)


def load_average():
    return Path("/proc/loadavg").read_text().split()[:3]


def clean_environment(extra=None):
    """Our environment without the simulator's scenario and journal, plus `extra`."""
    env = {k: v for k, v in os.environ.items() if not k.startswith("CORVANE_SIM_")}
    env.update(extra or {})
    return env


class Xvfb:
    """A private X server; the display number is chosen by the server itself (-displayfd)."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as reader:
            number = reader.readline().strip()
        if not number:
            self.process.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = f":{number}"
        log(f"Xvfb on display {self.display} (pid {self.process.pid})")

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()


def write_settings(folder, sensors_update_delay):
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "corvanetool.ini").write_text(
        f"[Common]\nSensorsUpdateDelay={sensors_update_delay}\n")
