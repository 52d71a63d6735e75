#!/usr/bin/env bash
# Every include in src/ and every library link follows the layer table of ARCHITECTURE.md, and the
# table has no circle.
set -euo pipefail
root="${KVB_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
python3 - "$root" <<'PY'
import os, re, sys

root = sys.argv[1]
allowed = {}
for line in open(os.path.join(root, "ARCHITECTURE.md"), encoding="utf-8"):
    cells = [c.strip() for c in line.strip().strip("|").split("|")]
    if len(cells) == 3 and line.startswith("|") and cells[0] not in ("folder", "---"):
        allowed[cells[0]] = set(cells[2].split())
if not allowed:
    sys.exit("ARCHITECTURE.md: no layer table found")

problems = []
for folder, uses in allowed.items():
    for used in uses - allowed.keys():
        problems.append(f"ARCHITECTURE.md: {folder} may include the unknown folder {used}")

# A circle in the table: a folder that reaches itself.
def reaches(start, goal, seen):
    for nxt in allowed.get(start, ()):
        if nxt == goal or (nxt not in seen and (seen.add(nxt) or reaches(nxt, goal, seen))):
            return True
    return False
for folder in allowed:
    if reaches(folder, folder, set()):
        problems.append(f"ARCHITECTURE.md: {folder} takes part in a circle")

def layer_of(path):
    # The deepest folder of the table that holds the file: platform/sdl before platform.
    best = None
    for folder in allowed:
        if path.startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best

include = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
src = os.path.join(root, "src")
files = 0
for dirpath, _, names in os.walk(src):
    for name in sorted(names):
        if not name.endswith((".h", ".cpp")):
            continue
        path = os.path.relpath(os.path.join(dirpath, name), src)
        own = layer_of(path)
        if own is None:
            continue  # main.cpp: the top of the program
        files += 1
        for number, text in enumerate(open(os.path.join(src, path), encoding="utf-8"), 1):
            m = include.match(text)
            if not m or "/" not in m.group(1):
                continue
            target = layer_of(m.group(1))
            if target is None:
                problems.append(f"src/{path}:{number}: includes {m.group(1)} from no known folder")
            elif target != own and target not in allowed[own]:
                problems.append(f"src/{path}:{number}: {own} may not include {m.group(1)} ({target})")

# The libraries link the same way: kvb_add_layer(folder lower libraries...) in src/CMakeLists.txt.
layers = 0
for number, text in enumerate(open(os.path.join(src, "CMakeLists.txt"), encoding="utf-8"), 1):
    m = re.match(r"\s*kvb_add_layer\(([^)]*)\)", text)
    if not m:
        continue
    folder, *links = m.group(1).split()
    layers += 1
    if folder not in allowed:
        problems.append(f"src/CMakeLists.txt:{number}: {folder} is not in the layer table")
        continue
    for lib in links:
        below = lib.removeprefix("kvb_").replace("_", "/")
        if below not in allowed[folder]:
            problems.append(f"src/CMakeLists.txt:{number}: {folder} links {lib}, not below it in the table")
if layers == 0:
    problems.append("src/CMakeLists.txt: no kvb_add_layer lines found")

for p in problems:
    print(p)
if files == 0:
    sys.exit("no source files found under " + src)
print(f"{files} files checked, {len(problems)} problems")
sys.exit(1 if problems else 0)
PY
