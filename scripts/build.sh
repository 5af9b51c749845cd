#!/usr/bin/env bash
# Configures (once) and builds into BUILD_DIR (default: build), reusing an existing build directory.
# With target names it builds only those (and what they need); without, everything.
#   scripts/build.sh [TARGET...]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$top/build}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
targets=()
[ $# -eq 0 ] || targets=(--target "$@")
cmake --build "$build" -j "${JOBS:-2}" "${targets[@]}"
