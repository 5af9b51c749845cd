#!/bin/sh
# Times `plots --export` against gnuplot and matplotlib at equal settings, as whole processes
# measured side by side (bench/timeit.py runs every command once per round, in turn): the same
# points, the same size (1024 x 768), curves 2 pixels wide, and every tool draws the same
# pictures in one process. Two runs: the Tunewave sample (a real run of a few hundred points,
# five pictures: the poles and zeroes, the error curve, the curve versus data, two curve
# blocks), and a fitting run of the most points a plot data file holds (two pictures: the first
# line plot's error curve, and the curve versus data with its two curves). plots also writes
# the run summary. gnuplot's `png` terminal
# draws aliased lines, as plots does: that is the comparison that counts. gnuplot's `pngcairo`
# and matplotlib (Agg) draw anti-aliased and are there for reference.
#
# Reported: median wall-clock time, mean processor time (user + system; steadier when the
# machine is busy), their ratios to gnuplot `png`, and the peak resident memory.
#
# usage: bench/run.sh [BUILD_DIR]   (default: build-bench, configured and built when missing)
#        RUNS (default 15) rounds after two warm-up rounds; POINTS (default "tunewave 32767":
#        the Tunewave sample, and generated fitting runs of those numbers of points); TOOLS, a
#        subset of "gnuplot-png gnuplot-pngcairo matplotlib" (default all; plots is always
#        timed; matplotlib draws only the fitting runs); BEFORE, another build's plots program,
#        timed beside it as "plots-before" (a change measured side by side).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build-bench}
runs=${RUNS:-15}
points=${POINTS:-tunewave 32767}
tools=${TOOLS:-gnuplot-png gnuplot-pngcairo matplotlib}
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
    if [ "$n" = tunewave ]; then
        plt="$root/samples/tunewave.plt"
        /usr/bin/python3 "$here/gen_tunewave.py" "$plt" "$work/data"
        gp() { echo "gnuplot -e \"dir='$work/data'; out='$work/gnuplot'; w=$size_w; h=$size_h; $1\" $here/plot_tunewave.gp"; }
    else
        /usr/bin/python3 "$here/gen_data.py" "$n" "$work/data"
        plt="$work/data/fit$n.plt"
        txt="$work/data/fit$n.txt"
        gp() { echo "gnuplot -e \"datafile='$txt'; out='$work/gnuplot'; w=$size_w; h=$size_h; $1\" $here/plot_gnuplot.gp"; }
    fi
    set -- plots "$plots --export $work/out-plots --size ${size_w}x${size_h} $plt"
    [ -z "${BEFORE:-}" ] || set -- "$@" plots-before "$BEFORE --export $work/out-before --size ${size_w}x${size_h} $plt"
    for tool in $tools; do
        case $tool in
        plots) continue ;;
        gnuplot-png) set -- "$@" "$tool" "$(gp "term='png'")" ;;
        gnuplot-pngcairo) set -- "$@" "$tool" "$(gp "term='pngcairo'")" ;;
        matplotlib)
            [ "$n" = tunewave ] && continue
            set -- "$@" "$tool" "/usr/bin/python3 $here/plot_matplotlib.py $txt $work/mpl $size_w $size_h" ;;
        *) echo "unknown tool '$tool'" >&2; exit 2 ;;
        esac
    done
    /usr/bin/python3 "$here/timeit.py" "$runs" 2 "$work/t$n.json" "$@"
done
echo "load average after the rounds: $(cut -d' ' -f1-3 /proc/loadavg)"
echo

/usr/bin/python3 - "$work" "$runs" "$size_w" "$size_h" $points <<'PY'
import json, statistics, sys
work, runs, W, H, points = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), sys.argv[5:]
data = {n: json.load(open("%s/t%s.json" % (work, n))) for n in points}
med = lambda r: statistics.median(r["wall"]) * 1000
cpu = lambda r: statistics.mean(r["cpu"]) * 1000
peak = lambda r: max(r["peak_mib"])

print("Equal settings: %d x %d, curves 2 px wide, the same pictures per process. %d rounds." % (W, H, runs))
print()
print("| points | tool | median wall ms | / gnuplot png | cpu ms | / gnuplot png | peak MiB |")
print("|---:|---|---:|---:|---:|---:|---:|")
for n in points:
    res = data[n]
    base = res.get("gnuplot-png", res["plots"])
    for tool in ("plots", "plots-before", "gnuplot-png", "gnuplot-pngcairo", "matplotlib"):
        if tool not in res:
            continue
        r = res[tool]
        print("| {} | {} | {:,.0f} | {:.2f} | {:,.0f} | {:.2f} | {:.1f} |".format(
            n if n == "tunewave" else "{:,}".format(int(n)), tool, med(r), med(r) / med(base), cpu(r), cpu(r) / cpu(base), peak(r)))
PY
