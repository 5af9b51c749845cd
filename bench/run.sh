#!/bin/sh
# Times `plots --export` (the run's whole plot sequence: for the fitting run used here the first
# line plot and the curve versus data, two pictures) against gnuplot (pngcairo) and matplotlib
# (Agg) at the same image size, as whole processes measured side by side (bench/timeit.py runs
# every command once per round, in turn). Two comparisons come out of the same rounds:
#
# 1. the peers as first set up: gnuplot and matplotlib draw the first line plot's noisy curve
#    with line width 2;
# 2. equal settings: gnuplot draws with line width 1, as plots does, once the noisy curve of the
#    first line plot and once the two smooth curves of the curve versus data; plots' time is
#    for both of its pictures, so its time per picture is half of it.
#
# Reported: median wall-clock time, mean processor time (user + system; steadier when the
# machine is busy), their ratios, and the peak resident memory (largest of all runs).
#
# usage: bench/run.sh [BUILD_DIR]   (default: build-bench, configured and built when missing)
#        RUNS (default 15) rounds after two warm-up rounds; POINTS (default "1000 32767");
#        TOOLS, a subset of "plots gnuplot matplotlib gnuplot-lw1-noisy gnuplot-lw1-smooth"
#        (default all; plots is always timed), for a quicker look at one comparison.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build-bench}
runs=${RUNS:-15}
points=${POINTS:-1000 32767}
tools=${TOOLS:-gnuplot matplotlib gnuplot-lw1-noisy gnuplot-lw1-smooth}
size_w=1024
size_h=768
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The peers and timers come from the project's one package list.
"$root/scripts/deps.sh"

if [ ! -x "$build/plots/plots" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    ninja -C "$build" plots >/dev/null
fi
plots="$build/plots/plots"
export QT_QPA_PLATFORM=offscreen

for n in $points; do
    /usr/bin/python3 "$here/gen_data.py" "$n" "$work/data"
    plt="$work/data/fit$n.plt"
    txt="$work/data/fit$n.txt"
    gp() { echo "gnuplot -e \"datafile='$txt'; outfile='$work/gnuplot.png'; w=$size_w; h=$size_h; $1\" $here/plot_gnuplot.gp"; }
    set -- plots "$plots --export $work/out-plots --size ${size_w}x${size_h} $plt"
    for tool in $tools; do
        case $tool in
        plots) continue ;;
        gnuplot) set -- "$@" "$tool" "$(gp "lw=2; curves='noisy'")" ;;
        matplotlib) set -- "$@" "$tool" "/usr/bin/python3 $here/plot_matplotlib.py $txt $work/mpl.png $size_w $size_h" ;;
        gnuplot-lw1-noisy) set -- "$@" "$tool" "$(gp "lw=1; curves='noisy'")" ;;
        gnuplot-lw1-smooth) set -- "$@" "$tool" "$(gp "lw=1; curves='smooth'")" ;;
        *) echo "unknown tool '$tool'" >&2; exit 2 ;;
        esac
    done
    /usr/bin/python3 "$here/timeit.py" "$runs" 2 "$work/t$n.json" "$@"
done
echo "load average after the rounds: $(cut -d' ' -f1-3 /proc/loadavg)"
echo

/usr/bin/python3 - "$work" "$runs" $points <<'PY'
import json, statistics, sys
work, runs, points = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
data = {n: json.load(open("%s/t%s.json" % (work, n))) for n in points}
med = lambda r: statistics.median(r["wall"]) * 1000
cpu = lambda r: statistics.mean(r["cpu"]) * 1000
peak = lambda r: max(r["peak_mib"])

print("As first set up: gnuplot and matplotlib draw the noisy curve with line width 2; plots draws")
print("its two pictures. %d rounds." % runs)
print()
print("| points | tool | median wall ms | x plots | cpu ms | x plots | peak MiB |")
print("|---:|---|---:|---:|---:|---:|---:|")
for n in points:
    res = data[n]
    base = res["plots"]
    for tool in ("plots", "gnuplot", "matplotlib"):
        if tool not in res:
            continue
        r = res[tool]
        print("| {:,} | {} | {:,.0f} | {:.2f} | {:,.0f} | {:.2f} | {:.1f} |".format(
            int(n), tool, med(r), med(r) / med(base), cpu(r), cpu(r) / cpu(base), peak(r)))
print()
print("Equal settings, line width 1: gnuplot draws one picture, plots two (per picture = half).")
print("Target: plots per picture at most 0.25 of gnuplot, peak memory under 48 MiB.")
print()
print("| points | gnuplot draws | gnuplot wall ms | plots wall ms (2 pictures) | per picture / gnuplot | gnuplot cpu ms | plots cpu ms | per picture / gnuplot | peak MiB gnuplot / plots |")
print("|---:|---|---:|---:|---:|---:|---:|---:|---:|")
for n in points:
    res = data[n]
    p = res["plots"]
    for kind, label in (("noisy", "noisy curve"), ("smooth", "two smooth curves")):
        if "gnuplot-lw1-" + kind not in res:
            continue
        g = res["gnuplot-lw1-" + kind]
        print("| {:,} | {} | {:,.0f} | {:,.0f} | {:.2f} | {:,.0f} | {:,.0f} | {:.2f} | {:.1f} / {:.1f} |".format(
            int(n), label, med(g), med(p), med(p) / 2 / med(g), cpu(g), cpu(p), cpu(p) / 2 / cpu(g),
            peak(g), peak(p)))
PY
