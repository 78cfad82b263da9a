#!/usr/bin/env python3
"""Applies each fault of faults.txt, one at a time, to a scratch copy of the
tree, rebuilds what it touches, runs the test programs named for it and says
whether the suite caught it.

    mutate.py [--list | --check] [id-or-prefix-or-test-program ...]

killed   a named test program failed with the fault in place
survived every named test program passed: the suite lets the fault through
invalid  the text to replace is not in the file exactly once, or the fault
         does not compile (the list needs mending, not the tests)
"""
import os
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WORK = os.environ.get("TAMSEL_MUTATION_DIR", os.path.join(ROOT, "build-mutation"))
TREE = os.path.join(WORK, "tree")
# Beside the sources as in a checkout, so a compiler cache serves both.
BUILD = os.path.join(TREE, "build")
JOBS = str(os.cpu_count() or 2)


def read_faults(path):
    """Blocks of '[id] what goes wrong' then file:, tests:, old:, new: lines;
    indented lines carry an old: or new: text on over several lines."""
    faults, cur, key = [], None, None
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.rstrip("\n")
            # An indented line goes on with the old: or new: text above it.
            if line[:1].isspace() and line.strip() and key in ("old", "new"):
                cur[key] += "\n" + line
                continue
            key = None
            if not line.strip() or line.startswith("#"):
                continue
            m = re.match(r"^\[([\w.-]+)\]\s*(.*)$", line)
            if m:
                cur = {"id": m.group(1), "what": m.group(2), "line": n}
                faults.append(cur)
                continue
            m = re.match(r"^(file|tests|old|new):\s?(.*)$", line)
            if not m or cur is None:
                sys.exit(f"faults.txt:{n}: cannot read {line!r}")
            key = m.group(1)
            cur[key] = m.group(2)
    ids = set()
    for f in faults:
        for key in ("file", "tests", "old", "new"):
            if key not in f:
                sys.exit(f"faults.txt:{f['line']}: [{f['id']}] has no {key}:")
        if f["id"] in ids:
            sys.exit(f"faults.txt:{f['line']}: [{f['id']}] is listed twice")
        ids.add(f["id"])
        f["tests"] = f["tests"].split()
    return faults


def run(cmd, log, timeout=None):
    with open(log, "a") as out:
        out.write("$ " + " ".join(cmd) + "\n")
        out.flush()
        try:
            return subprocess.run(cmd, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            out.write("timed out\n")
            return -1


def copy_tree():
    """The tracked files as they stand now, uncommitted edits included."""
    files = subprocess.run(["git", "-C", ROOT, "ls-files", "-z"], check=True,
                           capture_output=True).stdout.decode().split("\0")
    tracked = set(filter(None, files))
    # Files since removed from the tree would still be built and tested.
    for folder, dirs, names in os.walk(TREE):
        if folder == TREE and "build" in dirs:
            dirs.remove("build")
        for name in names:
            if os.path.relpath(os.path.join(folder, name), TREE) not in tracked:
                os.remove(os.path.join(folder, name))
    for rel in tracked:
        src, dst = os.path.join(ROOT, rel), os.path.join(TREE, rel)
        if not os.path.isfile(src):
            continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        # Unchanged files keep their times, so a second run rebuilds nothing;
        # a changed one gets a new time, as an object built from a fault left
        # by an interrupted run may be newer than the file's own.
        if not os.path.exists(dst) or open(src, "rb").read() != open(dst, "rb").read():
            shutil.copy(src, dst)


def build_and_test(tests, log):
    if run(["cmake", "--build", BUILD, "-j", JOBS, "--target", "TamselProposal", *tests], log) != 0:
        return "build"
    pattern = "^(" + "|".join(map(re.escape, tests)) + ")$"
    rc = run(["ctest", "--test-dir", BUILD, "-R", pattern, "--stop-on-failure",
              "--timeout", "900", "--output-on-failure"], log)
    return "pass" if rc == 0 else "fail"


def main(argv):
    faults = read_faults(os.path.join(ROOT, "tests", "mutation", "faults.txt"))
    if "--check" in argv:
        bad = 0
        for f in faults:
            try:
                found = open(os.path.join(ROOT, f["file"]), encoding="utf-8").read().count(f["old"])
            except OSError:
                found = 0
            if found != 1:
                bad += 1
                print(f"[{f['id']}] {f['file']}: text found {found} times")
        print(f"{len(faults) - bad} of {len(faults)} faults apply")
        return 1 if bad else 0
    if "--list" in argv:
        for f in faults:
            print(f"{f['id']:<16} {f['file']:<44} {f['what']}")
        print(f"{len(faults)} faults")
        return 0
    wanted = [a for a in argv if not a.startswith("-")]
    if wanted:
        # An id, a prefix of ids, or a test program: the faults it is run for.
        faults = [f for f in faults if any(f["id"] == w or f["id"].startswith(w) or w in f["tests"]
                                           for w in wanted)]
    os.makedirs(WORK, exist_ok=True)
    log = os.path.join(WORK, "mutation.log")
    open(log, "w").close()
    print(f"==> Copying the tree to {TREE}", flush=True)
    copy_tree()
    print(f"==> Building and testing it unchanged (log {log})", flush=True)
    env_cmake = ["cmake", "-S", TREE, "-B", BUILD, "-DCMAKE_BUILD_TYPE=Debug"]
    # Linking a dozen test programs per fault is most of the time; lld
    # does it several times faster than the default linker.
    if shutil.which("ld.lld"):
        env_cmake += ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld",
                      "-DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld"]
    if run(env_cmake, log) != 0:
        sys.exit("configure failed; see " + log)
    every = sorted({t for f in faults for t in f["tests"]})
    if build_and_test(every, log) != "pass":
        sys.exit("the unchanged tree does not pass its tests; see " + log)
    counts = {"killed": 0, "survived": 0, "invalid": 0}
    results = []
    for f in faults:
        path = os.path.join(TREE, f["file"])
        start = time.time()
        try:
            original = open(path, encoding="utf-8").read()
        except OSError:
            original = None
        if original is None or original.count(f["old"]) != 1:
            found = 0 if original is None else original.count(f["old"])
            verdict, why = "invalid", f"text found {found} times"
        else:
            with open(log, "a") as out:
                out.write(f"\n===== [{f['id']}] {f['what']}\n")
            with open(path, "w", encoding="utf-8") as out:
                out.write(original.replace(f["old"], f["new"]))
            outcome = build_and_test(f["tests"], log)
            with open(path, "w", encoding="utf-8") as out:
                out.write(original)
            verdict = {"build": "invalid", "pass": "survived", "fail": "killed"}[outcome]
            why = "does not compile" if outcome == "build" else ""
        counts[verdict] += 1
        line = f"{verdict:<8} [{f['id']}] {f['what']}" + (f" ({why})" if why else "") + f"  {time.time() - start:.0f} s"
        results.append(line)
        print(line, flush=True)
    summary = f"killed {counts['killed']}, survived {counts['survived']}, invalid {counts['invalid']} of {len(faults)}"
    print(summary)
    with open(os.path.join(WORK, "results.txt"), "w") as out:
        out.write("\n".join(results + [summary]) + "\n")
    # Put every touched object back as it was, for the next run.
    run(["cmake", "--build", BUILD, "-j", JOBS, "--target", "TamselProposal", *every], log)
    return 0 if counts["invalid"] == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
