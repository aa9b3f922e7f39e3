#!/usr/bin/env python3
"""Draws which source folder includes which: every quoted #include of a tracked .h/.cpp
outside tests/, bench/ and fuzz/ becomes an arrow between their top folders (tools/
split into tools/poolconv and tools/soundgen). Prints Graphviz dot; --check FROM TO exits
1 when an arrow FROM -> TO exists."""
import re
import subprocess
import sys
from collections import defaultdict
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SKIP = {"tests", "bench", "fuzz"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folder(path: str) -> str:
    parts = path.split("/")
    if parts[0] in ("tools", "view") and len(parts) > 2:
        return "/".join(parts[:2])
    return parts[0]


def edges():
    files = subprocess.run(["git", "ls-files", "*.h", "*.cpp"], cwd=ROOT, capture_output=True,
                           text=True, check=True).stdout.split()
    out = defaultdict(set)
    for name in files:
        if name.split("/")[0] in SKIP or "/" not in name:
            continue
        here = folder(name)
        for target in INCLUDE.findall((ROOT / name).read_text(encoding="utf-8", errors="replace")):
            if "/" not in target:
                continue  # a header beside the file
            there = folder(target)
            if there != here and (ROOT / target).exists():
                out[here].add(there)
    return out


def main():
    graph = edges()
    if len(sys.argv) == 4 and sys.argv[1] == "--check":
        sys.exit(1 if sys.argv[3] in graph.get(sys.argv[2], set()) else 0)
    print("digraph includes {\n    rankdir=BT;\n    node [shape=box, fontname=\"Liberation Sans\"];")
    for here in sorted(set(graph) | {t for ts in graph.values() for t in ts}):
        print(f'    "{here}/";')
    for here in sorted(graph):
        for there in sorted(graph[here]):
            print(f'    "{here}/" -> "{there}/";')
    print("}")


if __name__ == "__main__":
    main()
