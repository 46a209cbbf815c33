#!/usr/bin/env python3
"""Launches a program on the current X display and times it from outside:
until a visible window whose title matches appears ("shown"), and until the
program has gone quiet after that ("idle": from there on it used less than
QUIET_CPU_MS of processor time in any QUIET_MS, summed over its threads and
child processes, read from /proc with nanosecond resolution). The window is
then closed with Alt+F4 (the process killed if it lingers). Prints
"shown_ms=<n> idle_ms=<n> peak_mb=<n>", the last the peak resident memory
of the program's processes (VmHWM, summed) once idle.

    launch_until_idle.py <title regex> <program> [arguments]
"""
import bisect
import os
import subprocess
import sys
import time

QUIET_MS = 500
QUIET_CPU_MS = 5
POLL_S = 0.005
WINDOW_EVERY_S = 0.02
TIMEOUT_S = 60


def cpu_ns(pids):
    total = 0
    for pid in pids:
        try:
            for tid in os.listdir(f"/proc/{pid}/task"):
                with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                    total += int(f.read().split()[0])
        except (FileNotFoundError, ProcessLookupError, PermissionError):
            pass
    return total


def family(root):
    pids, todo = [], [root]
    while todo:
        pid = todo.pop()
        pids.append(pid)
        try:
            for tid in os.listdir(f"/proc/{pid}/task"):
                with open(f"/proc/{pid}/task/{tid}/children") as f:
                    todo.extend(int(c) for c in f.read().split())
        except (FileNotFoundError, ProcessLookupError, PermissionError):
            pass
    return pids


def peak_mb(pids):
    total = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/status") as f:
                for line in f:
                    if line.startswith("VmHWM:"):
                        total += int(line.split()[1])
        except (FileNotFoundError, ProcessLookupError, PermissionError):
            pass
    return total / 1024


def window(pattern):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern],
                         capture_output=True, text=True).stdout.split()
    return out[0] if out else None


def main():
    pattern, command = sys.argv[1], sys.argv[2:]
    start = time.monotonic()
    child = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    samples = []  # (seconds since start, cpu ns)
    times = []
    check = 0
    shown = wid = None
    next_look = 0.0
    idle = None
    while idle is None:
        now = time.monotonic() - start
        if now > TIMEOUT_S:
            child.kill()
            sys.exit("no idle window after %d s" % TIMEOUT_S)
        samples.append((now, cpu_ns(family(child.pid))))
        times.append(now)
        if shown is None and now >= next_look:
            wid = window(pattern)
            if wid:
                shown = time.monotonic() - start
            next_look = now + WINDOW_EVERY_S
        if shown is not None:
            # The earliest sample at or after "shown" from which the next
            # QUIET_MS used less than QUIET_CPU_MS.
            while check < len(samples) and now - samples[check][0] >= QUIET_MS / 1000:
                t, used = samples[check]
                if t >= shown:
                    later = samples[bisect.bisect_left(times, t + QUIET_MS / 1000)][1]
                    if later - used < QUIET_CPU_MS * 1e6:
                        idle = t
                        break
                check += 1
        time.sleep(POLL_S)
    print("shown_ms=%.0f idle_ms=%.0f peak_mb=%.1f" % (shown * 1000, idle * 1000, peak_mb(family(child.pid))))
    subprocess.run(["xdotool", "windowfocus", "--sync", wid], capture_output=True)
    subprocess.run(["xdotool", "key", "alt+F4"], capture_output=True)
    try:
        child.wait(timeout=30)
    except subprocess.TimeoutExpired:
        child.kill()
        child.wait()


main()
