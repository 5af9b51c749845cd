#!/usr/bin/env python3
"""Writes the tables gnuplot draws the pictures of a Tunewave run from (the benchmark's small
real run): the poles and zeroes, the main rows (x, data, error) and each curve block (x, y).

usage: gen_tunewave.py PLOTFILE OUTDIR  -> OUTDIR/tw-pz.txt, tw-main.txt, tw-block1.txt, ...
"""
import os
import sys


def numbers(line):
    return [float(v) for v in line.split()]


def main():
    lines = open(sys.argv[1], newline="").read().replace("\r\n", "\n").split("\n")
    out = sys.argv[2]
    os.makedirs(out, exist_ok=True)
    count = int(numbers(lines[3])[2])
    sigma = numbers(lines[6])
    real, imag = numbers(lines[7]), numbers(lines[8])
    zeros = numbers(lines[11])
    with open(os.path.join(out, "tw-pz.txt"), "w") as f:
        for s in sigma:
            f.write("%g 0\n" % s)
        for r, i in zip(real, imag):
            f.write("%g %g\n%g %g\n" % (r, i, r, -i))
        for z in zeros:
            f.write("0 %g\n0 %g\n" % (z, -z))
    # The main rows follow the header; the curve blocks (a title, a count, x y rows) follow them.
    at = next(i for i, l in enumerate(lines) if i > 12 and len(l.split()) == 3)
    with open(os.path.join(out, "tw-main.txt"), "w") as f:
        for l in lines[at:at + count]:
            x, data, error = numbers(l)
            f.write("%g %g %g\n" % (x, data, error))
    at += count
    block = 0
    while at + 1 < len(lines) and lines[at].strip():
        block += 1
        n = int(numbers(lines[at + 1])[0])
        with open(os.path.join(out, "tw-block%d.txt" % block), "w") as f:
            f.writelines(l.strip() + "\n" for l in lines[at + 2:at + 2 + n])
        at += 2 + n


if __name__ == "__main__":
    main()
