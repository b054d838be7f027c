#!/usr/bin/env python3
"""Checks the Windows zip that `cmake --build --preset mingw-i686 --target package` made.

Usage: check-windows-package.py <zip>

The executable stands at the top with the sample settings and README.txt; our simulator lies only
in simulator/, never beside the executable under the maker's library's name; the text files have
Windows line ends; nothing else (no test program) is packed. Exit code 1 when one does not hold.
"""

import sys
import zipfile

EXPECTED = {"corvane-sensors-tool.exe", "corvanetool.ini", "README.txt", "simulator/Bfb95eg.dll"}


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    with zipfile.ZipFile(sys.argv[1]) as archive:
        names = {name for name in archive.namelist() if not name.endswith("/")}
        problems = []
        if names != EXPECTED:
            problems.append(f"files {sorted(names)}, expected {sorted(EXPECTED)}")
        for text in ("corvanetool.ini", "README.txt"):
            if text in names:
                data = archive.read(text)
                if data.count(b"\n") != data.count(b"\r\n"):
                    problems.append(f"{text} has line ends other than CRLF")
        exe = archive.read("corvane-sensors-tool.exe") if "corvane-sensors-tool.exe" in names else b""
        if exe[:2] != b"MZ":
            problems.append("the executable is no Windows program")
    for problem in problems:
        print(f"package: {problem}", file=sys.stderr)
    if not problems:
        print(f"package: {sys.argv[1]} holds {', '.join(sorted(names))}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
