#!/usr/bin/env bash
# Installs a build into an installation directory: both programs as CMake installs them, and the
# examples in a way that keeps the user's edits ("Edit Demo" opens them in a writable editor).
# An example is written when it is missing, or when it is still exactly what the last
# installation wrote (a manifest of checksums beside the examples remembers that); one the user
# changed is left as it is and named.
#   scripts/install.sh BUILD_DIR PREFIX
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_DIR PREFIX" >&2
  exit 2
fi
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$1
root=$2

# Everything but the examples.
cmake --install "$build" --prefix "$root" --component Unspecified >/dev/null

source=$top/Pitchwell/demos/all
dest=$root/Pitchwell/demos/all
manifest=$root/Pitchwell/demos/.installed-examples.sha256
mkdir -p "$dest"

# Checksums as "HASH  NAME" records ended by a zero byte, so that any file name survives.
declare -A installed=() shipped=() current=()
read_sums() {  # array name, directory, then names relative to it (none: every file)
  local -n sums=$1
  local dir=$2 record
  shift 2
  while IFS= read -r -d '' record; do
    sums[${record:66}]=${record:0:64}
  done < <(cd "$dir" && if [ $# -gt 0 ]; then sha256sum --zero -- "$@"; else find . -type f -print0 | sort -z | xargs -0 -r sha256sum --zero --; fi)
}
if [ -f "$manifest" ]; then
  while IFS= read -r -d '' record; do installed[${record:66}]=${record:0:64}; done < "$manifest"
fi
read_sums shipped "$source"
present=()
for name in "${!shipped[@]}"; do
  [ -f "$dest/$name" ] && present+=("$name")
done
[ ${#present[@]} -eq 0 ] || read_sums current "$dest" "${present[@]}"

kept=()
written=0
new_manifest=$(mktemp "$root/Pitchwell/demos/.installed-examples.XXXXXX")
trap 'rm -f "$new_manifest"' EXIT
while IFS= read -r -d '' name; do
  now=${current[$name]:-}
  if [ -n "$now" ] && [ "$now" != "${shipped[$name]}" ] && [ "$now" != "${installed[$name]:-}" ]; then
    # Changed since the last installation (or never installed by it): the user's.
    kept+=("${name#./}")
    [ -z "${installed[$name]:-}" ] || printf '%s  %s\0' "${installed[$name]}" "$name" >> "$new_manifest"
    continue
  fi
  if [ "$now" != "${shipped[$name]}" ]; then
    mkdir -p "$(dirname "$dest/$name")"
    # A whole file takes the name, never a half-written one.
    cp "$source/$name" "$dest/$name.new"
    chmod 644 "$dest/$name.new"
    mv -f "$dest/$name.new" "$dest/$name"
    written=$((written + 1))
  fi
  printf '%s  %s\0' "${shipped[$name]}" "$name" >> "$new_manifest"
done < <(printf '%s\0' "${!shipped[@]}" | sort -z)
mv -f "$new_manifest" "$manifest"
trap - EXIT

echo "Installed into $root ($written example files written)"
if [ ${#kept[@]} -gt 0 ]; then
  echo "Kept ${#kept[@]} example files you changed (delete one to get the installed version back):"
  printf '  %s\n' "${kept[@]}"
fi
