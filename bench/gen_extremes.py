#!/usr/bin/env python3
"""Writes the largest plot data file of each kind that the format allows: every count that
sizes an array at 32,767, the most a 16-bit count holds.

usage: gen_extremes.py OUTDIR   -> OUTDIR/max-terms-T.plt for the fitting kinds T = 0 to 6,
                                   OUTDIR/max-dosivo.plt, OUTDIR/max-poles-T.plt for T = -1, -2

A fitting kind holds 32,767 terms in each of its parameter arrays and 32,767 data points; a
pole-zero kind holds 32,767 poles, 32,767 zeros on the omega axis, 32,767 complex zeros (pairs
and quads), a zero and a pole on the sigma axis, 32,767 data points and three curve blocks of
32,767 points each. Numbers are written as the tools write them.
"""
import math
import os
import random
import sys

MAX = 32767


def vb(x):
    """A number as the tools print it: blank for a plus sign, no leading zero."""
    s = "%.7G" % x
    if "E" in s:
        mant, exp = s.split("E")
        s = mant + "E" + exp[0] + exp[1:].lstrip("0").rjust(2, "0")
    if s.startswith("0."):
        s = s[1:]
    elif s.startswith("-0."):
        s = "-" + s[2:]
    return s if s.startswith("-") else " " + s


def numbers(values, per_line=10):
    """Values as numeric records: ten to a line, each followed by one blank."""
    lines = []
    for i in range(0, len(values), per_line):
        lines.append("".join(vb(v) + " " for v in values[i:i + per_line]))
    return "\r\n".join(lines) + "\r\n"


def points(rnd, n, columns):
    rows = []
    for i in range(n):
        t = -1 + 2.0 * i / (n - 1)
        y = 0.5 + 2 * t - t * t + 0.02 * math.sin(37 * t) + rnd.gauss(0, 0.01)
        rows.append([t, y, y - 0.5][:columns])
    return "".join(numbers(r) for r in rows)


def fitting(out, kind, rnd):
    arrays = {0: 1, 1: 3, 2: 4, 3: 2, 4: 1, 5: 3, 6: 4}[kind]
    with open(os.path.join(out, "max-terms-%d.plt" % kind), "w", newline="") as f:
        f.write("max%d\r\n1.366664E-03\r\nFitmora (tm) curve fit, least squares\r\n" % kind)
        f.write(" %d  %d  %d \r\n" % (kind, MAX, MAX))
        if kind == 0:
            f.write("y' = -a1*y ! the rate equation\r\n")
        else:
            f.write("poly.dat\r\n.5\r\n")
        for _ in range(arrays):
            f.write(numbers([rnd.uniform(-5, 5) for _ in range(MAX)]))
        f.write(points(rnd, MAX, 3))


def dosivo(out, rnd):
    with open(os.path.join(out, "max-dosivo.plt"), "w", newline="") as f:
        f.write("dose\r\n1.2E-03\r\nDosivo (tm)\r\n 110  2  %d \r\nunused\r\n" % MAX)
        f.write(numbers([0.1, 0.2, 0.3, 0.4]))
        f.write(numbers([100, 50, 3.5]))
        f.write(points(rnd, MAX, 3))


def block(rnd, title, n):
    return "%s\r\n %d \r\n" % (title, n) + points(rnd, n, 2)


def pole_zero(out, kind, rnd):
    pairs, quads = MAX // 2, MAX - MAX // 2
    with open(os.path.join(out, "max-poles-%d.plt" % kind), "w", newline="") as f:
        f.write("poles%d\r\n.6716863\r\nTunewave (tm) frequency match\r\n" % kind)
        f.write(" %d  %d  %d \r\n" % (kind, MAX, MAX))
        f.write(numbers([1, .5, 1, 0]))                              # MtchDely: delay block follows
        f.write(numbers([1, MAX]))                                   # nXpole
        f.write("-.4565\r\n")                                        # the sigma-axis pole
        f.write(numbers([-rnd.uniform(0.01, 2) for _ in range(MAX)]))  # pReal
        f.write(numbers([rnd.uniform(-3, 3) for _ in range(MAX)]))     # pImag
        f.write(" 1\r\n")
        f.write(numbers([.75, 1, 1]))                                # xZero
        f.write(numbers([MAX, pairs, quads]))                        # nYzeros
        f.write(numbers([rnd.uniform(1, 5) for _ in range(MAX)]))    # yZeros
        f.write(numbers([rnd.uniform(-1, 1) for _ in range(MAX)]))   # zReal
        f.write(numbers([rnd.uniform(-4, 4) for _ in range(MAX)]))   # zImag
        f.write(".03451289\r\n 0  0 \r\n")
        f.write(points(rnd, MAX, 3))
        for title in ("side-lobe ripple", "group-delay ripple", "impulse response"):
            f.write(block(rnd, title, MAX))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    rnd = random.Random(MAX)
    for kind in range(7):
        fitting(out, kind, rnd)
    dosivo(out, rnd)
    for kind in (-1, -2):
        pole_zero(out, kind, rnd)


if __name__ == "__main__":
    main()
