#!/usr/bin/env python3
"""Counts the arrows that the #include lines of src/ draw between folders and between modules.

A folder arrow is one ordered pair (folder of the including file -> folder of the included file);
it runs upward when the included folder stands higher in the order below. A module is a file
name without its extension (foo.h and foo.cpp are one module); two modules that include each
other are listed as a circle. Usage: python3 scripts/folder-arrows.py [-v]
(-v names the includes behind each upward arrow)."""
import pathlib
import re
import sys

ORDER = ["osd", "panels", "store", "engine", "app", "input", "menu"]
SRC = pathlib.Path(__file__).resolve().parent.parent / "src"
INCLUDE = re.compile(r'^#include "([a-z_]+/[a-z_]+)\.h"', re.M)

edges = {}  # module -> set of modules it includes
for path in sorted(SRC.glob("*/*.[ch]*")):
    module = f"{path.parent.name}/{path.stem}"
    targets = edges.setdefault(module, set())
    targets.update(t for t in INCLUDE.findall(path.read_text()) if t != module)

arrows = {}
for module, targets in edges.items():
    for target in targets:
        pair = (module.split("/")[0], target.split("/")[0])
        if pair[0] != pair[1]:
            arrows.setdefault(pair, []).append(f"{module} -> {target}")

upward = sorted(p for p in arrows if ORDER.index(p[1]) > ORDER.index(p[0]))
for pair in upward:
    print(f"  up  {pair[0]} -> {pair[1]}")
    if "-v" in sys.argv:
        for line in sorted(arrows[pair]):
            print(f"        {line}")

# two modules that include each other: each reaches into the other
circles = sorted({tuple(sorted((a, b))) for a, ts in edges.items() for b in ts if a in edges.get(b, ())})

print(f"arrows between folders: {len(arrows)}, upward: {len(upward)}")
print("modules that include each other: " + ("none" if not circles else "; ".join(" <-> ".join(c) for c in circles)))
