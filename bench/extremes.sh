#!/bin/sh
# Times `plots --export` on the largest plot data file of each kind that the format allows
# (gen_extremes.py: 32,767 terms in every parameter array, or 32,767 poles and zeros of each
# kind with three curve blocks, and 32,767 points), as whole processes, RUNS rounds each
# (default 3, after one warm-up round). Reported: the median wall-clock time, the mean
# processor time and the peak memory per file. The aim: under 1 s for every file.
#
# usage: bench/extremes.sh [BUILD_DIR]   (default: build)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build}
runs=${RUNS:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

/usr/bin/python3 "$here/gen_extremes.py" "$work/data"
set --
for file in "$work"/data/*.plt; do
    name=$(basename "$file" .plt)
    set -- "$@" "$name" "$build/plots/plots --export $work/out-$name --size 1024x768 $file"
done
/usr/bin/python3 "$here/timeit.py" "$runs" 1 "$work/times.json" "$@"
/usr/bin/python3 - "$work/times.json" <<'PY'
import json, statistics, sys
times = json.load(open(sys.argv[1]))
print("%-16s %10s %10s %10s" % ("file", "wall (s)", "cpu (s)", "peak MiB"))
for name in sorted(times):
    t = times[name]
    print("%-16s %10.2f %10.2f %10.0f" % (name, statistics.median(t["wall"]), statistics.mean(t["cpu"]), max(t["peak_mib"])))
PY
