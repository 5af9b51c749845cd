#!/usr/bin/env bash
# The main job: installs what is missing, builds, and opens the plot viewer on the bundled
# sample run.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh"
build=${BUILD_DIR:-$top/build}
exec "$build/plots/plots" "$top/samples/lorentz2.plt"
