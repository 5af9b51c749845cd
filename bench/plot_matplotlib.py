#!/usr/bin/python3
"""matplotlib's versions (Agg, anti-aliased) of the two plots `plots --export` draws for a fitting
run, in one process: OUT-01.png column 3 against column 1 in red; OUT-02.png column 2 and the
model (column 2 + column 3) against column 1. Lines 2 pixels wide (1.44 points at 100 dpi)."""
import sys

import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

datafile, out, w, h = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
t, data, err = np.loadtxt(datafile, unpack=True)
width = 2 * 72 / 100
for number, title, curves in ((1, "Error Amplitude", [(err, "red")]),
                              (2, "DATA vs. Model", [(data, "blue"), (data + err, "yellow")])):
    fig = plt.figure(figsize=(w / 100, h / 100), dpi=100)
    ax = fig.add_subplot()
    for ys, colour in curves:
        ax.plot(t, ys, color=colour, linewidth=width)
    ax.grid(True, linestyle=":")
    ax.set_title(title)
    ax.set_xlabel("Time")
    ax.set_ylabel("Amplitude")
    fig.savefig("%s-%02d.png" % (out, number))
    plt.close(fig)
