#!/usr/bin/env bash
# The test command: installs what is missing, builds, runs every test and ends with CTest's summary.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh"
build=${BUILD_DIR:-$top/build}
cd "$build"
ctest --output-on-failure -j "${JOBS:-2}" --timeout 900
