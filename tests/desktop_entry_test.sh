#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that a Linux desktop can
# list the program: a valid desktop entry whose command and 128x128 icon are
# where the entry says.
# Usage: desktop_entry_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null
entry=$prefix/share/applications/trasolin.desktop
icon=$prefix/share/icons/hicolor/128x128/apps/trasolin.png
failed=0
fail() { echo "FAIL: $*"; failed=1; }

[[ -f $entry ]] || { echo "FAIL: no desktop entry at $entry"; exit 1; }
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"

command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[[ -x $prefix/bin/$command ]] || fail "Exec=$command is not installed in bin/"

icon_name=$(sed -n 's/^Icon=//p' "$entry")
[[ $icon_name == trasolin ]] || fail "Icon=$icon_name, not the installed trasolin.png"
if [[ -f $icon ]]; then
    # a PNG's IHDR holds width and height as big-endian words at bytes 16 to 23
    size=$(od -An -tu1 -j16 -N8 "$icon" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
    [[ $size == 128x128 ]] || fail "the icon is $size, not 128x128"
else
    fail "no icon at $icon"
fi

((failed == 0)) && echo "desktop entry, command and icon installed"
exit $failed
