#!/usr/bin/env bash
# Builds the Debian package of both programs and prints its path on its last line. It builds
# the two programs and the package's documents into the build directory (as scripts/build.sh
# does; --no-build packages what the build directory holds), packs them with CPack's DEB
# generator (dependencies from dpkg-shlibdeps) and checks the package with lintian, which must
# report no errors.
#   scripts/package.sh [--no-build] [OUTPUT_DIR]     (default OUTPUT_DIR: BUILD_DIR/package)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$top/build}
build_first=yes
if [ "${1:-}" = --no-build ]; then
  build_first=no
  shift
fi
if [ $# -gt 1 ] || [[ ${1:-} == -* ]]; then
  echo "usage: $0 [--no-build] [OUTPUT_DIR]" >&2
  exit 2
fi
[ $build_first = no ] || "$top/scripts/build.sh" plots Pitchwell-video package-documents
out=$(mkdir -p "${1:-$build/package}" && cd "${1:-$build/package}" && pwd)
if [ ! -f "$build/CPackConfig.cmake" ]; then
  echo "$0: $build is not a configured build directory; run scripts/build.sh first." >&2
  exit 1
fi

log=$(cd "$build" && cpack --config CPackConfig.cmake -B "$out" 2>&1) || { echo "$log" >&2; exit 1; }
deb=$(printf '%s\n' "$log" | sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' | tail -n 1)
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
  echo "$log" >&2
  echo "$0: CPack made no package." >&2
  exit 1
fi
rm -rf "$out/_CPack_Packages"

# lintian warns that it runs as root; its findings are what counts.
if ! lintian --fail-on error "$deb" 2> >(grep -v 'running with root privileges' >&2); then
  echo "$0: lintian finds errors in $deb" >&2
  exit 1
fi
echo "$deb"
