#!/usr/bin/env bash
# Opens plot files with the real viewer on a virtual X server, the two ways a user does: typed
# in a terminal from the file's directory, and sent by the file manager through the desktop's
# opener (gio open, which follows the installed desktop entry). Prints one line per case:
# "CASE name: ok", or "CASE name: FAILED why" with the windows that were shown.
#   open-on-desktop.sh SOURCE_DIR PLOTS CASE...
# A case is "name|how|files|argument|title|box": how is typed or opened; files are the files
# made in a fresh directory (comma-separated; .plt and .2lt files get a sample run, .gif files a
# picture, others a line of text); title is the plot window's expected caption; box the title of
# the message box that must show, or empty when none may.
set -euo pipefail
src=$1
plots=$2
shift 2

# The viewer draws on the X server, whatever platform the caller's tests use.
unset QT_QPA_PLATFORM
work=$(mktemp -d)
xserver=""

# The ids of the viewers started here: the processes running this installation's copy.
viewer_pids() {
  local exe pid
  for exe in /proc/[0-9]*/exe; do
    [ "$(readlink "$exe" 2>/dev/null)" = "$work/prefix/plots" ] || continue
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
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/prefix/Pitchwell"
chmod 700 "$XDG_RUNTIME_DIR"
cp "$plots" "$work/prefix/plots"
# The installer wants the launcher too; it is never started here.
printf '#!/bin/sh\nexit 0\n' > "$work/prefix/Pitchwell/Pitchwell-video"
chmod +x "$work/prefix/Pitchwell/Pitchwell-video"
"$src/dist/install-desktop.sh" "$work/prefix" >/dev/null

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

n=0
for entry in "$@"; do
  IFS="|" read -r name how files argument title box <<< "$entry"
  n=$((n + 1))
  dir=$work/case$n
  mkdir -p "$dir"
  make_files "$dir" "$files"
  if [ "$how" = typed ]; then
    (cd "$dir" && exec "$work/prefix/plots" "$argument") >/dev/null 2>"$work/plots.err" &
  else
    (cd "$work" && gio open "$dir/$argument") >/dev/null 2>"$work/gio.err" || cat "$work/gio.err" >&2
  fi
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
    cat "$work/plots.err" >&2 2>/dev/null || true
  fi
  end_viewers
done
