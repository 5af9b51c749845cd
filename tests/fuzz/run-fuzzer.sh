#!/usr/bin/env bash
# Builds the plot data reader's fuzz entry with clang, libFuzzer and AddressSanitizer (plus
# UndefinedBehaviorSanitizer) and fuzzes it for SECONDS (default 60), starting from the seed
# corpus. New interesting inputs go to a work corpus under the build directory; crashing
# inputs are written there as crash-*.
#
#   tests/fuzz/run-fuzzer.sh [SECONDS] [extra libFuzzer options...]
#   tests/fuzz/run-fuzzer.sh --build-only    (what the build does, so the target cannot rot)
#
# Environment: FUZZ_BUILD_DIR (default build-fuzz at the top of the tree), CXX (default clang++),
# FUZZ_JOBS (parallel fuzzing processes, default 1).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
top=$(cd "$here/../.." && pwd)
seconds=${1:-60}
shift || true
out=${FUZZ_BUILD_DIR:-$top/build-fuzz}
cxx=${CXX:-clang++}
jobs=${FUZZ_JOBS:-1}
mkdir -p "$out/corpus" "$out/artifacts"

# The sources of the fuzz target, one path a line from the top of the tree (the build's
# fuzz_reader_libfuzzer target reads the same list).
mapfile -t sources < <(sed "s|^|$top/|" "$here/sources.txt")
binary="$out/fuzz_reader"
if [[ ! -x "$binary" ]] || [[ -n "$(find "${sources[@]}" "$here/sources.txt" "$top/plots/data" "$top/common" -newer "$binary" -print -quit)" ]]; then
  echo "building $binary"
  # shellcheck disable=SC2046
  "$cxx" -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$top" $(pkg-config --cflags Qt6Core) -DTK_VERSION='"fuzz"' \
    "${sources[@]}" -o "$binary" $(pkg-config --libs Qt6Core)
fi

if [[ "$seconds" == --build-only ]]; then
  exit 0
fi

echo "fuzzing for $seconds s with $jobs job(s)"
cd "$out/artifacts"
# Each input goes through a file; a memory-backed directory keeps that cheap.
if [[ -z "${TMPDIR:-}" && -w /dev/shm ]]; then
  export TMPDIR=/dev/shm
fi
args=(-max_total_time="$seconds" -max_len=65536 -rss_limit_mb=1024 -timeout=10 -print_final_stats=1
      -dict="$here/plot.dict")
if [[ "$jobs" -gt 1 ]]; then
  args+=(-fork="$jobs")
fi
exec "$binary" "${args[@]}" "$@" "$out/corpus" "$here/corpus"
