#!/usr/bin/env bash
# Runs the plot viewer and the launcher on a virtual X server and checks that each window maps
# and that a screenshot of it is not blank.
#   windows-on-x.sh PLOTS LAUNCHER SAMPLES_DIR
set -euo pipefail
plots=$1
launcher=$2
samples=$3

if [ -z "${WINDOWS_ON_X_INNER:-}" ]; then
  if ! command -v xvfb-run >/dev/null; then
    echo "SKIPPED: xvfb-run is not installed (Debian package xvfb); scripts/test.sh installs it."
    exit 77
  fi
  for tool in xdotool import convert; do
    if ! command -v $tool >/dev/null; then
      echo "SKIPPED: $tool is not installed (see scripts/packages.txt)."
      exit 77
    fi
  done
  export WINDOWS_ON_X_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  # A program ending on the signal may still write its settings into the scratch home.
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# The programs draw on this X server whatever platform the caller's environment names (the unit
# tests run offscreen, and an offscreen window never maps).
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

# A private home and an installation tree, so that the launcher's first run stays in here.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export TK_TOOLS_ROOT=$work/tk-tools TOOLS_VB_ROOT=$work/tools.vb XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$TK_TOOLS_ROOT/Pitchwell"
chmod 700 "$XDG_RUNTIME_DIR"
cp "$plots" "$(dirname "$plots")/plots-window.so" "$TK_TOOLS_ROOT/"
cp "$launcher" "$TK_TOOLS_ROOT/Pitchwell/Pitchwell-video"

# Each wait below ends as soon as what it waits for has happened; the limit only ends a wait
# for something that never comes.
limit=60

# The id of the first visible window whose title contains the text, once it has mapped.
wait_for_window() {
  timeout "$limit" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true
}

# Whether a screenshot has more than one colour and some contrast.
shows_content() {  # picture
  local colours deviation
  colours=$(convert "$1" -format '%k' info:)
  deviation=$(convert "$1" -colorspace Gray -format '%[fx:standard_deviation]' info:)
  [ "$colours" -ge 3 ] && awk -v d="$deviation" 'BEGIN { exit !(d >= 0.01) }'
}

# Fails unless the window comes to show content: a window maps before its first paint lands.
check_not_blank() {  # window id, label
  local shot="$work/$2.png" end=$((SECONDS + limit))
  until import -window "$1" "$shot" 2>/dev/null && shows_content "$shot"; do
    if [ "$SECONDS" -ge "$end" ]; then
      echo "FAILED: the $2 window is blank"
      exit 1
    fi
  done
  echo "$2: $(convert "$shot" -format '%wx%h' info:), $(convert "$shot" -format '%k' info:) colours"
}

sample=$(ls "$samples"/*.plt | head -n 1)
"$TK_TOOLS_ROOT/plots" "$sample" &
pids+=($!)
id=$(wait_for_window "Plots from Tavrick Ent.")
[ -n "$id" ] || { echo "FAILED: the plot window did not map"; exit 1; }
check_not_blank "$id" plots

(cd "$TK_TOOLS_ROOT/Pitchwell" && exec ./Pitchwell-video) &
pids+=($!)
id=$(wait_for_window "Intro to MLM of Quazelle")
[ -n "$id" ] || { echo "FAILED: the introduction window did not map"; exit 1; }
check_not_blank "$id" intro
xdotool key --window "$id" Return
id=$(wait_for_window "Marketing of Quazelle")
[ -n "$id" ] || { echo "FAILED: the main window did not map after MLM Plan"; exit 1; }
check_not_blank "$id" main
[ -f "$TK_TOOLS_ROOT/Pitchwell/Pitchwell.ini" ] || { echo "FAILED: the first run left no marker file"; exit 1; }
echo "Both programs' windows map and show content."
