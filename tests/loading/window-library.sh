#!/usr/bin/env bash
# Runs the program's commands with the dynamic linker naming every file it maps (LD_DEBUG=files,
# which sees the libraries loaded later too) and checks what was mapped: no command without a
# window maps Qt's widgets or printing or the window's library; the window maps them, found
# beside the program through a link to it as the launcher's copy has; a program without its
# library, or with a damaged one (cut short, not a library, without the window's entry), says
# so and ends with exit 1, and never takes a library from the working directory or from
# LD_LIBRARY_PATH. The library exports its entry alone.
#   window-library.sh PLOTS SAMPLES_DIR
set -uo pipefail
plots=$1
samples=$2
module=$(dirname "$plots")/plots-window.so
work=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
[ -f "$module" ] || fail "no window library beside $plots"
run=$samples/tunewave.plt
# The library's copy of the core and the shared code stays its own: it offers the program its
# entry and nothing else, so no code or state of the one stands in for the other's.
exported=$(nm -D --defined-only "$module" | awk '{ print $NF }')
[ "$exported" = plots_window_main ] || fail "the window library exports more than its entry: $(echo "$exported" | head -n 5)"
window_only='libQt6Widgets|libQt6PrintSupport|plots-window'

# The files a run mapped, one per line, from its LD_DEBUG log.
mapped() {  # log name
  cat "$work/$1".* 2>/dev/null | sed -n 's/.*file=\([^ ;]*\).*/\1/p' | sort -u
}

# Each command without a window, as a script runs it.
n=0
while IFS='|' read -r label args; do
  n=$((n + 1))
  read -ra argv <<<"${args//@/$work\/out$n}"
  LD_DEBUG=files LD_DEBUG_OUTPUT=$work/log$n "$plots" "${argv[@]}" > "$work/stdout" 2> "$work/stderr" ||
    fail "$label: exit $?: $(cat "$work/stderr")"
  mapped log$n | grep -q 'libQt6Gui' || fail "$label: the linker's log names no Qt library: $(ls "$work")"
  found=$(mapped log$n | grep -E "$window_only")
  [ -z "$found" ] || fail "$label maps what only the window needs: $found"
  echo "$label: $(mapped log$n | wc -l) files mapped, none of the window's"
done <<EOF2
--help|--help
--version|--version
--check|--check $run
--export png|--export @ $run
--export svg|--export @ --format svg $run
--export pdf|--export @ --format pdf --size 800x600 $run
--export bmp zoomed|--export @ --format bmp --x-range 0:1 $run
--export csv|--export @ --format csv $run
EOF2

# The window, started through a link as the launcher's copy starts it: it maps its library from
# beside the program and Qt's widgets, and runs.
ln -s "$(realpath "$plots")" "$work/link-to-plots"
(cd "$work" && LD_DEBUG=files LD_DEBUG_OUTPUT=$work/window exec ./link-to-plots "$run") > "$work/window.out" 2>&1 &
pid=$!
for _ in $(seq 1 300); do
  mapped window | grep -q libQt6Widgets && mapped window | grep -qx "$(realpath "$module")" && break
  kill -0 "$pid" 2>/dev/null || fail "the window ended: $(cat "$work/window.out")"
  sleep 0.1
done
mapped window | grep -qx "$(realpath "$module")" || fail "the window did not load $module: $(mapped window | grep -E "$window_only")"
mapped window | grep -q libQt6Widgets || fail "the window does not map Qt's widgets"
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the window ended: $(cat "$work/window.out")"
# A library with no window in it, for a case below.
qt_core=$(grep -m 1 -o '/[^ ]*/libQt6Core\.so[^ ]*' "/proc/$pid/maps")
kill "$pid"
wait "$pid" 2>/dev/null
pid=
echo "the window: its library and Qt's widgets mapped"

# Programs without their library: a library in the working directory and in LD_LIBRARY_PATH
# is not theirs. Each case: the library beside the program (none, damaged), what stderr names.
mkdir -p "$work/planted"
cp "$module" "$work/planted/plots-window.so"
while IFS='|' read -r label beside says; do
  dir=$work/alone-$label
  mkdir -p "$dir"
  cp "$plots" "$dir/plots"
  case $beside in
  none) ;;
  cut) head -c 4096 "$module" > "$dir/plots-window.so" ;;
  header) head -c 100 "$module" > "$dir/plots-window.so" ;;
  text) for _ in $(seq 1 100); do echo 'not a library'; done > "$dir/plots-window.so" ;;
  other) cp "$qt_core" "$dir/plots-window.so" ;;
  esac
  (cd "$work/planted" && LD_LIBRARY_PATH=$work/planted LD_DEBUG=files LD_DEBUG_OUTPUT=$work/alone-$label.log \
     exec timeout 30 "$dir/plots" "$run") > "$work/stdout" 2> "$work/stderr"
  rc=$?
  [ $rc -eq 1 ] || fail "$label library: exit $rc, not 1: $(cat "$work/stderr")"
  grep -q "the window cannot be opened: .*$says" "$work/stderr" || fail "$label library: stderr says: $(cat "$work/stderr")"
  found=$(cat "$work/alone-$label.log".* | sed -n 's/.*file=\([^ ;]*\).*/\1/p' | grep -E "$window_only" | grep -v "^$dir/plots-window.so$")
  [ -z "$found" ] || fail "$label library: mapped $found"
  echo "$label library: $(head -n 1 "$work/stderr")"
done <<EOF2
missing|none|is neither in
cut-short|cut|cannot be loaded: it is cut short
cut-in-its-header|header|cannot be loaded: its header is cut short
not-a-library|text|cannot be loaded: .*invalid ELF header
without-entry|other|cannot be loaded: it has no entry plots_window_main
EOF2
echo "The commands without a window map none of its libraries; the window finds its own."
