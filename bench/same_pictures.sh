#!/bin/sh
# Checks that two builds of `plots` export the same pictures: every sample run under samples/,
# the launcher's example answers, the reader's fuzzing corpus and the benchmark's data sets are
# exported by both, and each pair of pictures must decode to
# the same pixels (the PNG bytes may differ). Exit codes, messages on standard error, the list
# of files written and the run summaries (clock times masked) must match as well.
#
# usage: bench/same_pictures.sh OLD_PLOTS NEW_PLOTS [WxH ...]   (default size 1024x768)
# With EXTREMES=1 the largest legal file of each kind (gen_extremes.py) is compared as well.
#
# Plot titles carry the time to the minute, so each run is exported by the old build before
# and after the new one; when those two differ the minute turned over, and the run is repeated.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
old=$1
new=$2
shift 2
sizes=${*:-1024x768}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

/usr/bin/python3 "$here/gen_data.py" 1000 "$work/data"
/usr/bin/python3 "$here/gen_data.py" 32767 "$work/data"
[ "${EXTREMES:-0}" = 1 ] && /usr/bin/python3 "$here/gen_extremes.py" "$work/data"

# export BUILD SIZE FILE DIR: the pictures and summary in DIR, exit code and messages beside.
export_run() {
    rc=0
    "$1" --export "$4" --size "$2" "$3" 2>"$4.err" || rc=$?
    echo "$rc" >"$4.rc"
}

# same A B: true when both exports wrote the same files, pixels, messages and summaries.
same() {
    cmp -s "$1.rc" "$2.rc" && cmp -s "$1.err" "$2.err" || return 1
    [ "$(ls "$1" 2>/dev/null)" = "$(ls "$2" 2>/dev/null)" ] || return 1
    for f in $(ls "$1" 2>/dev/null); do
        case $f in
        *.txt)
            sed -E 's/[0-9]{1,2}:[0-9]{2}:[0-9]{2}//' "$1/$f" >"$work/a.txt"
            sed -E 's/[0-9]{1,2}:[0-9]{2}:[0-9]{2}//' "$2/$f" >"$work/b.txt"
            cmp -s "$work/a.txt" "$work/b.txt" || return 1
            ;;
        *)
            compare -metric AE "$1/$f" "$2/$f" null: 2>"$work/ae" || return 1
            [ "$(cat "$work/ae")" = 0 ] || return 1
            ;;
        esac
    done
}

pictures=0
failed=0
for size in $sizes; do
    for file in "$root"/samples/*.plt "$root"/samples/*.2lt "$root"/Pitchwell/demos/all/answers/*.plt \
        "$root"/tests/fuzz/corpus/* "$work"/data/*.plt; do
        name=$(basename "$file")
        verdict=""
        for attempt in 1 2 3; do
            d="$work/$size-$name-$attempt"
            rm -rf "$d.old1" "$d.new" "$d.old2"
            export_run "$old" "$size" "$file" "$d.old1"
            export_run "$new" "$size" "$file" "$d.new"
            export_run "$old" "$size" "$file" "$d.old2"
            same "$d.old1" "$d.old2" || continue  # the minute turned over: again
            if same "$d.old1" "$d.new"; then verdict=same; else verdict=DIFFERENT; fi
            break
        done
        n=$(ls "$d.new" 2>/dev/null | grep -vc '\.txt$' || true)
        pictures=$((pictures + n))
        printf '%-10s %-16s %3d pictures  %s\n' "$size" "$name" "$n" "${verdict:-UNSTABLE}"
        [ "$verdict" = same ] || failed=$((failed + 1))
    done
done
echo "$pictures pictures compared, $failed runs differ"
[ "$failed" = 0 ]
