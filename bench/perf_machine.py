"""A description of the machine and of the build that is measured."""

import os
import platform as host
import subprocess
from pathlib import Path


def first_line(command):
    try:
        return subprocess.run(command, capture_output=True, text=True, check=True).stdout.splitlines()[0]
    except (OSError, subprocess.CalledProcessError, IndexError):
        return "unknown"


def cmake_cache_value(build_dir, name):
    cache = build_dir / "CMakeCache.txt"
    if cache.exists():
        for line in cache.read_text(errors="replace").splitlines():
            if line.startswith(name + ":"):
                return line.split("=", 1)[1]
    return ""


def machine_description(build_dir):
    cpu = "unknown"
    for line in Path("/proc/cpuinfo").read_text().splitlines():
        if line.startswith("model name"):
            cpu = line.split(":", 1)[1].strip()
            break
    mem_kb = 0
    for line in Path("/proc/meminfo").read_text().splitlines():
        if line.startswith("MemTotal:"):
            mem_kb = int(line.split()[1])
    compiler = cmake_cache_value(build_dir, "CMAKE_CXX_COMPILER") or "c++"
    qt = first_line(["dpkg-query", "-W", "-f", "${Version}\n", "qt6-base-dev"])
    gbench = first_line(["dpkg-query", "-W", "-f", "${Version}\n", "libbenchmark-dev"])
    os_name = "unknown"
    if Path("/etc/os-release").exists():
        for line in Path("/etc/os-release").read_text().splitlines():
            if line.startswith("PRETTY_NAME="):
                os_name = line.split("=", 1)[1].strip('"')
    return {
        "cpu": cpu,
        "cores": os.cpu_count(),
        "memory": f"{mem_kb / 1024 / 1024:.1f} GiB",
        "kernel": host.release(),
        "os": os_name,
        "compiler": first_line([compiler, "--version"]),
        "build_type": cmake_cache_value(build_dir, "CMAKE_BUILD_TYPE") or "unknown",
        "qt": qt,
        "benchmark": gbench,
    }
