#!/usr/bin/env bash
# Exports a pole-zero run (five pictures and the summary) onto a private tmpfs of each of a
# sweep of sizes, as PNG and as PDF. At every size the export either ends with exit 0 and every
# file whole, or with a message, exit 1 and no file that is not whole under a final name; no
# temporary file is left behind.
#   export-on-a-full-disk.sh PLOTS SAMPLES_DIR
set -uo pipefail
plots=$1
samples=$2
if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
  echo "SKIPPED: a private tmpfs needs root (unshare -m, mount -t tmpfs)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run=$samples/pulseqz.plt

# The reference: the same export with room to spare.
"$plots" --export "$work/ref-png" "$run" >/dev/null 2>&1 || { echo "FAILED: reference export"; exit 1; }
"$plots" --export "$work/ref-pdf" --format pdf "$run" >/dev/null 2>&1 || { echo "FAILED: reference export"; exit 1; }

# Is this file whole? A PNG ends with its IEND chunk, a PDF with %%EOF after its cross-reference
# table, the summary has the reference's lines.
whole() {
  local file=$1 ref=$2
  case $file in
  *.png) [ "$(tail -c 8 "$file" | od -An -tx1 | tr -d ' \n')" = "49454e44ae426082" ] ;;
  *.pdf) tail -c 32 "$file" | grep -q '%%EOF' && grep -q 'startxref' "$file" ;;
  *.txt) [ "$(wc -l <"$file")" = "$(wc -l <"$ref")" ] && [ "$(tail -n 1 "$file")" = "$(tail -n 1 "$ref")" ] ;;
  esac
}

failures=0
checked=0
for format in png pdf; do
  for size in 4 12 24 60 100 150 200 260 320 380 1024; do
    result=$(unshare -m bash -s "$plots" "$run" "$format" "$size" "$work" <<'INNER'
plots=$1; run=$2; format=$3; size=$4; work=$5
mount --make-rprivate / && mkdir -p "$work/disk" && mount -t tmpfs -o "size=${size}k" tmpfs "$work/disk" || exit 99
"$plots" --export "$work/disk/out" --format "$format" "$run" >"$work/stdout" 2>"$work/stderr"
echo "rc=$?"
ls -A "$work/disk/out" 2>/dev/null | sed 's/^/file=/'
mkdir -p "$work/kept-$format-$size"
cp -a "$work/disk/out/." "$work/kept-$format-$size/" 2>/dev/null
echo "err=$(head -c 300 "$work/stderr" | tr '\n' ' ')"
INNER
    )
    rc=$(sed -n 's/^rc=//p' <<<"$result")
    err=$(sed -n 's/^err=//p' <<<"$result")
    kept=$work/kept-$format-$size
    checked=$((checked + 1))
    bad=""
    for f in $(sed -n 's/^file=//p' <<<"$result"); do
      case $f in
      .*) bad="$bad temporary:$f" ;;
      *) whole "$kept/$f" "$work/ref-$format/$f" || bad="$bad torn:$f" ;;
      esac
    done
    if [ "$rc" = 0 ]; then
      [ "$(ls "$kept" | wc -l)" = "$(ls "$work/ref-$format" | wc -l)" ] || bad="$bad missing-files-after-exit-0"
    elif [ "$rc" = 1 ]; then
      [ -n "$err" ] || bad="$bad exit-1-without-a-message"
    else
      bad="$bad exit-$rc"
    fi
    echo "$format ${size}k: exit $rc, $(ls "$kept" | wc -l) files${bad:+, FAULTS:$bad}${err:+ ($err)}"
    [ -z "$bad" ] || failures=$((failures + 1))
  done
done
echo "$checked exports onto a full disk, $failures with faults"
[ "$failures" = 0 ]
