#!/usr/bin/env python3
"""scripts/run_gtest.py against a stand-in GoogleTest program: what it counts,
when it starts the program again, what it retries, how it shards."""
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
RUNNER = os.path.join(HERE, "..", "..", "scripts", "run_gtest.py")
FAKE = [sys.executable, os.path.join(HERE, "fake_gtest.py")]


def run(cases, *options, exit_status=None):
    """Runs the runner; returns (exit status, results line, printed text)."""
    with tempfile.TemporaryDirectory() as tmp:
        env = dict(os.environ, FAKE_CASES=" ".join(cases), FAKE_STATE=tmp)
        if exit_status is not None:
            env["FAKE_EXIT"] = str(exit_status)
        results = os.path.join(tmp, "r.txt")
        p = subprocess.run([sys.executable, RUNNER, "--results=" + results, *options, "--", *FAKE], env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=120)
        with open(results) as r:
            return p.returncode, r.read().strip(), p.stdout.decode()


class Counting(unittest.TestCase):
    def test_counts_and_exit_status(self):
        table = [
            # cases, options, FAKE_EXIT, expected exit, expected results line
            (["A.a=pass", "A.b=pass", "B.a=skip"], [], None, 0, "passed 2 failed 0 skipped 1 retried -"),
            (["A.a=pass", "A.b=fail", "B.a=pass"], [], None, 1, "passed 2 failed 1 skipped 0 retried -"),
            # A crash fails its case; the cases after it still run.
            (["A.a=pass", "A.b=crash", "B.a=pass", "B.b=fail"], [], None, 1,
             "passed 2 failed 2 skipped 0 retried -"),
            # A case that hangs is ended; the rest still run.
            (["A.a=hang", "B.a=pass"], ["--case-timeout=2"], None, 1, "passed 1 failed 1 skipped 0 retried -"),
            # Every case passed, yet the program failed at exit.
            (["A.a=pass"], [], 1, 1, "passed 1 failed 1 skipped 0 retried -"),
            # A filter that matches nothing is no success.
            (["A.a=pass"], ["--filter=B.*"], None, 1, "passed 0 failed 1 skipped 0 retried -"),
            # Only end-to-end runs retry: a flaky case passes its second run
            # and is named; one that fails again counts as failed.
            (["A.a=flaky", "A.b=pass"], [], None, 1, "passed 1 failed 1 skipped 0 retried -"),
            (["A.a=flaky", "A.b=pass"], ["--retry"], None, 0, "passed 2 failed 0 skipped 0 retried A.a"),
            (["A.a=fail", "A.b=crash", "A.c=pass"], ["--retry"], None, 1,
             "passed 1 failed 2 skipped 0 retried A.a (failed again),A.b (failed again)"),
            # The filter is kept when the program starts again.
            (["A.a=crash", "B.a=pass", "E2E.a=fail"], ["--filter=-E2E.*"], None, 1,
             "passed 1 failed 1 skipped 0 retried -"),
        ]
        for cases, options, exit_status, status, line in table:
            with self.subTest(cases=cases, options=options):
                got_status, got_line, text = run(cases, *options, exit_status=exit_status)
                self.assertEqual(line, got_line, text)
                self.assertEqual(status, got_status, text)

    def test_a_failed_case_shows_its_output(self):
        _, _, text = run(["A.a=pass", "A.b=fail"])
        self.assertIn("output of A.b", text)
        self.assertNotIn("output of A.a", text)

    def test_shards_run_every_suite_once(self):
        cases = ["A.a=pass", "A.b=pass", "A.c=pass", "B.a=pass", "C.a=pass", "C.b=pass", "D.a=skip"]
        totals = [0, 0]
        for index in range(2):
            status, line, text = run(cases, "--shard=%d/2" % index)
            self.assertEqual(0, status, text)
            fields = line.split()
            totals[0] += int(fields[1])
            totals[1] += int(fields[5])
        self.assertEqual([6, 1], totals)


if __name__ == "__main__":
    unittest.main()
