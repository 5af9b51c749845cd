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
prefix=$(cd "$1" && pwd && echo .)   # the dot keeps a line break that ends the name
prefix=${prefix%$'\n.'}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# A desktop entry is UTF-8 text of one line per key: a directory name with a line break or
# another control character, or bytes that are not UTF-8, cannot be written into one that every
# desktop reads the same way.
if [[ $prefix == *[[:cntrl:]]* ]]; then
  echo "$0: the installation directory $(printf '%q' "$prefix") contains a line break or another" \
       "control character, which a desktop entry cannot hold; install into a directory without one." >&2
  exit 1
fi
if ! printf '%s' "$prefix" | iconv -f UTF-8 -t UTF-8 >/dev/null 2>&1; then
  echo "$0: the installation directory $(printf '%q' "$prefix") is not valid UTF-8, which a desktop" \
       "entry must be; install into a directory whose name is." >&2
  exit 1
fi
data=${XDG_DATA_HOME:-$HOME/.local/share}
config=${XDG_CONFIG_HOME:-$HOME/.config}
for program in "$prefix/plots" "$prefix/Pitchwell/Pitchwell-video"; do
  if [ ! -x "$program" ]; then
    echo "$0: $program is missing; install first (cmake --install BUILD --prefix PREFIX)" >&2
    exit 1
  fi
done

# The program word of an Exec line. Every opener must be able to run it: Debian's generic
# xdg-open takes the Exec line's first blank-separated word as it stands and looks it up with
# `which`, so the word can hold no quotes, blanks or other characters a desktop entry would
# need to quote. A program whose absolute path is such a word is named by it; any other is
# reached through a link of its own in ~/.local/bin, named by the link's absolute path, or by
# the link's bare name (found on PATH, where a Debian login puts ~/.local/bin) when even the
# home directory's name needs quoting.
plain_word() {
  case $1 in
    *[[:space:]\\\"\'\<\>~\|\&\;\$\*\?\#\(\)\`%\[\]]* | '') return 1 ;;
  esac
}
bin=$HOME/.local/bin
exec_word() {  # program, link name
  local link="$bin/$2"
  if plain_word "$1"; then
    # An earlier installation's link is not needed any more.
    if [ -L "$link" ]; then rm -f "$link"; fi
    printf '%s' "$1"
    return
  fi
  mkdir -p "$bin"
  ln -sfn "$1" "$link"
  if plain_word "$link"; then
    printf '%s' "$link"
  else
    echo "$0: the desktop entries start $2 from PATH: keep $bin on PATH (a Debian login does when it exists)." >&2
    printf '%s' "$2"
  fi
}

# A value of a desktop entry string key: backslashes escaped.
plain_value() {
  local s=$1
  printf '%s' "${s//\\/\\\\}"
}

# Writes an entry beside its target under a name of its own (still ending in .desktop, as the
# validator asks) and prints that name.
write_entry() {  # template, target, program, link name, working directory
  local exec dir content new
  exec=$(exec_word "$3" "$4")
  dir=$(plain_value "$5")
  content=$(<"$1")
  content=${content//@EXEC@/"$exec"}
  content=${content//@DIR@/"$dir"}
  new="$(dirname "$2")/.$(basename "$2" .desktop).new.desktop"
  printf '%s\n' "$content" > "$new"
  printf '%s' "$new"
}

# A file of the user's own under a link's name is never replaced.
for link in "$prefix/plots:tk-tools-plots" "$prefix/Pitchwell/Pitchwell-video:tk-tools-Pitchwell-video"; do
  if ! plain_word "${link%:*}" && [ -e "$bin/${link##*:}" ] && [ ! -L "$bin/${link##*:}" ]; then
    echo "$0: $bin/${link##*:} exists and is not a link this installer made; move it away and install again." >&2
    exit 1
  fi
done

apps="$data/applications"
mkdir -p "$apps"
launcher_new=$(write_entry "$here/Pitchwell-video.desktop.in" "$apps/Pitchwell-video.desktop" \
  "$prefix/Pitchwell/Pitchwell-video" tk-tools-Pitchwell-video "$prefix/Pitchwell")
plots_new=$(write_entry "$here/plots.desktop.in" "$apps/plots.desktop" "$prefix/plots" tk-tools-plots "$prefix")
# Both entries are checked before either replaces what the desktop has now.
if command -v desktop-file-validate >/dev/null; then
  if ! desktop-file-validate --no-hints "$launcher_new" "$plots_new" >&2; then
    rm -f "$launcher_new" "$plots_new"
    echo "$0: the desktop entries for $(printf '%q' "$prefix") do not validate; nothing was installed." >&2
    exit 1
  fi
else
  echo "$0: desktop-file-validate (Debian package desktop-file-utils) is missing; the entries were not checked." >&2
fi
mv "$launcher_new" "$apps/Pitchwell-video.desktop"
mv "$plots_new" "$apps/plots.desktop"

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
