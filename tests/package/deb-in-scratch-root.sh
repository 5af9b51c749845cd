#!/usr/bin/env bash
# Packs the build tree with scripts/package.sh (which also has lintian check the package),
# checks the package's dependencies and metadata with their own validators, unpacks it into a
# scratch root (dpkg -x) and runs both programs from there: the viewer checks and exports an
# example run; the launcher, started headless, makes its writable copy of the examples in the
# user's data directory and runs there; the real xdg-open, with no desktop known, opens a .plt
# in the package's viewer, which loads its window from the package. Nothing is written under
# the root's /usr.
#   deb-in-scratch-root.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2
work=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

deb=$(BUILD_DIR=$build "$src/scripts/package.sh" --no-build "$work/out" | tail -n 1)
[ -f "$deb" ] || fail "scripts/package.sh named no package: $deb"
depends=", $(dpkg-deb -f "$deb" Depends),"
for needed in libqt6widgets6 libqt6svg6 libisal2 libc6 qt6-qpa-plugins xdg-utils; do
  [[ $depends == *", $needed "* || $depends == *", $needed,"* ]] || fail "Depends lacks $needed:$depends"
done

root=$work/root
dpkg -x "$deb" "$root"
usr=$root/usr
touch "$work/unpacked"
window_library=lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/tk-tools/plots-window.so
for file in bin/plots bin/Pitchwell-video $window_library share/tk-tools/Pitchwell/demos/all/Damper.qz \
            share/icons/hicolor/128x128/apps/quazelle-plots.png share/man/man1/plots.1.gz; do
  [ -f "$usr/$file" ] || fail "the package has no /usr/$file"
done
diff -r "$src/Pitchwell/demos/all" "$usr/share/tk-tools/Pitchwell/demos/all" || fail "the examples differ"

# The metadata, each file by its own validator.
# (validate-tree checks each metainfo file and its launcher's desktop entry together.)
appstreamcli validate-tree --no-net "$root" > "$work/appstream" ||
  fail "the AppStream metadata does not validate: $(cat "$work/appstream")"
desktop-file-validate "$usr"/share/applications/*.desktop || fail "the desktop entries do not validate"
for page in "$usr"/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 "$page" 2>&1 > /dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
cp -r "$usr/share/mime" "$work/mime"
XDG_DATA_DIRS=$work update-mime-database "$work/mime" 2> "$work/mime-errors"
[ ! -s "$work/mime-errors" ] || fail "the file types: $(cat "$work/mime-errors")"
for glob in plt:application/x-quazelle-plot 2lt:application/x-quazelle-plot qz:text/x-quazelle \
            out:text/x-quazelle-output; do
  grep -qx "50:${glob#*:}:\*\.${glob%%:*}" "$work/mime/globs2" || fail "no file type for *.${glob%%:*}"
done

# The programs as a user runs them, with a home of their own.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
answers=$usr/share/tk-tools/Pitchwell/demos/all/answers
"$usr/bin/plots" --check "$answers/Damper.plt" | grep -q '/Damper.plt: plot type ' ||
  fail "plots --check does not read the example run"
"$usr/bin/plots" --export "$work/pictures" "$answers/Damper.plt" > /dev/null
[ -s "$work/pictures/Damper-01.png" ] && [ -s "$work/pictures/Damper-summary.txt" ] ||
  fail "plots --export wrote no pictures: $(ls "$work/pictures")"

# The launcher enters its working directory, the copy, once the copy is made.
copy=$XDG_DATA_HOME/tk-tools
"$usr/bin/Pitchwell-video" > "$work/launcher.log" 2>&1 &
pid=$!
for _ in $(seq 1 600); do
  [ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" = "$copy/Pitchwell" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the launcher ended: $(cat "$work/launcher.log")"
  sleep 0.1
done
[ "$(readlink "/proc/$pid/cwd")" = "$copy/Pitchwell" ] || fail "the launcher does not run in $copy/Pitchwell"
diff -r "$usr/share/tk-tools/Pitchwell/demos/all" "$copy/Pitchwell/demos/all" || fail "the copy differs"
[ "$(readlink "$copy/plots")" = "$usr/bin/plots" ] || fail "the copy's viewer is not the package's"
[ -d "$copy/Pitchwell/video" ] || fail "the copy has no video directory"

kill "$pid"
wait "$pid" 2>/dev/null || true
pid=

# The desktop as a plain window manager's opener sees the package: xdg-open with no desktop
# known types a .plt by the package's file types and runs the viewer's entry, found on PATH.
cp -r "$usr/share/applications" "$work/applications"
update-desktop-database "$work/applications"
cp "$answers/Damper.plt" "$work/run.plt"
viewer_on_run() {  # the id of the package's viewer showing run.plt
  local cmd
  for cmd in /proc/[0-9]*/cmdline; do
    [ "$(readlink "${cmd%/cmdline}/exe" 2>/dev/null)" = "$usr/bin/plots" ] || continue
    tr '\0' '\n' < "$cmd" 2>/dev/null | grep -qx "$work/run.plt" && { cmd=${cmd#/proc/}; echo "${cmd%/cmdline}"; }
  done
  return 0
}
# xdg-open asks for a display by name only; the viewer draws offscreen.
(unset XDG_CURRENT_DESKTOP DE DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID DBUS_SESSION_BUS_ADDRESS
 PATH=$usr/bin:$PATH XDG_DATA_DIRS=$work WAYLAND_DISPLAY=none exec xdg-open "$work/run.plt") > "$work/xdg-open.log" 2>&1 &
opener=$!
viewer=
for _ in $(seq 1 300); do
  viewer=$(viewer_on_run)
  [ -z "$viewer" ] || break
  kill -0 "$opener" 2>/dev/null || fail "xdg-open ended without the viewer: $(cat "$work/xdg-open.log")"
  sleep 0.1
done
[ -n "$viewer" ] || fail "xdg-open did not start the package's viewer on run.plt"
# Its window comes from the package's library.
for _ in $(seq 1 300); do
  grep -q " $usr/$window_library\$" "/proc/$viewer/maps" 2>/dev/null && break
  kill -0 "$viewer" 2>/dev/null || fail "the viewer ended without its window"
  sleep 0.1
done
grep -q " $usr/$window_library\$" "/proc/$viewer/maps" || fail "the viewer did not load /usr/$window_library"
kill "$viewer"
wait "$opener" 2>/dev/null || true

written=$(find "$root" -newer "$work/unpacked")
[ -z "$written" ] || fail "written under the package's root: $written"
echo "The package installs into a scratch root and both programs run from it."
