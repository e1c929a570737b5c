#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
"""Which folder of the project includes which: the graph of its C++ folders.

  folder-graph.py [--dot] [ROOT]

Reads the #include lines of every .cpp and .h file under ROOT (the
repository by default) and prints one line per folder with the folders it
includes from, or the graph in Graphviz form with --dot. Exits 1 when the
graph has a cycle, or when a folder of the product includes from a folder
that builds on it, so the layering the folders promise cannot quietly rot:

  src/core     the data layer (links no Qt, so it cannot include any)
  src/names    on Qt Core only (its library links nothing else)
  src/window   the window, on core and names
  src/plugin   the module, on the window
"""
import os
import re
import sys

# The folders of src/ in the order they build on each other; a folder may
# include only from folders before it.
LAYERS = ["src/core", "src/names", "src/window", "src/plugin"]
# Only quoted includes name the project's own headers.
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
SKIP = {".git", "build", "node_modules"}


def folders_of(root):
    for here, dirs, files in os.walk(root):
        dirs[:] = sorted(d for d in dirs if d not in SKIP and not d.startswith("."))
        rel = os.path.relpath(here, root)
        if rel.startswith("tests" + os.sep + "data") or rel.startswith("fuzz" + os.sep + "corpus"):
            continue
        for f in sorted(files):
            if f.endswith((".cpp", ".h")):
                yield rel, os.path.join(here, f)


def main(argv):
    dot = "--dot" in argv
    args = [a for a in argv if a != "--dot"]
    root = args[0] if args else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    edges = {}
    problems = []
    for folder, path in folders_of(root):
        edges.setdefault(folder, {})
        with open(path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        for name in INCLUDE.findall(text):
            target = "src/" + name.split("/")[0] if "/" in name else None
            if target in LAYERS and target != folder:
                edges[folder][target] = edges[folder].get(target, 0) + 1
    for folder, targets in edges.items():
        if folder in LAYERS:
            for target in targets:
                if LAYERS.index(target) > LAYERS.index(folder):
                    problems.append("%s includes from %s, which builds on it" % (folder, target))

    # Depth-first search for a cycle.
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in sorted(edges.get(node, {})):
            if state.get(nxt) == "open":
                cycle = trail[trail.index(nxt):] + [nxt] if nxt in trail else [node, nxt]
                problems.append("cycle: " + " -> ".join(cycle))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in sorted(edges):
        if node not in state:
            visit(node, [node])

    if dot:
        print("digraph folders {")
        for folder in sorted(edges):
            for target in sorted(edges[folder]):
                print('    "%s" -> "%s";' % (folder, target))
        print("}")
    else:
        for folder in sorted(edges):
            targets = edges[folder]
            print("%-12s -> %s" % (folder, ", ".join(sorted(targets)) if targets else "(nothing)"))
    for p in problems:
        print("folder-graph: " + p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
