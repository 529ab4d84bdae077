#!/usr/bin/env python3
"""Prints "PASSED FAILED SKIPPED" for one GoogleTest JSON report (--gtest_output=json:FILE).

A test counts as failed when it has failures, as skipped when GoogleTest skipped it, and as passed
otherwise. What each failed test reported goes to standard error (a few lines of each failure), so
that a run whose console shows only the summary still tells why. A report that is missing or can't be read prints nothing and exits with 1: the program
ended before it could write one.
"""
import json
import sys

try:
    with open(sys.argv[1], encoding="utf-8") as report:
        data = json.load(report)
except (OSError, ValueError):
    sys.exit(1)

passed = failed = skipped = 0
for suite in data.get("testsuites", []):
    for test in suite.get("testsuite", []):
        if test.get("failures"):
            failed += 1
            print(f"-- {suite.get('name')}.{test.get('name')} failed:", file=sys.stderr)
            for failure in test["failures"]:
                lines = failure.get("failure", "").splitlines()
                shown = lines[:8] + (["   ..."] if len(lines) > 8 else [])
                print("\n".join("   " + line for line in shown), file=sys.stderr)
        elif test.get("result") == "SKIPPED" or test.get("status") == "NOTRUN":
            skipped += 1
        else:
            passed += 1
print(passed, failed, skipped)
