#!/bin/sh
# Times the plot window on a real X display with a window manager: from the start of the
# process to the first plot painted, and from a resize to the last picture painted for the new
# size (bench/window_times.cpp), over ROUNDS starts of the window on a real run.
#
# usage: bench/window.sh DISPLAY_NUMBER [BUILD_DIR] [PLOTFILE]
#   (default build, samples/tunewave.plt; ROUNDS default 10, each with 10 resizes.) Starts Xvfb
#   and openbox on that display number and stops them at the end.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
display=:$1
build=${2:-$root/build}
file=${3:-$root/samples/tunewave.plt}
rounds=${ROUNDS:-10}
work=$(mktemp -d)
cmake --build "$build" --target window_times >/dev/null
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $wm $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
sleep 1
# A scratch home: the viewer keeps its settings there.
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work"
chmod 700 "$work"
DISPLAY=$display /usr/bin/python3 - "$build/bench/window_times" "$file" "$rounds" <<'PY'
import os, statistics, subprocess, sys, time
program, plot, rounds = sys.argv[1], sys.argv[2], int(sys.argv[3])
first, resize = [], []
for _ in range(rounds):
    env = dict(os.environ, BENCH_START_NS=str(time.clock_gettime_ns(time.CLOCK_MONOTONIC)))
    out = subprocess.run([program, plot], env=env, capture_output=True, text=True, timeout=60).stdout
    for line in out.splitlines():
        what, ms = line.rsplit(" ", 1)
        (first if what == "first plot" else resize).append(float(ms))
show = lambda v: "min %.1f  median %.1f  max %.1f ms (%d)" % (min(v), statistics.median(v), max(v), len(v))
print("start to first plot:   " + show(first))
print("resize to last picture: " + show(resize))
PY
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
