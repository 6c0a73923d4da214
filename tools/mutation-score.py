#!/usr/bin/env python3
"""Mutation score of the tests.

Makes mutants of the portable sources, one change at a time: an arithmetic,
comparison or logical operator swapped, an integer constant off by one, a
condition negated, a statement dropped, a return value replaced by the
type's default. Each mutant is built incrementally in a copy of the tree
and the tests of one preset (native unless --preset says otherwise) run on
it with a time limit; a test that fails kills it. The report gives killed,
survived, timed-out and not-compiled mutants per file, and lists the
survivors.

Sampling is reproducible: every site of every file is enumerated in a fixed
order and shuffled with the seed, and mutants are taken from the front until
COUNT of them compile. The results go to a JSON-lines file, one mutant per
line; a run that finds the file goes on where it stopped, and --replay runs
exactly the mutants of an earlier file again (after tests were changed, say).

  tools/mutation-score.py [--seed S] [--count N] [--jobs J] [--results FILE]
                          [--replay FILE] [--work DIR] [--only PATH...]
                          [--by-coverage] [--preset NAME]
  tools/mutation-score.py --report FILE

With --preset win32 (or win64) the mutants are built by that cross preset
and judged by its test programs under Wine; the Windows-only layer
(component/com/, component/typelib/, component/resources/) is then sampled
too, so --only component/com/ measures the COM layer alone.

With --by-coverage, a coverage build first records which tests (each
GoogleTest case, each other CTest test) execute which lines; a mutant then
runs only the tests that execute its line, and a mutant on a line that no
test executes survives without a run. A test cannot fail through a line it
never executes, so the outcome is the same, only sooner. Lines the coverage
build knows nothing of (declarations, constants folded at compile time) and
tests that fail in the coverage build still run the whole suite.

It is a tool, not part of the test command: hundreds of mutants take hours.
"""

import argparse
import collections
import hashlib
import json
import os
import pathlib
import random
import re
import shutil
import subprocess
import sys
import threading
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
FOLDERS = ("runtime", "errors", "engine", "functions", "component")
# The Windows-only layer: its tests run under Wine, not in the native build.
EXCLUDED = ("component/com/", "component/typelib/", "component/resources/")


def masked(text):
    """The text with comments and string and character literals blanked out,
    each character kept in place, so that sites are found in code only."""
    out = list(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                out[i] = " "
                i += 1
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            for k in range(i, end):
                if text[k] != "\n":
                    out[k] = " "
            i = end
        elif c == '"' or (c == "'" and not (i > 0 and text[i - 1].isdigit())):
            # A quote after a digit separates digits: 1'000.
            k = i + 1
            while k < n and text[k] != c and text[k] != "\n":
                k += 2 if text[k] == "\\" else 1
            for m in range(i, min(k + 1, n)):
                out[m] = " "
            i = k + 1
        else:
            i += 1
    return "".join(out)


BINARY = re.compile(r"(?<=[\w)\]]) (\+|-|\*|/|%|<=|>=|==|!=|<|>|&&|\|\|) (?=[\w(!~\-.'\"])")
SWAPS = {"+": "-", "-": "+", "*": "/", "/": "*", "%": "*", "<": "<=", "<=": "<",
         ">": ">=", ">=": ">", "==": "!=", "!=": "==", "&&": "||", "||": "&&"}
INTEGER = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])")
CONDITION = re.compile(r"\b(if|while) \(")
RETURN = re.compile(r"^(\s*)return (.+);\s*$")
STATEMENT = re.compile(r"^\s*[\w:.>\-\[\]()*]+(\(|\s*[-+*/|&]?=\s|\+\+|--).*;\s*$")
DECLARATION = re.compile(r"^\s*(const|constexpr|static|auto|return|using|typedef|case|default|break|continue|goto)\b")


def closing_paren(code, start):
    """Index of the parenthesis that closes the one at `start` on its line."""
    depth = 0
    for k in range(start, len(code)):
        if code[k] == "(":
            depth += 1
        elif code[k] == ")":
            depth -= 1
            if depth == 0:
                return k
        elif code[k] == "\n":
            return -1
    return -1


