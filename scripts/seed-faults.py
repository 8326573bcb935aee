#!/usr/bin/env python3
"""Seeds small faults into the program one at a time and counts how many the tests catch.

Each fault is one small edit: a digit changed, a comparison flipped, an operator swapped, a
condition made always true, a statement dropped. For each, the chosen build is rebuilt and its
tests run; a fault is caught when the tests fail. A fault that does not compile is left out.
Works in a clean clone of the given commit, so the checkout it is run from is never touched.
Not part of the test command: it takes minutes per area.

  python3 scripts/seed-faults.py [--commit REV] [--count N] [--seed S] AREA...

AREA is one of: logic, tables, layout, qt, win32, web. Prints each fault and whether it was
caught, then a line per area: caught / seeded.
"""
import argparse
import os
import random
import re
import subprocess
import sys
import tempfile

# Which files each area seeds faults into, which lines of them, which build runs the tests.
AREAS = {
    "logic": (["calc/number_text.cpp", "calc/mass_text.cpp", "calc/calculators.cpp", "app/form1.cpp"],
              None, "linux"),
    # A unit mass's digits.
    "tables": (["tables/channel.cpp", "tables/equal_angle.cpp", "tables/unequal_angle.cpp",
                "tables/ibeam.cpp"], r'^\s*\{".*", [0-9.]+\},$', "linux"),
    # A control's place, size or font, and the window's size.
    "layout": (["app/layout.cpp"], r'^\s*(C\(|\{"|[0-9]+,$)', "linux"),
    "qt": (["app/qt/main_window.cpp", "app/qt/main.cpp", "app/qt/first_paint.cpp",
            "app/qt/program_icon.cpp"], None, "linux"),
    "win32": (["app/win32/main_window.cpp", "app/win32/fonts.cpp", "app/win32/dpi.cpp",
               "app/win32/main.cpp"], None, "win32"),
    "web": (["app/web/main_window.cpp", "app/web/markup.cpp", "app/web/page.cpp", "app/web/hand.cpp"],
            None, "web"),
}

SWAPS = [("<=", "<"), (">=", ">"), ("==", "!="), ("!=", "=="), ("&&", "||"), ("||", "&&"),
         (" < ", " <= "), (" > ", " >= "), (" + ", " - "), (" - ", " + "), (" * ", " / "),
         ("true", "false"), ("false", "true")]


def sites(root, files, only):
    """Every (file, line, start, end, replacement) a fault can be seeded at, in a fixed order."""
    found = []
    for name in files:
        with open(os.path.join(root, name), encoding="utf-8") as f:
            lines = f.read().split("\n")
        for n, line in enumerate(lines):
            code = line.split("//")[0]
            if not code.strip() or code.lstrip().startswith(("#", "static_assert")):
                continue
            if only and not re.search(only, line):
                continue
            outside = lambda at: code.count('"', 0, at) % 2 == 0  # not in a string
            # Changed digits, not in a string and not in a name.
            for m in re.finditer(r'(?<![\w.])[0-9]+(?:\.[0-9]+)?(?![\w])', code):
                if not outside(m.start()):
                    continue
                digit = m.end() - 1
                new = "1" if code[digit] != "1" else "2"
                found.append((name, n, digit, digit + 1, new))
            if only:
                continue
            for old, new in SWAPS:
                for m in re.finditer(re.escape(old), code):
                    if outside(m.start()):
                        found.append((name, n, m.start(), m.end(), new))
            m = re.match(r"^(\s*)if \((.*)\) ", code)
            if m:
                found.append((name, n, len(m.group(1)) + 4, len(m.group(1)) + 4 + len(m.group(2)), "true"))
            if re.match(r"^\s+[\w:>.\-()]+\(.*\);\s*$", code) and "return" not in code:
                found.append((name, n, 0, len(code), ""))
    return found


def run(command, cwd, timeout):
    try:
        return subprocess.run(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return -1


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--commit", default="HEAD")
    parser.add_argument("--count", type=int, default=30)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("areas", nargs="+", choices=sorted(AREAS))
    args = parser.parse_args()
    here = subprocess.check_output(["git", "rev-parse", "--show-toplevel"], text=True).strip()
    work = tempfile.mkdtemp(prefix="kalvet-faults-")
    root = os.path.join(work, "kalvet")
    subprocess.check_call(["git", "clone", "-q", here, root])
    subprocess.check_call(["git", "-C", root, "checkout", "-q", args.commit])
    if os.path.isdir(os.path.join(here, "node_modules")):
        os.symlink(os.path.join(here, "node_modules"), os.path.join(root, "node_modules"))
    summary = []
    for area in args.areas:
        files, only, preset = AREAS[area]
        # Through the presets, which also give the build its environment (the web one's node path).
        build = ["cmake", "--build", "--preset", preset]
        test = ["ctest", "--preset", preset, "--timeout", "300"]
        if not os.path.isdir(os.path.join(root, "build", preset)):
            subprocess.check_call(["cmake", "--preset", preset, "-DKALVET_BUILD_BENCH=OFF"], cwd=root,
                                  stdout=subprocess.DEVNULL)
        if run(build, root, 3600) != 0 or run(test, root, 3600) != 0:
            sys.exit(f"{area}: the unchanged program does not build or pass its tests")
        candidates = sites(root, files, only)
        chosen = random.Random(args.seed).sample(candidates, min(args.count, len(candidates)))
        caught = seeded = 0
        for name, n, start, end, new in chosen:
            path = os.path.join(root, name)
            with open(path, encoding="utf-8") as f:
                original = f.read()
            lines = original.split("\n")
            lines[n] = lines[n][:start] + new + lines[n][end:]
            with open(path, "w", encoding="utf-8") as f:
                f.write("\n".join(lines))
            if run(build, root, 1800) == 0:
                seeded += 1
                failed = run(test, root, 3600) != 0
                caught += failed
                print(f"{area} {'caught ' if failed else 'MISSED '} {name}:{n + 1}: {lines[n].strip()}", flush=True)
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        summary.append(f"{area}: {caught} / {seeded} caught")
    run(["rm", "-rf", work], "/", 600)
    print("\n".join(summary))


if __name__ == "__main__":
    main()
