#!/bin/sh
# Times the plot window on a real X display with a window manager: from the start of the
# process to the first plot painted, and from a resize to the last picture painted for the new
# size (bench/window_times.cpp), over ROUNDS starts of the window on a real run.
#
# usage: bench/window.sh DISPLAY_NUMBER [BUILD_DIR] [PLOTFILE]
#   (default build, samples/tunewave.plt; ROUNDS default 10, each with 10 resizes.) Starts Xvfb
#   and openbox on that display number and stops them at the end. BEFORE: another build of
#   window_times, timed in turn with this one (a change measured side by side).
# Without a session bus, Qt would start dbus-launch to look for one (some 50 to 100 ms); the bus
# address is set to a socket that does not exist, so the window finds none at once, as a session
# with a bus finds its bus at once.
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
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
chmod 700 "$work"
DISPLAY=$display /usr/bin/python3 - "$file" "$rounds" "$build/bench/window_times" ${BEFORE:+"$BEFORE"} <<'PY'
import os, statistics, subprocess, sys, time
plot, rounds, programs = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
times = {p: ([], []) for p in programs}
for _ in range(rounds):
    for program in programs:
        env = dict(os.environ, BENCH_START_NS=str(time.clock_gettime_ns(time.CLOCK_MONOTONIC)))
        out = subprocess.run([program, plot], env=env, capture_output=True, text=True, timeout=60).stdout
        first, resize = times[program]
        for line in out.splitlines():
            what, ms = line.rsplit(" ", 1)
            (first if what == "first plot" else resize).append(float(ms))
show = lambda v: "min %.1f  median %.1f  max %.1f ms (%d)" % (min(v), statistics.median(v), max(v), len(v))
for program in programs:
    first, resize = times[program]
    print(program)
    print("  start to first plot:    " + show(first))
    print("  resize to last picture: " + show(resize))
PY
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
