#!/usr/bin/env python3
"""Runs the tests of a ctest listing (ctest --show-only=json-v1) one after another, as ctest would:
each with its environment, working folder and timeout, exit 77 counting as skipped. The test roots of
later Debian suites run the Debian 13 build's tests with it: their own CMake is another version, whose
ctest cannot read the build's test files.
    run-listed.py LISTING [NAME_REGEX]"""
import json
import os
import re
import subprocess
import sys
import time


def properties(test):
    return {p["name"]: p["value"] for p in test.get("properties", [])}


def run(test):
    props = properties(test)
    env = dict(os.environ)
    env.update(v.split("=", 1) for v in props.get("ENVIRONMENT", []))
    timeout = props.get("TIMEOUT", 1500)
    started = time.monotonic()
    try:
        proc = subprocess.run(test["command"], cwd=props.get("WORKING_DIRECTORY"), env=env,
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
        code, output = proc.returncode, proc.stdout.decode(errors="replace")
    except subprocess.TimeoutExpired as expired:
        code, output = None, (expired.stdout or b"").decode(errors="replace")
    seconds = time.monotonic() - started
    if code == 0:
        verdict = "Passed"
    elif code is not None and code == props.get("SKIP_RETURN_CODE"):
        verdict = "Skipped"
    else:
        verdict = "Timeout" if code is None else f"Failed ({code})"
    return verdict, seconds, output


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as listing:
        tests = json.load(listing)["tests"]
    pattern = re.compile(sys.argv[2] if len(sys.argv) == 3 else "")
    tests = [t for t in tests if pattern.search(t["name"])]
    failed = []
    for number, test in enumerate(tests, 1):
        verdict, seconds, output = run(test)
        print(f"{number:3}/{len(tests)} {test['name']:<40} {verdict:<12} {seconds:6.1f} s", flush=True)
        if verdict not in ("Passed", "Skipped"):
            failed.append(test["name"])
            print(output, flush=True)
    print(f"{len(tests) - len(failed)} of {len(tests)} passed" + (f"; failed: {' '.join(failed)}" if failed else ""))
    return 1 if failed or not tests else 0


if __name__ == "__main__":
    sys.exit(main())
