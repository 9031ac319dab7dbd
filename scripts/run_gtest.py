#!/usr/bin/env python3
"""Runs a GoogleTest program in as few processes as is sound; counts its cases.

    run_gtest.py --results FILE [--filter F] [--shard I/N] [--retry]
                 [--case-timeout S] -- PROGRAM [ARGS...]

ctest starts this once per test program (or per shard of one) instead of once
per test case: under Wine every process start costs far more than most cases.
The program runs its cases in one process. When that process dies in the
middle of a case (a crash, or no progress for --case-timeout seconds), the
case counts as failed and a new process runs the cases not yet run. A program
that fails after its cases ended (a leak report at exit, say) counts one
failed case more, so the counts agree with the exit status.

--shard I/N runs the I-th of N shares of the suites (whole suites, so that a
suite's fixture stays in one process). --retry gives each failed case one
more run (end-to-end cases that race real processes); those cases are named.

FILE receives one line "passed P failed F skipped S retried NAMES" (NAMES
separated by commas, "-" for none; a case that failed again is followed by
"(failed again)"), read by scripts/test.sh. The whole output goes to
FILE.log; what reaches ctest's log is each failed case's output and a summary.
Exit status 0 when every case passed.
"""
import argparse
import os
import re
import signal
import subprocess
import sys
import threading
import time

RUN = re.compile(r"^\[ RUN      \] (\S+)$")
END = re.compile(r"^\[ +(OK|FAILED|SKIPPED) +\] (\S+) \(\d+ ms\)$")


class Outcome:
    def __init__(self):
        self.status = {}        # case -> "passed" | "failed" | "skipped"
        self.seconds = {}       # case -> wall time of its last run
        self.output = {}        # case -> lines of its last run
        self.extra_failures = []  # failures not of one case: (what, lines)