def sites(path):
    """Every mutant of one file: (line, column, kind, old text, new text),
    columns counted from 0 within the line."""
    text = path.read_text(encoding="utf-8")
    lines = text.split("\n")
    found = []
    for number, code in enumerate(masked(text).split("\n"), 1):
        line = lines[number - 1]
        if code.lstrip().startswith("#") or not code.strip():
            continue
        for m in BINARY.finditer(code):
            op = m.group(1)
            found.append((number, m.start(1), "operator", op, SWAPS[op]))
        for m in INTEGER.finditer(code):
            value = m.group(1)
            found.append((number, m.start(1), "constant", value, str(int(value) + 1)))
        for m in CONDITION.finditer(code):
            open_at = m.end() - 1
            close_at = closing_paren(code, open_at)
            if close_at > 0:
                inner = line[open_at:close_at + 1]
                found.append((number, open_at, "negate", inner, "(!" + inner + ")"))
        r = RETURN.match(code)
        if r and r.group(2).strip() not in ("{}", ""):
            start = len(r.group(1)) + len("return ")
            old = line[start:line.rindex(";")]
            new = {"true": "false", "false": "true"}.get(old, "{}")
            found.append((number, start, "return", old, new))
        elif STATEMENT.match(code) and not DECLARATION.match(code) and code.rstrip().endswith(";"):
            start = len(line) - len(line.lstrip())
            found.append((number, start, "drop", line[start:], ";"))
    return found


def all_sites(only, windows):
    result = []
    for folder in FOLDERS:
        for path in sorted((ROOT / folder).rglob("*")):
            rel = path.relative_to(ROOT).as_posix()
            if path.suffix not in (".cpp", ".h") or (rel.startswith(EXCLUDED) and not windows):
                continue
            # Generated tables are checked against their generators, not mutated.
            if "do not edit" in "".join(path.read_text(encoding="utf-8").split("\n")[:3]):
                continue
            if only and not any(rel.startswith(o) for o in only):
                continue
            for line, column, kind, old, new in sites(path):
                result.append({"file": rel, "line": line, "column": column,
                               "kind": kind, "old": old, "new": new})
    return result


def key(mutant):
    return (mutant["file"], mutant["line"], mutant["column"], mutant["kind"], mutant["new"])


def apply(tree, mutant):
    """Writes the mutant into the copy; returns the original text."""
    path = tree / mutant["file"]
    original = path.read_text(encoding="utf-8")
    lines = original.split("\n")
    line = lines[mutant["line"] - 1]
    column = mutant["column"]
    if line[column:column + len(mutant["old"])] != mutant["old"]:
        raise RuntimeError(f"stale site: {mutant}")
    lines[mutant["line"] - 1] = line[:column] + mutant["new"] + line[column + len(mutant["old"]):]
    path.write_text("\n".join(lines), encoding="utf-8")
    return original


def run(command, cwd, timeout=None, env=None):
    try:
        done = subprocess.run(command, cwd=cwd, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=timeout, env=env)
        return done.returncode
    except subprocess.TimeoutExpired:
        return None


class Tree:
    """A copy of the tracked sources with its own build of one preset."""

    def __init__(self, work, index, preset="native"):
        self.path = work / f"tree-{index}"
        self.preset = preset
        self.build = self.path / "build" / preset

    def prepare(self, configure=()):
        files = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, check=True,
                               capture_output=True).stdout.decode().split("\0")
        for rel in filter(None, files):
            source = ROOT / rel
            target = self.path / rel
            if source.is_file() and (not target.exists() or
                                     target.read_bytes() != source.read_bytes()):
                target.parent.mkdir(parents=True, exist_ok=True)
                # A new time stamp, so that make rebuilds what a mutant left;
                # the mode too, for the scripts the build runs.
                shutil.copyfile(source, target)
                shutil.copymode(source, target)
        if run(["cmake", "--preset", self.preset, *configure], self.path) != 0:
            sys.exit(f"cannot configure {self.path}")
        if run(["cmake", "--build", "--preset", self.preset], self.path) != 0:
            sys.exit(f"cannot build {self.path}")

    def test(self, timeout, selection=None):
        """0 when every test passes, another number when one fails, None on
        timeout. A selection (CTest names, GoogleTest cases) narrows the run."""
        command = ["ctest", "--preset", self.preset, "-j1", "--stop-on-failure",
                   "--timeout", str(int(timeout))]
        # One failing case is enough to kill a mutant: the rest need not run.
        env = dict(os.environ, GTEST_FAIL_FAST="1")
        if selection is not None:
            tests, cases = selection
            command += ["-R", "^(" + "|".join(map(re.escape, sorted(tests))) + ")$"]
            if cases:
                env["GTEST_FILTER"] = ":".join(sorted(cases))
        return run(command, self.path, timeout=timeout, env=env)


