#!/usr/bin/env python3
"""Counts the lines of method bodies of each C++ class under the given folders (default: src).

A body is counted from the line after its opening brace to the line before its closing brace; a body
written on one line counts as one. Methods defined inside a class's declaration count for that class.
Prints the classes at or above the threshold, largest first:

    scripts/method-body-lines.py [--min N] [FOLDER...]
"""
import argparse
import collections
import pathlib
import re

DEFINITION = re.compile(r"^[A-Za-z_][^;(]*?\b([A-Za-z_]\w*)::~?[A-Za-z_]\w*\s*\(")
CLASS = re.compile(r"^(?:class|struct)\s+([A-Za-z_]\w*)\b[^;]*$")


def bodies_in_source(lines, counts):
    i = 0
    while i < len(lines):
        m = DEFINITION.match(lines[i])
        if not m:
            i += 1
            continue
        owner = m.group(1)
        j = i
        while j < len(lines) and "{" not in lines[j] and not lines[j].rstrip().endswith(";"):
            j += 1
        if j >= len(lines) or "{" not in lines[j]:
            i = j + 1
            continue
        depth = 0
        start = j
        for k in range(j, len(lines)):
            depth += lines[k].count("{") - lines[k].count("}")
            if depth <= 0:
                counts[owner] += max(k - start - 1, 1)
                i = k + 1
                break
        else:
            i = len(lines)


def bodies_in_header(lines, counts):
    owner = None
    depth = 0
    for i, line in enumerate(lines):
        m = CLASS.match(line)
        if m and owner is None:
            owner, depth = m.group(1), 0
        if owner is None:
            continue
        before = depth
        depth += line.count("{") - line.count("}")
        # A one-line body inside the class: "...) const { return x; }".
        if before == 1 and re.search(r"\)\s*(const)?\s*(override)?\s*\{.*\}\s*$", line):
            counts[owner] += 1
        if depth <= 0 and before > 0:
            owner = None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--min", type=int, default=0)
    parser.add_argument("folders", nargs="*", default=["src"])
    args = parser.parse_args()
    counts = collections.Counter()
    for folder in args.folders:
        for path in sorted(pathlib.Path(folder).rglob("*")):
            if path.suffix == ".cpp":
                bodies_in_source(path.read_text(errors="replace").splitlines(), counts)
            elif path.suffix == ".h":
                bodies_in_header(path.read_text(errors="replace").splitlines(), counts)
    for owner, n in counts.most_common():
        if n >= args.min:
            print(f"{n:6d}  {owner}")


if __name__ == "__main__":
    main()
