#!/usr/bin/python3
"""matplotlib's version of the first line plot (Agg): column 3 against column 1 in red."""
import sys

import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

datafile, outfile, w, h = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
t, _, err = np.loadtxt(datafile, unpack=True)
fig = plt.figure(figsize=(w / 100, h / 100), dpi=100)
ax = fig.add_subplot()
ax.plot(t, err, color="red", linewidth=2)
ax.grid(True, linestyle=":")
ax.set_title("Error Amplitude")
ax.set_xlabel("Time")
ax.set_ylabel("Amplitude")
fig.savefig(outfile)