class Coverage:
    """Which tests execute which lines, from a coverage build of the tree.

    A unit is a GoogleTest case (program, case) or a whole CTest test
    (program, None). Units that fail in the coverage build run always."""

    preset = "native"

    def __init__(self, work):
        self.path = work / "coverage"
        self.build = self.path / "build" / "native"
        self.map_file = work / "coverage.json"

    def load(self):
        # The map holds while sources and tests are unchanged.
        digest = hashlib.sha256()
        files = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, check=True,
                               capture_output=True).stdout.decode().split("\0")
        for rel in sorted(filter(None, files)):
            if not rel.startswith("tools/") and (ROOT / rel).is_file():
                digest.update(rel.encode() + b"\0" + (ROOT / rel).read_bytes())
        stamp = digest.hexdigest()
        if self.map_file.exists():
            saved = json.loads(self.map_file.read_text())
            if saved.get("stamp") == stamp:
                self.__dict__.update(lines={f: {int(k): v for k, v in d.items()}
                                            for f, d in saved["lines"].items()},
                                     always=saved["always"])
                return
        print("coverage build: recording which tests execute which lines", flush=True)
        Tree.prepare(self, ["-DCMAKE_BUILD_TYPE=Coverage", "-DCMAKE_CXX_FLAGS=-O1 --coverage",
                            "-DCMAKE_EXE_LINKER_FLAGS=--coverage"])
        described = json.loads(subprocess.run(
            ["ctest", "--preset", "native", "--show-only=json-v1"], cwd=self.path,
            check=True, capture_output=True, text=True).stdout)
        units = []
        for test in described["tests"]:
            program = test["command"][0]
            listed = subprocess.run([program, "--gtest_list_tests"], capture_output=True,
                                    text=True) if program.startswith(str(self.build)) else None
            if listed and listed.returncode == 0 and listed.stdout.strip():
                suite = None
                for line in listed.stdout.split("\n"):
                    name = line.split("#")[0].rstrip()
                    if not name:
                        continue
                    if not line.startswith(" "):
                        suite = name
                    else:
                        units.append((test["name"], suite + name.strip()))
            else:
                units.append((test["name"], None))
        self.lines, self.always = {}, []
        for n, (test, case) in enumerate(units, 1):
            for gcda in self.build.rglob("*.gcda"):
                gcda.unlink()
            status = self.test_one(test, case)
            if status != 0:
                self.always.append([test, case])
                continue
            for file, line in self.executed():
                self.lines.setdefault(file, {}).setdefault(line, []).append([test, case])
            print(f"  {n}/{len(units)} {test} {case or ''}", flush=True)
        for file, executable in self.executable.items():
            for line in executable:
                self.lines.setdefault(file, {}).setdefault(line, [])
        self.map_file.write_text(json.dumps({"stamp": stamp, "lines": self.lines,
                                             "always": self.always}))

    def test_one(self, test, case):
        env = dict(os.environ, GTEST_FILTER=case) if case else None
        return run(["ctest", "--preset", "native", "-R", "^" + re.escape(test) + "$"],
                   self.path, timeout=3600, env=env)

    executable = {}

    def executed(self):
        """(file, line) of every product line the last run executed; notes
        every line the build knows of in `executable`."""
        found = set()
        objects = self.build / "CMakeFiles"
        for folder in sorted({g.parent for g in objects.rglob("*.gcda")}):
            names = sorted(g.name for g in folder.glob("*.gcda"))
            out = subprocess.run(["gcov", "--json-format", "--stdout", *names],
                                 cwd=folder, capture_output=True, text=True).stdout
            for text in filter(None, out.split("\n")):
                for f in json.loads(text)["files"]:
                    path = pathlib.Path(f["file"])
                    if not path.is_absolute():
                        path = (folder / path).resolve()
                    try:
                        rel = path.relative_to(self.path).as_posix()
                    except ValueError:
                        continue
                    if not rel.startswith(FOLDERS):
                        continue
                    known = self.executable.setdefault(rel, set())
                    for line in f["lines"]:
                        known.add(line["line_number"])
                        if line["count"] > 0:
                            found.add((rel, line["line_number"]))
        return found

    def selection(self, mutant):
        """The tests to run for a mutant: None for all of them, or (CTest
        names, GoogleTest cases); empty names when no test executes it."""
        units = self.lines.get(mutant["file"], {}).get(mutant["line"])
        if units is None:
            return None
        units = units + self.always
        return {t for t, _ in units}, {c for _, c in units if c}


def measure(tree):
    started = time.monotonic()
    if tree.test(3600) != 0:
        sys.exit("the unmutated tests fail; fix them first")
    return time.monotonic() - started


class Feed:
    """Hands out mutants in sample order, one at a time, until enough of them
    compiled (counting those still being built as if they will)."""

    def __init__(self, pending, wanted, compiled):
        self.pending, self.wanted, self.compiled = pending, wanted, compiled
        self.busy = 0

    def take(self):
        if self.wanted is not None and self.compiled + self.busy >= self.wanted:
            return None
        mutant = next(self.pending, None)
        if mutant is not None:
            self.busy += 1
        return mutant

    def done(self, outcome):
        self.busy -= 1
        self.compiled += outcome != "not compiled"