def run_once(program, gtest_filter, env, case_timeout, log, outcome):
    """One process of the program with a filter. Returns "done" when the
    process ended by itself, or "died" when it ended (or was ended) in the
    middle of a case, which is then recorded as failed."""
    cmd = program + ["--gtest_color=no"] + (["--gtest_filter=" + gtest_filter] if gtest_filter else [])
    log.write("$ " + " ".join(cmd) + "\n")
    log.flush()
    proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                            env=env, start_new_session=True)
    state = {"case": None, "since": time.monotonic(), "lines": [], "timed_out": False}
    before = set(outcome.status)
    lock = threading.Lock()

    def watchdog():
        # A case that makes no progress for case_timeout seconds is ended
        # with the whole process group (Wine: the programs it started too).
        while proc.poll() is None:
            time.sleep(1)
            with lock:
                stuck = state["case"] is not None and time.monotonic() - state["since"] > case_timeout
            if stuck:
                state["timed_out"] = True
                try:
                    os.killpg(proc.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                return

    threading.Thread(target=watchdog, daemon=True).start()
    after_cases = []  # lines printed outside any case (start-up, summary, exit reports)
    for raw in proc.stdout:
        line = raw.decode("utf-8", "replace").rstrip("\r\n")
        log.write(line + "\n")
        m = RUN.match(line)
        with lock:
            if m:
                state.update(case=m.group(1), since=time.monotonic(), lines=[line])
                continue
            if state["case"] is None:
                after_cases.append(line)
                continue
            state["lines"].append(line)
            e = END.match(line)
            if e and e.group(2) == state["case"]:
                name = state["case"]
                outcome.status[name] = {"OK": "passed", "FAILED": "failed", "SKIPPED": "skipped"}[e.group(1)]
                outcome.seconds[name] = time.monotonic() - state["since"]
                outcome.output[name] = state["lines"]
                state.update(case=None, lines=[])
    rc = proc.wait()
    log.flush()
    ran = [n for n in outcome.status if n not in before]
    if state["case"] is not None:
        name = state["case"]
        why = ("no progress for %d s: ended" % case_timeout) if state["timed_out"] else \
            "the process ended in the middle of this case (exit status %d)" % rc
        outcome.status[name] = "failed"
        outcome.seconds[name] = time.monotonic() - state["since"]
        outcome.output[name] = state["lines"] + ["run_gtest: " + why]
        return "died"
    if rc != 0 and not any(outcome.status[n] == "failed" for n in ran):
        # Every case passed, yet the program failed: a report at exit (the
        # leak checker), a crash on the way out, or it could not start.
        what = "exit status %d after its cases" % rc if ran else "exit status %d before any case ran" % rc
        outcome.extra_failures.append(("%s: %s" % (program[-1], what), after_cases[-40:]))
    return "done"


def run_filter(program, positive, negative, env, case_timeout, log, outcome):
    """Runs every case matching positive minus negative, in one process while
    nothing dies, starting a new one after each case that killed its own."""
    done_before = set(outcome.status)
    while True:
        ran = [n for n in outcome.status if n not in done_before]
        neg = negative + ran
        f = positive + ("-" + ":".join(neg) if neg else "")
        if run_once(program, f, env, case_timeout, log, outcome) == "done":
            return


def list_suites(program, gtest_filter, env):
    out = subprocess.run(program + ["--gtest_list_tests"] + (["--gtest_filter=" + gtest_filter] if gtest_filter else []),
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, env=env,
                         check=True).stdout.decode("utf-8", "replace")
    suites, current = {}, None
    for line in out.splitlines():
        if not line.strip():
            continue
        if not line.startswith(" "):
            current = line.split("#")[0].strip().rstrip(".")
            suites[current] = 0
        elif current is not None:
            suites[current] += 1
    return suites


def shard_suites(suites, index, count):
    """Whole suites to shards, the largest first to the least loaded shard."""
    load = [0] * count
    share = [[] for _ in range(count)]
    for name, cases in sorted(suites.items(), key=lambda s: (-s[1], s[0])):
        i = load.index(min(load))
        load[i] += cases
        share[i].append(name)
    return share[index]


def split_filter(gtest_filter):
    positive, _, negative = (gtest_filter or "*").partition("-")
    return positive or "*", [n for n in negative.split(":") if n]


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--results", required=True)
    ap.add_argument("--filter", default="")
    ap.add_argument("--shard", default="")
    ap.add_argument("--retry", action="store_true")
    ap.add_argument("--case-timeout", type=int, default=180)
    ap.add_argument("program", nargs=argparse.REMAINDER)
    args = ap.parse_args()
    program = [a for a in args.program if a != "--"] if args.program[:1] == ["--"] else args.program
    if not program:
        ap.error("no program given")
    env = dict(os.environ)
    outcome = Outcome()
    os.makedirs(os.path.dirname(os.path.abspath(args.results)), exist_ok=True)
    with open(args.results, "w") as r:
        r.write("passed 0 failed 1 skipped 0 retried -\n")  # until the run ends
    positive, negative = split_filter(args.filter)
    with open(args.results + ".log", "w") as log:
        if args.shard:
            index, count = (int(x) for x in args.shard.split("/"))
            mine = shard_suites(list_suites(program, args.filter, env), index, count)
            if not mine:
                positive = None
            else:
                positive = ":".join(s + ".*" for s in mine)
        if positive is not None:
            run_filter(program, positive, negative, env, args.case_timeout, log, outcome)
            if not outcome.status and not outcome.extra_failures:
                outcome.extra_failures.append(("%s: no case ran (filter \"%s\")" % (program[-1], args.filter), []))
        retried = []
        first_failures = [n for n, s in outcome.status.items() if s == "failed"]
        if args.retry and first_failures:
            for name in first_failures:
                print("run_gtest: %s failed; one more try" % name)
                first_output = outcome.output[name]
                del outcome.status[name]
                run_filter(program, name, [], env, args.case_timeout, log, outcome)
                if outcome.status.get(name) != "passed":
                    outcome.output[name] = first_output + ["run_gtest: --- and once more ---"] + outcome.output.get(name, [])
                    retried.append(name + " (failed again)")
                else:
                    print("\n".join(first_output))
                    retried.append(name)
    failed = [n for n, s in outcome.status.items() if s == "failed"]
    for name in failed:
        print("\n".join(outcome.output.get(name, [])))
    for what, lines in outcome.extra_failures:
        print("\n".join(lines))
        print("run_gtest: FAILED: " + what)
    counts = {s: sum(1 for v in outcome.status.values() if v == s) for s in ("passed", "failed", "skipped")}
    counts["failed"] += len(outcome.extra_failures)
    slowest = sorted(outcome.seconds.items(), key=lambda kv: -kv[1])[:5]
    print("run_gtest: slowest: " + ", ".join("%s %.1f s" % kv for kv in slowest))
    print("run_gtest: %d passed, %d failed, %d skipped%s" % (
        counts["passed"], counts["failed"], counts["skipped"],
        "; retried: " + ", ".join(retried) if retried else ""))
    with open(args.results, "w") as r:
        r.write("passed %d failed %d skipped %d retried %s\n" % (
            counts["passed"], counts["failed"], counts["skipped"], ",".join(retried) or "-"))
    return 0 if counts["failed"] == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
