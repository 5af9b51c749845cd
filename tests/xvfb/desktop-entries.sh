#!/usr/bin/env bash
# Installs the desktop entries of a small installation into a private home and checks what a
# desktop would see: both entries valid, their programs quoted, the icons, and .plt files
# typed as plot data and opened by the plot viewer.
#   desktop-entries.sh SOURCE_DIR PLOTS LAUNCHER
set -euo pipefail
src=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
prefix="$work/tk tools"   # a blank in the path must survive the Exec line
mkdir -p "$HOME" "$prefix/Pitchwell"
cp "$2" "$prefix/plots"
cp "$3" "$prefix/Pitchwell/Pitchwell-video"

fail() { echo "FAILED: $*"; exit 1; }
"$src/dist/install-desktop.sh" "$prefix" >/dev/null

apps=$XDG_DATA_HOME/applications
for entry in Pitchwell-video plots; do
  [ -f "$apps/$entry.desktop" ] || fail "no $entry.desktop"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate --no-hints "$apps/$entry.desktop" || fail "$entry.desktop does not validate"
  fi
done
grep -qx "Exec=\"$prefix/Pitchwell/Pitchwell-video\"" "$apps/Pitchwell-video.desktop" || fail "launcher Exec line"
grep -qx "Exec=\"$prefix/plots\" %f" "$apps/plots.desktop" || fail "viewer Exec line"
grep -qx "MimeType=application/x-quazelle-plot;" "$apps/plots.desktop" || fail "viewer mime type"
for icon in pitchwell-video quazelle-plots; do
  [ -f "$XDG_DATA_HOME/icons/hicolor/64x64/apps/$icon.png" ] || fail "icon $icon"
done
grep -qx "application/x-quazelle-plot=plots.desktop;" "$XDG_CONFIG_HOME/mimeapps.list" || fail "default for plot data"

if command -v update-mime-database >/dev/null; then
  grep -q "application/x-quazelle-plot:\*.plt" "$XDG_DATA_HOME/mime/globs2" || fail ".plt not in the mime cache"
fi
if command -v xdg-mime >/dev/null; then
  touch "$work/run.plt"
  type=$(xdg-mime query filetype "$work/run.plt" 2>/dev/null || true)
  [ "$type" = application/x-quazelle-plot ] || fail "xdg-mime types run.plt as '$type'"
fi

# A second install keeps a default the user chose for plot data.
sed -i 's/^application\/x-quazelle-plot=.*/application\/x-quazelle-plot=other.desktop;/' "$XDG_CONFIG_HOME/mimeapps.list"
"$src/dist/install-desktop.sh" "$prefix" >/dev/null
grep -qx "application/x-quazelle-plot=other.desktop;" "$XDG_CONFIG_HOME/mimeapps.list" || fail "user's default replaced"
[ "$(grep -c '^application/x-quazelle-plot=' "$XDG_CONFIG_HOME/mimeapps.list")" = 1 ] || fail "default written twice"
echo "Desktop entries, icons and the plot data type are in place."