def worker(tree, feed, limit, results, lock, out, coverage):
    while True:
        with lock:
            mutant = feed.take()
        if mutant is None:
            return
        original = apply(tree.path, mutant)
        started = time.monotonic()
        try:
            built = run(["cmake", "--build", "--preset", tree.preset], tree.path, timeout=1800)
            if built != 0:
                outcome = "not compiled"
            else:
                selection = coverage.selection(mutant) if coverage else None
                if selection is not None and not selection[0]:
                    status = 0  # no test executes the line
                else:
                    status = tree.test(limit, selection)
                outcome = "timed out" if status is None else "survived" if status == 0 else "killed"
        finally:
            (tree.path / mutant["file"]).write_text(original, encoding="utf-8")
        record = dict(mutant, outcome=outcome, seconds=round(time.monotonic() - started))
        with lock:
            feed.done(outcome)
            results.append(record)
            out.write(json.dumps(record) + "\n")
            out.flush()
            print(f"{len(results):5} {outcome:12} {record['seconds']:4}s {mutant['file']}:{mutant['line']} "
                  f"{mutant['kind']} {mutant['old'][:40]!r} -> {mutant['new'][:40]!r}", flush=True)


def report(records):
    per_file = collections.defaultdict(collections.Counter)
    for r in records:
        per_file[r["file"]][r["outcome"]] += 1
    total = collections.Counter()
    print(f"{'file':44} {'killed':>7} {'survived':>9} {'timed out':>10} {'not compiled':>13}")
    for name in sorted(per_file):
        c = per_file[name]
        total.update(c)
        print(f"{name:44} {c['killed']:7} {c['survived']:9} {c['timed out']:10} {c['not compiled']:13}")
    print(f"{'all':44} {total['killed']:7} {total['survived']:9} {total['timed out']:10} "
          f"{total['not compiled']:13}")
    judged = total["killed"] + total["survived"] + total["timed out"]
    if judged:
        score = 100.0 * (total["killed"] + total["timed out"]) / judged
        print(f"score: {score:.1f}% of {judged} mutants (killed or timed out)")
    survivors = [r for r in records if r["outcome"] == "survived"]
    if survivors:
        print("survivors:")
        for r in sorted(survivors, key=key):
            print(f"  {r['file']}:{r['line']}:{r['column'] + 1} {r['kind']}: "
                  f"{r['old']!r} -> {r['new']!r}")


def read_records(path):
    with open(path, encoding="utf-8") as f:
        return [json.loads(line) for line in f if line.strip()]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=600,
                        help="mutants that compile (default 600)")
    parser.add_argument("--jobs", type=int, default=max(1, (os.cpu_count() or 2) // 2))
    parser.add_argument("--results", default="mutants.jsonl")
    parser.add_argument("--replay", help="run the mutants of this results file again")
    parser.add_argument("--work", default=str(ROOT / "build" / "mutation"))
    parser.add_argument("--only", nargs="*", default=[], help="paths to mutate, by prefix")
    parser.add_argument("--report", help="only print the report of a results file")
    parser.add_argument("--by-coverage", action="store_true",
                        help="run only the tests that execute the mutated line")
    parser.add_argument("--preset", default="native",
                        help="the CMake preset that builds and tests the mutants")
    args = parser.parse_args()
    if args.by_coverage and args.preset != "native":
        parser.error("--by-coverage needs the native preset (gcov does not run under Wine)")

    if args.report:
        report(read_records(args.report))
        return

    if args.replay:
        chosen = [r for r in read_records(args.replay) if r["outcome"] != "not compiled"]
        for r in chosen:
            r.pop("outcome")
            r.pop("seconds", None)
    else:
        chosen = all_sites(args.only, args.preset != "native")
        random.Random(args.seed).shuffle(chosen)

    done = read_records(args.results) if os.path.exists(args.results) else []
    seen = {key(r) for r in done}
    compiled = sum(r["outcome"] != "not compiled" for r in done)

    work = pathlib.Path(args.work)
    trees = [Tree(work, i, args.preset) for i in range(args.jobs)]
    for tree in trees:
        tree.prepare()
    coverage = None
    if args.by_coverage:
        coverage = Coverage(work)
        coverage.load()
    baseline = measure(trees[0])
    limit = 3 * baseline + 30
    print(f"tests take {baseline:.0f} s unmutated; limit per mutant {limit:.0f} s", flush=True)

    results = list(done)
    lock = threading.Lock()
    with open(args.results, "a", encoding="utf-8") as out:
        pending = iter(m for m in chosen if key(m) not in seen)
        feed = Feed(pending, None if args.replay else args.count, compiled)
        threads = [threading.Thread(target=worker,
                                    args=(t, feed, limit, results, lock, out, coverage))
                   for t in trees]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
    report(results)


if __name__ == "__main__":
    main()
