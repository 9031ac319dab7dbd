#!/usr/bin/env python3
"""A stand-in for a GoogleTest program, for the runner's tests.

FAKE_CASES lists "Suite.Name=behaviour" separated by blanks; a behaviour is
pass, fail, skip, crash (the process dies in the case), hang (it stops), or
flaky (fails at its first run, passes later: FAKE_STATE is a folder that
remembers). FAKE_EXIT, when set, is the exit status after all cases (a leak
report at exit, say). Takes --gtest_filter, --gtest_list_tests and
--gtest_color as GoogleTest does."""
import fnmatch
import os
import sys
import time


def matches(name, gtest_filter):
    positive, _, negative = gtest_filter.partition("-")
    pos = [p for p in (positive or "*").split(":") if p]
    neg = [n for n in negative.split(":") if n]
    return any(fnmatch.fnmatchcase(name, p) for p in pos) and not any(fnmatch.fnmatchcase(name, n) for n in neg)


def main():
    cases = [c.split("=") for c in os.environ["FAKE_CASES"].split()]
    gtest_filter = "*"
    listing = False
    for a in sys.argv[1:]:
        if a.startswith("--gtest_filter="):
            gtest_filter = a.split("=", 1)[1]
        elif a == "--gtest_list_tests":
            listing = True
    chosen = [(n, b) for n, b in cases if matches(n, gtest_filter)]
    if listing:
        suite = None
        for name, _ in chosen:
            s, case = name.split(".")
            if s != suite:
                print(s + ".")
                suite = s
            print("  " + case)
        return 0
    failed = 0
    for name, behaviour in chosen:
        print("[ RUN      ] " + name, flush=True)
        print("output of " + name)
        if behaviour == "crash":
            sys.stdout.flush()
            os._exit(3)
        if behaviour == "hang":
            sys.stdout.flush()
            time.sleep(3600)
        if behaviour == "flaky":
            mark = os.path.join(os.environ["FAKE_STATE"], name)
            behaviour = "pass" if os.path.exists(mark) else "fail"
            open(mark, "w").close()
        result = {"pass": "       OK ", "fail": "  FAILED  ", "skip": "  SKIPPED "}[behaviour]
        failed += behaviour == "fail"
        print("[%s] %s (1 ms)" % (result, name), flush=True)
    if failed:
        print("[  FAILED  ] %d tests, listed below:" % failed)
        for name, behaviour in chosen:
            if behaviour == "fail":
                print("[  FAILED  ] " + name)
    return int(os.environ.get("FAKE_EXIT", "1" if failed else "0"))


if __name__ == "__main__":
    sys.exit(main())
