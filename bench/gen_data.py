#!/usr/bin/env python3
"""Writes the benchmark's data sets: a plot data file of plot type 4 (power series fit, as the
curve-fitting tool writes it) and the same points as a plain text table for the peer tools.

usage: gen_data.py POINTS OUTDIR    -> OUTDIR/fitN.plt and OUTDIR/fitN.txt
"""
import math
import os
import random
import sys


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


def main():
    n = int(sys.argv[1])
    out = sys.argv[2]
    os.makedirs(out, exist_ok=True)
    rnd = random.Random(n)
    a = [2.0, -1.0, 0.25]
    rows = []
    for i in range(n):
        t = -1 + 2.0 * i / (n - 1)
        model = 0.5 + sum(c * t ** (k + 1) for k, c in enumerate(a))
        data = model + 0.02 * math.sin(37 * t) + rnd.gauss(0, 0.01)
        rows.append((t, data, model - data))
    base = os.path.join(out, "fit%d" % n)
    with open(base + ".plt", "w", newline="") as f:
        f.write("fit%d\r\n1.366664E-03\r\nFitmora (tm) curve fit, least squares\r\n" % n)
        # numbers as the tools print them: each followed by one blank
        f.write(" 4  3  %d \r\npoly.dat\r\n.5\r\n%s\r\n" % (n, "".join(vb(c) + " " for c in a)))
        for r in rows:
            f.write("%s\r\n" % "".join(vb(v) + " " for v in r))
    with open(base + ".txt", "w") as f:
        for r in rows:
            f.write("%.7g %.7g %.7g\n" % r)


if __name__ == "__main__":
    main()
