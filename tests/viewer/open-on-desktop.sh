#!/usr/bin/env bash
# Opens plot files with the real viewer on a virtual X server, the ways a user does: typed in a
# terminal from the file's directory, and through the installed desktop entry by the desktop's
# openers: gio open (the file manager), xdg-open with no desktop known (a plain window manager,
# where it runs the entry's Exec line itself) and xdg-open under GNOME (which hands the file to
# gio). The openers' cases run for an installation directory without a blank in its name, and
# xdg-open's also for one with a blank. Prints one line per case: "CASE name: ok", or "CASE
# name: FAILED why" with the windows that were shown; an opener's case is named "name@plain"
# or "name@blank" for the installation.
#   open-on-desktop.sh SOURCE_DIR PLOTS CASE...
# A case is "name|how|files|argument|title|box": how is typed, gio, xdg-open or xdg-open-gnome;
# files are the files made in a fresh directory (comma-separated; .plt and .2lt files get a
# sample run, .gif files a picture, others a line of text); title is the plot window's expected
# caption; box the title of the message box that must show, or empty when none may.
set -euo pipefail
src=$1
plots=$2
shift 2

# The viewer draws on the X server, whatever platform the caller's tests use.
unset QT_QPA_PLATFORM
work=$(mktemp -d)
xserver=""

# The ids of the viewers started here: the processes running an installation's copy.
viewer_pids() {
  local exe pid
  for exe in /proc/[0-9]*/exe; do
    case $(readlink "$exe" 2>/dev/null || true) in
      "$work/plain/plots" | "$work/with blank/plots") ;;
      *) continue ;;
    esac
    pid=${exe#/proc/}
    echo "${pid%/exe}"
  done
}

# Ends each viewer by its id, as a logout would end it, and waits for it.
end_viewers() {
  local pid
  for pid in $(viewer_pids); do kill "$pid" 2>/dev/null || true; done
  for _ in $(seq 1 100); do
    [ -n "$(viewer_pids)" ] || break
    sleep 0.1
  done
  for pid in $(viewer_pids); do kill -KILL "$pid" 2>/dev/null || true; done
}
cleanup() {
  end_viewers
  if [ -n "$xserver" ]; then kill "$xserver" 2>/dev/null || true; wait "$xserver" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

# A private X server on the first free display, kept through all cases (-noreset: a server
# that resets when its last client leaves refuses the next one for a moment).
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
xserver=$!
for _ in $(seq 1 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "FAILED: the X server did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/runtime TK_TOOLS_ROOT=$work/tk-tools TOOLS_VB_ROOT=$work/tools.vb
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# No desktop session: xdg-open falls back to its generic mode, as under a plain window manager.
unset XDG_CURRENT_DESKTOP DE DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID \
      MATE_DESKTOP_SESSION_ID DBUS_SESSION_BUS_ADDRESS
for install in "plain" "with blank"; do
  mkdir -p "$work/$install/Pitchwell"
  cp "$plots" "$work/$install/plots"
  cp "$(dirname "$plots")/plots-window.so" "$work/$install/"
  # The installer wants the launcher too; it is never started here.
  printf '#!/bin/sh\nexit 0\n' > "$work/$install/Pitchwell/Pitchwell-video"
  chmod +x "$work/$install/Pitchwell/Pitchwell-video"
done

visible_windows() {  # "id name" per line
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null || true); do
    echo "$id $(xdotool getwindowname "$id" 2>/dev/null || true)"
  done
}

window_named() {  # the id of the visible window with exactly this name, waiting for it to map
  local line
  for _ in $(seq 1 300); do
    while read -r line; do
      [ "${line#* }" = "$1" ] && { echo "${line%% *}"; return; }
    done < <(visible_windows)
    sleep 0.1
  done
}

make_files() {  # directory, comma-separated names
  local name
  IFS=, read -ra names <<< "$2"
  for name in "${names[@]}"; do
    case "${name,,}" in
      *.plt|*.2lt) cp "$src/samples/lorentz2.plt" "$1/$name" ;;
      *.gif) convert -size 40x30 xc:blue "gif:$1/$name" ;;
      *) echo "contents of $name" > "$1/$name" ;;
    esac
  done
}

# Runs one case and prints its line.
run_case() {  # name, how, files, argument, title, box
  local name=$1 how=$2 files=$3 argument=$4 title=$5 box=$6 dir id why
  n=$((n + 1))
  dir=$work/case$n
  mkdir -p "$dir"
  make_files "$dir" "$files"
  case $how in
    typed) (cd "$dir" && exec "$work/plain/plots" "$argument") >/dev/null 2>"$work/plots.err" & ;;
    gio) (cd "$work" && gio open "$dir/$argument") >/dev/null 2>"$work/open.err" || cat "$work/open.err" >&2 ;;
    # The generic xdg-open waits for the program it starts; it ends with the viewer.
    xdg-open) (cd "$work" && exec xdg-open "$dir/$argument") >/dev/null 2>"$work/open.err" & ;;
    xdg-open-gnome) (cd "$work" && XDG_CURRENT_DESKTOP=GNOME exec xdg-open "$dir/$argument") >/dev/null 2>"$work/open.err" & ;;
  esac
  id=$(window_named "$title")
  why=""
  [ -n "$id" ] || why="no window '$title'"
  if [ -n "$box" ]; then
    [ -n "$(window_named "$box")" ] || why="$why; no box '$box'"
  elif visible_windows | grep -q " Graphel"; then
    why="$why; a box was shown"
  fi
  if [ -z "$why" ]; then
    echo "CASE $name: ok"
  else
    echo "CASE $name: FAILED ${why#; } (shown: $(visible_windows | cut -d' ' -f2- | paste -sd'|'); running: $(viewer_pids | paste -sd' '))"
    cat "$work/plots.err" "$work/open.err" >&2 2>/dev/null || true
  fi
  end_viewers
}

n=0
for entry in "$@"; do
  IFS="|" read -r name how files argument title box <<< "$entry"
  [ "$how" = typed ] && run_case "$name" "$how" "$files" "$argument" "$title" "$box"
done
# The openers' cases on an installation whose path needs no quoting; xdg-open's (the generic
# one and, under GNOME, gio's) also on one whose path has a blank.
for install in plain blank; do
  if [ $install = plain ]; then prefix="$work/plain"; else prefix="$work/with blank"; fi
  "$src/dist/install-desktop.sh" "$prefix" >/dev/null
  for entry in "$@"; do
    IFS="|" read -r name how files argument title box <<< "$entry"
    case $install:$how in
      *:typed | blank:gio) ;;
      *) run_case "$name@$install" "$how" "$files" "$argument" "$title" "$box" ;;
    esac
  done
done
