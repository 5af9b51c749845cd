#!/usr/bin/env python3
"""Times whole processes side by side: every round runs each command once, in turn, so a
machine that gets busier or quieter during the measurement affects all of them alike.

usage: timeit.py RUNS WARMUP OUT.json NAME COMMAND [NAME COMMAND ...]

COMMAND is one shell-like string (split with shlex, run without a shell). For each command the
JSON holds the wall-clock times, the processor times (user + system) and the peak resident
memory of every run.
"""
import json
import os
import shlex
import subprocess
import sys
import time


def run_once(argv):
    start = time.perf_counter()
    child = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        sys.exit("command failed (%d): %s" % (child.returncode, " ".join(argv)))
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024.0


def main():
    runs, warmup, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    pairs = sys.argv[4:]
    commands = [(pairs[i], shlex.split(pairs[i + 1])) for i in range(0, len(pairs), 2)]
    results = {name: {"wall": [], "cpu": [], "peak_mib": []} for name, _ in commands}
    for round_no in range(warmup + runs):
        for name, argv in commands:
            wall, cpu, peak = run_once(argv)
            if round_no < warmup:
                continue
            results[name]["wall"].append(wall)
            results[name]["cpu"].append(cpu)
            results[name]["peak_mib"].append(peak)
    with open(out, "w") as f:
        json.dump(results, f)


if __name__ == "__main__":
    main()
