#!/usr/bin/env bash
# Installs a build twice into a scratch directory, as two runs of scripts/run.sh do, with the
# user's changes in between, and checks what the second installation did to each example.
#   reinstall.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/tk tools"
all=$root/Pitchwell/demos/all
manifest=$root/Pitchwell/demos/.installed-examples.sha256
fail() { echo "FAILED: $*"; exit 1; }

"$src/scripts/install.sh" "$build" "$root" > "$work/first"
[ -x "$root/plots" ] && [ -f "$root/plots-window.so" ] && [ -x "$root/Pitchwell/Pitchwell-video" ] ||
  fail "the programs were not installed"
diff -r "$src/Pitchwell/demos/all" "$all" || fail "the first installation differs from the examples"

# Each case: a change made between the two installations, and what the second one must leave.
printf '\nmy own line\n' >> "$all/ACmotor.qz"                 # edited: kept
cp "$all/ACmotor.qz" "$work/ACmotor.qz"
rm "$all/Damper.qz"                                            # deleted: installed again
printf 'an older version\n' > "$all/Beam.qz"                   # written by the last installation
sum=$(sha256sum "$all/Beam.qz" | cut -d' ' -f1)                # (its checksum in the manifest):
tr '\0' '\n' < "$manifest" | sed "s|^[0-9a-f]*  ./Beam.qz$|$sum  ./Beam.qz|" | tr '\n' '\0' > "$work/m"
cp "$work/m" "$manifest"                                       # replaced by the new one
printf 'edited before manifests\n' > "$all/answers/Beam.out"  # not what was installed: kept
tr '\0' '\n' < "$manifest" | grep -v '/answers/Beam.out$' | tr '\n' '\0' > "$work/m"
cp "$work/m" "$manifest"

"$src/scripts/install.sh" "$build" "$root" > "$work/second"
cmp "$all/ACmotor.qz" "$work/ACmotor.qz" || fail "the edited ACmotor.qz was overwritten"
cmp "$all/Damper.qz" "$src/Pitchwell/demos/all/Damper.qz" || fail "the deleted Damper.qz was not installed again"
cmp "$all/Beam.qz" "$src/Pitchwell/demos/all/Beam.qz" || fail "the unedited Beam.qz was not updated"
[ "$(cat "$all/answers/Beam.out")" = "edited before manifests" ] || fail "answers/Beam.out was overwritten"
grep -q "Kept 2 example files you changed" "$work/second" || fail "no word of the kept files: $(cat "$work/second")"
grep -qx "  ACmotor.qz" "$work/second" && grep -qx "  answers/Beam.out" "$work/second" ||
  fail "the kept files are not named: $(cat "$work/second")"

# A third installation keeps the same files and changes nothing else.
"$src/scripts/install.sh" "$build" "$root" > "$work/third"
cmp "$all/ACmotor.qz" "$work/ACmotor.qz" || fail "the third installation overwrote ACmotor.qz"
grep -q "(0 example files written)" "$work/third" || fail "the third installation wrote files: $(cat "$work/third")"
echo "Edited examples survive a second installation."
