#!/usr/bin/env python3
"""Fails when a source file includes from a folder above its own.

The order of the folders is read from the numbered list under "Folders, top to bottom" in
docs/architecture.md, so the rule is written once. A file in src/<folder> may include its own
folder and folders listed after it; simulator/ may include only src/servicelib; outside
src/platform no file includes a toolkit or operating-system header.

Usage: check-layout.py [repository root]. Prints one line per offending include; exit 1 if any.
"""

import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# Headers that belong to the platform layer alone.
TOOLKIT = re.compile(r"^(Q[A-Za-z]+|Qt[A-Za-z]*/.*|windows\.h|commctrl\.h|commdlg\.h|"
                     r"X11/.*|dlfcn\.h)$", re.IGNORECASE)


def folder_order(root):
    text = (root / "docs" / "architecture.md").read_text(encoding="utf-8")
    section = text.split("## Folders, top to bottom", 1)[1].split("\n## ", 1)[0]
    return re.findall(r"^\d+\. `src/([a-z]+)`", section, re.MULTILINE)


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    order = folder_order(root)
    if len(order) < 2:
        print("check-layout: no folder list found in docs/architecture.md", file=sys.stderr)
        return 2
    rank = {name: index for index, name in enumerate(order)}
    problems = []
    on_disk = {p.name for p in (root / "src").iterdir() if p.is_dir()}
    for name in sorted(on_disk - set(order)):
        problems.append(f"src/{name}: folder not in the documented layout")

    sources = [p for p in sorted((root / "src").rglob("*")) + sorted((root / "simulator").rglob("*"))
               if p.suffix in (".h", ".cpp")]
    for path in sources:
        relative = path.relative_to(root)
        parts = relative.parts
        own = parts[1] if parts[0] == "src" else "simulator"
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            kind, header = match.groups()
            where = f"{relative}:{number}: {line.strip()}"
            if TOOLKIT.match(header) and own != "platform":
                problems.append(f"{where}: a toolkit or system header outside src/platform")
                continue
            if kind != '"' or "/" not in header:
                continue
            target = header.split("/", 1)[0]
            if target not in rank:
                continue
            if own == "simulator":
                if target != "servicelib":
                    problems.append(f"{where}: the simulator includes only src/servicelib")
            elif own in rank and rank[target] < rank[own]:
                problems.append(f"{where}: src/{target} is above src/{own}")
    for problem in problems:
        print(problem)
    if not problems:
        print(f"layout: {len(sources)} files include only downward ({' > '.join(order)})")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
