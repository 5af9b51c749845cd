#!/usr/bin/env bash
# Adds both programs of an installation to the user's desktop: menu entries, icons, and the
# plot data type (.plt, .2lt) opened by the plot viewer. Per user, under $XDG_DATA_HOME and
# $XDG_CONFIG_HOME; nothing outside the user's home is touched.
#   dist/install-desktop.sh PREFIX      (PREFIX holds plots and Pitchwell/Pitchwell-video)
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: $0 PREFIX" >&2
  exit 2
fi
prefix=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
config=${XDG_CONFIG_HOME:-$HOME/.config}
for program in "$prefix/plots" "$prefix/Pitchwell/Pitchwell-video"; do
  if [ ! -x "$program" ]; then
    echo "$0: $program is missing; install first (cmake --install BUILD --prefix PREFIX)" >&2
    exit 1
  fi
done

# A path as one argument of a desktop entry's Exec line: quoted, with the reserved characters
# escaped as the desktop entry format asks.
exec_arg() {
  local s=$1
  s=${s//\\/\\\\\\\\}
  s=${s//\"/\\\\\"}
  s=${s//\`/\\\\\`}
  s=${s//\$/\\\\\$}
  s=${s//%/%%}
  printf '"%s"' "$s"
}

# A value of a desktop entry string key: backslashes escaped.
plain_value() {
  local s=$1
  printf '%s' "${s//\\/\\\\}"
}

write_entry() {  # template, target, program, working directory
  local exec dir content
  exec=$(exec_arg "$3")
  dir=$(plain_value "$4")
  content=$(<"$1")
  content=${content//@EXEC@/"$exec"}
  content=${content//@DIR@/"$dir"}
  mkdir -p "$(dirname "$2")"
  printf '%s\n' "$content" > "$2.tmp"
  mv "$2.tmp" "$2"
}

apps="$data/applications"
write_entry "$here/Pitchwell-video.desktop.in" "$apps/Pitchwell-video.desktop" \
  "$prefix/Pitchwell/Pitchwell-video" "$prefix/Pitchwell"
write_entry "$here/plots.desktop.in" "$apps/plots.desktop" "$prefix/plots" "$prefix"

for size in 64 128; do
  icons="$data/icons/hicolor/${size}x${size}/apps"
  mkdir -p "$icons"
  cp "$here/icons/pitchwell-video-$size.png" "$icons/pitchwell-video.png"
  cp "$here/icons/quazelle-plots-$size.png" "$icons/quazelle-plots.png"
done

mkdir -p "$data/mime/packages"
cp "$here/quazelle-plot.xml" "$data/mime/packages/quazelle-plot.xml"
if command -v update-mime-database >/dev/null; then
  update-mime-database "$data/mime"
fi
if command -v update-desktop-database >/dev/null; then
  update-desktop-database "$apps" 2>/dev/null || true
fi
if command -v gtk-update-icon-cache >/dev/null; then
  gtk-update-icon-cache -q -t "$data/icons/hicolor" 2>/dev/null || true
fi

# The plot viewer as the default for plot data, unless the user has chosen another.
list="$config/mimeapps.list"
mkdir -p "$config"
touch "$list"
if ! grep -q '^application/x-quazelle-plot=' "$list"; then
  if grep -q '^\[Default Applications\]' "$list"; then
    awk '{ print } /^\[Default Applications\]$/ { print "application/x-quazelle-plot=plots.desktop;" }' \
      "$list" > "$list.tmp" && mv "$list.tmp" "$list"
  else
    { [ -s "$list" ] && echo; echo "[Default Applications]"; echo "application/x-quazelle-plot=plots.desktop;"; } >> "$list"
  fi
fi

echo "Desktop entries: $apps/Pitchwell-video.desktop, $apps/plots.desktop"
