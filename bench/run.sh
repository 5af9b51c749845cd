#!/bin/sh
# Times `plots --export` (the run's whole plot sequence: for the fitting run used here the first
# line plot and the curve versus data) against gnuplot (pngcairo) and matplotlib (Agg) drawing
# the first line plot's curve at the same image size, as whole processes, and reports the median
# wall-clock times, the mean processor times (user + system; steadier on a busy machine), their
# ratios to plots, and the peak memory of each.
#
# usage: bench/run.sh [BUILD_DIR]   (default: build-bench, configured and built when missing)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build-bench}
runs=${RUNS:-15}
size_w=1024
size_h=768
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

need=""
command -v gnuplot >/dev/null 2>&1 || need="$need gnuplot-nox"
/usr/bin/python3 -c "import matplotlib" >/dev/null 2>&1 || need="$need python3-matplotlib"
command -v hyperfine >/dev/null 2>&1 || need="$need hyperfine"
[ -x /usr/bin/time ] || need="$need time"
if [ -n "$need" ]; then
    echo "installing:$need"
    DEBIAN_FRONTEND=noninteractive apt-get install -y $need >/dev/null
fi

if [ ! -x "$build/plots/plots" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    ninja -C "$build" plots >/dev/null
fi
plots="$build/plots/plots"
export QT_QPA_PLATFORM=offscreen

printf '%-8s %-12s %12s %10s %12s %10s %6s %10s\n' points tool "median ms" "x plots" "cpu ms" "x plots" runs "peak MiB"
for n in 1000 32767; do
    /usr/bin/python3 "$here/gen_data.py" "$n" "$work/data"
    plt="$work/data/fit$n.plt"
    txt="$work/data/fit$n.txt"
    c_plots="$plots --export $work/out-plots --size ${size_w}x${size_h} $plt"
    c_gnuplot="gnuplot -e \"datafile='$txt'; outfile='$work/gnuplot.png'; w=$size_w; h=$size_h\" $here/plot_gnuplot.gp"
    c_mpl="/usr/bin/python3 $here/plot_matplotlib.py $txt $work/mpl.png $size_w $size_h"
    hyperfine -N --style none --warmup 2 --runs "$runs" --export-json "$work/t$n.json" \
        -n plots "$c_plots" -n gnuplot "$c_gnuplot" -n matplotlib "$c_mpl" >/dev/null 2>&1 ||
        hyperfine --style none --warmup 2 --runs "$runs" --export-json "$work/t$n.json" \
            -n plots "$c_plots" -n gnuplot "$c_gnuplot" -n matplotlib "$c_mpl" >/dev/null
    for tool in plots gnuplot matplotlib; do
        case $tool in
        plots) cmd=$c_plots ;;
        gnuplot) cmd=$c_gnuplot ;;
        matplotlib) cmd=$c_mpl ;;
        esac
        peak=$(sh -c "/usr/bin/time -f %M $cmd" 2>&1 >/dev/null | tail -1)
        echo "$tool $peak" >>"$work/peak$n"
    done
    /usr/bin/python3 - "$work/t$n.json" "$work/peak$n" "$n" <<'PY'
import json, sys
res = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
peak = dict(l.split() for l in open(sys.argv[2]))
cpu = {t: r["user"] + r["system"] for t, r in res.items()}
for tool in ("plots", "gnuplot", "matplotlib"):
    r = res[tool]
    print("%-8s %-12s %12.1f %10.2f %12.1f %10.2f %6d %10.1f" % (
        sys.argv[3], tool, r["median"] * 1000, r["median"] / res["plots"]["median"],
        cpu[tool] * 1000, cpu[tool] / cpu["plots"], len(r["times"]), int(peak[tool]) / 1024))
PY
done
