#!/usr/bin/env bash
# Installs the desktop entries of a small installation into a private home and checks what a
# desktop would see: both entries valid, their programs named by a word every opener can run
# (through a link in ~/.local/bin when the installation's path has a blank), the icons, and .plt files
# typed as plot data and opened by the plot viewer; and installation directories whose names a
# desktop entry cannot hold, refused with a message.
#   desktop-entries.sh SOURCE_DIR PLOTS LAUNCHER
set -euo pipefail
src=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
prefix="$work/tk tools"   # a blank in the path: the entries start the programs through links
mkdir -p "$HOME" "$prefix/Pitchwell"
cp "$2" "$prefix/plots"
cp "$3" "$prefix/Pitchwell/Pitchwell-video"

fail() { echo "FAILED: $*"; exit 1; }
# What a desktop uses to read the entries and to type files; scripts/packages.txt installs them.
for tool in desktop-file-validate update-mime-database xdg-mime mimetype iconv; do
  command -v $tool >/dev/null || fail "$tool is not installed (see scripts/packages.txt)"
done
"$src/dist/install-desktop.sh" "$prefix" >/dev/null

apps=$XDG_DATA_HOME/applications
for entry in Pitchwell-video plots; do
  [ -f "$apps/$entry.desktop" ] || fail "no $entry.desktop"
  desktop-file-validate --no-hints "$apps/$entry.desktop" || fail "$entry.desktop does not validate"
done
links=$HOME/.local/bin
grep -qx "Exec=$links/tk-tools-Pitchwell-video" "$apps/Pitchwell-video.desktop" || fail "launcher Exec line"
grep -qx "Exec=$links/tk-tools-plots %f" "$apps/plots.desktop" || fail "viewer Exec line"
[ "$(readlink "$links/tk-tools-plots")" = "$prefix/plots" ] || fail "viewer link"
[ "$(readlink "$links/tk-tools-Pitchwell-video")" = "$prefix/Pitchwell/Pitchwell-video" ] || fail "launcher link"
grep -qx "MimeType=application/x-quazelle-plot;" "$apps/plots.desktop" || fail "viewer mime type"
for icon in pitchwell-video quazelle-plots; do
  [ -f "$XDG_DATA_HOME/icons/hicolor/64x64/apps/$icon.png" ] || fail "icon $icon"
done
grep -qx "application/x-quazelle-plot=plots.desktop;" "$XDG_CONFIG_HOME/mimeapps.list" || fail "default for plot data"

grep -q "application/x-quazelle-plot:\*.plt" "$XDG_DATA_HOME/mime/globs2" || fail ".plt not in the mime cache"
touch "$work/run.plt"
type=$(xdg-mime query filetype "$work/run.plt" 2>/dev/null || true)
[ "$type" = application/x-quazelle-plot ] || fail "xdg-mime types run.plt as '$type'"

# A second install keeps a default the user chose for plot data.
sed -i 's/^application\/x-quazelle-plot=.*/application\/x-quazelle-plot=other.desktop;/' "$XDG_CONFIG_HOME/mimeapps.list"
"$src/dist/install-desktop.sh" "$prefix" >/dev/null
grep -qx "application/x-quazelle-plot=other.desktop;" "$XDG_CONFIG_HOME/mimeapps.list" || fail "user's default replaced"
[ "$(grep -c '^application/x-quazelle-plot=' "$XDG_CONFIG_HOME/mimeapps.list")" = 1 ] || fail "default written twice"
# Installation directories whose names no desktop entry can hold are refused with a message,
# and the entries in place stay as they were; other awkward names are escaped and validate.
before=$(cat "$apps/Pitchwell-video.desktop" "$apps/plots.desktop")
odd_install() {  # directory name below $work
  local dir="$work/$1"
  mkdir -p "$dir/Pitchwell"
  cp "$2" "$dir/plots"
  cp "$3" "$dir/Pitchwell/Pitchwell-video"
  "$src/dist/install-desktop.sh" "$dir" 2>"$work/message" >/dev/null
}
for name in $'line\nbreak' $'ends in a line break\n' $'tab\there' $'latin\xe9'; do
  shown=$(printf '%q' "$name")
  if odd_install "$name" "$2" "$3"; then fail "$shown was installed"; fi
  grep -q "install into a directory" "$work/message" || fail "no clear message for $shown: $(cat "$work/message")"
  [ "$(cat "$apps/Pitchwell-video.desktop" "$apps/plots.desktop")" = "$before" ] || fail "$shown replaced the entries"
  [ -z "$(ls -A "$apps" | grep '^\.')" ] || fail "$shown left files behind"
done
for name in 'q"u$o`t%e\s;[b]=x' "naïve 'tools'"; do
  odd_install "$name" "$2" "$3" || fail "$name was refused: $(cat "$work/message")"
  for entry in Pitchwell-video plots; do
    desktop-file-validate --no-hints "$apps/$entry.desktop" || fail "$entry.desktop for $name does not validate"
  done
done

# An installation path without a blank is the Exec line's word itself; the links go.
odd_install plain "$2" "$3" || fail "plain was refused: $(cat "$work/message")"
grep -qx "Exec=$work/plain/plots %f" "$apps/plots.desktop" || fail "viewer Exec line of a plain path"
[ ! -e "$links/tk-tools-plots" ] && [ ! -L "$links/tk-tools-plots" ] || fail "the link of the earlier installation stayed"
# A file of the user's own under a link's name is never replaced.
echo "mine" > "$links/tk-tools-plots"
if odd_install "with blank" "$2" "$3"; then fail "the user's file under the link's name was replaced"; fi
grep -q "is not a link this installer made" "$work/message" || fail "no message for the user's file: $(cat "$work/message")"
[ "$(cat "$links/tk-tools-plots")" = mine ] || fail "the user's file was changed"
rm "$links/tk-tools-plots"

# Entries that do not validate replace nothing.
"$src/dist/install-desktop.sh" "$prefix" >/dev/null
before=$(cat "$apps/Pitchwell-video.desktop" "$apps/plots.desktop")
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "invalid entry" >&2\nexit 1\n' > "$work/bin/desktop-file-validate"
chmod +x "$work/bin/desktop-file-validate"
if PATH="$work/bin:$PATH" odd_install "other" "$2" "$3"; then fail "entries that do not validate were installed"; fi
grep -q "do not validate; nothing was installed" "$work/message" || fail "no message for invalid entries"
[ "$(cat "$apps/Pitchwell-video.desktop" "$apps/plots.desktop")" = "$before" ] || fail "invalid entries replaced the old ones"
[ -z "$(ls -A "$apps" | grep '^\.')" ] || fail "invalid entries left files behind"
echo "Desktop entries, icons and the plot data type are in place."
