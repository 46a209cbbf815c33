#!/usr/bin/env python3
"""Runs every test of a build tree once with a failing assertion planted
(TAVIK_PLANTED_FAILURE=1) and checks that each run is red: a non-zero exit
code, and for GoogleTest programs the failure in their report as well. A test
program that can end with status 0 after a failure would otherwise pass CI.

Usage: check_failures_are_red.py <build-dir>
Prints one line per test that stays green and a summary line; exits 1 when any
test stays green."""
import json
import os
import subprocess
import sys
import threading
from concurrent.futures import ThreadPoolExecutor

GTEST_FAILURE = "[  FAILED  ]"


def load_tests(build):
    out = subprocess.run(["ctest", "--show-only=json-v1"], cwd=build, check=True,
                         capture_output=True, text=True).stdout
    tests = []
    for test in json.loads(out)["tests"]:
        props = {p["name"]: p["value"] for p in test.get("properties", [])}
        env = dict(os.environ, TAVIK_PLANTED_FAILURE="1")
        for item in props.get("ENVIRONMENT", []):
            key, _, value = item.partition("=")
            env[key] = value
        locks = props.get("RESOURCE_LOCK", [])
        tests.append({
            "name": test["name"],
            "command": test["command"],
            "cwd": props.get("WORKING_DIRECTORY", build),
            "env": env,
            "lock": locks[0] if locks else None,
            "gtest": test["command"][-1].endswith(".exe"),
        })
    return tests


def main():
    build = os.path.abspath(sys.argv[1])
    tests = load_tests(build)
    locks = {t["lock"]: threading.Lock() for t in tests if t["lock"]}

    def run(test):
        lock = locks.get(test["lock"])
        if lock:
            lock.acquire()
        try:
            done = subprocess.run(test["command"], cwd=test["cwd"], env=test["env"],
                                  stdin=subprocess.DEVNULL, capture_output=True,
                                  text=True, errors="replace", timeout=600)
            output = done.stdout + done.stderr
            problems = []
            if done.returncode == 0:
                problems.append("exit code 0")
            if test["gtest"] and GTEST_FAILURE not in output:
                problems.append("no failure in its report")
            return test["name"], problems
        except subprocess.TimeoutExpired:
            return test["name"], ["no end within 600 s"]
        finally:
            if lock:
                lock.release()

    with ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        results = list(pool.map(run, tests))
    green = [(name, problems) for name, problems in results if problems]
    for name, problems in green:
        print(f"planted failure not reported by {name}: {', '.join(problems)}")
    print(f"Planted failures: {len(results) - len(green)} of {len(results)} test programs red")
    return 1 if green else 0


if __name__ == "__main__":
    sys.exit(main())
