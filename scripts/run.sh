#!/usr/bin/env bash
# The main job: installs what is missing, builds the two programs (the tests are built by
# scripts/test.sh), installs them into $TK_TOOLS_ROOT (default ~/tk-tools) with their desktop
# entries, keeping examples the user edited, and starts the launcher there. Without a display
# it renders the demo's plots headlessly instead and says where the images are.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh" plots Pitchwell-video
build=${BUILD_DIR:-$top/build}
root=${TK_TOOLS_ROOT:-$HOME/tk-tools}

"$top/scripts/install.sh" "$build" "$root"
"$top/dist/install-desktop.sh" "$root"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  cd "$root/Pitchwell"
  exec "$root/Pitchwell/Pitchwell-video"
fi

echo "No display available (DISPLAY and WAYLAND_DISPLAY are empty): not starting the launcher."
echo "Rendering the demo's plots headlessly instead."
answers=$(find "$root/Pitchwell/demos/all" -maxdepth 1 -type d -iname answers | head -n 1)
if [ -z "$answers" ]; then
  echo "No demo answers are installed under $root/Pitchwell/demos/all." >&2
  exit 1
fi
out=${PLOTS_EXPORT_DIR:-$root/Pitchwell/User/demo-plots}
mkdir -p "$out"
count=0
failed=0
while IFS= read -r -d '' plot; do
  name=$(basename "$plot")
  name=${name%.*}
  if "$root/plots" --export "$out/$name" "$plot" >/dev/null; then
    count=$((count + 1))
  else
    echo "  could not render $plot" >&2
    failed=$((failed + 1))
  fi
done < <(find "$answers" -maxdepth 1 -type f -iname '*.plt' -print0 | sort -z)
echo "Rendered $count plot files ($failed failed); the images are in $out"
