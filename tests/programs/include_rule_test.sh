#!/usr/bin/env bash
# The include check passes on the sources as they are, and fails, naming the file, on a
# copy of them broken in each of the ways it is there to catch.
set -uo pipefail
src=$1
check="python3 $src/tests/programs/check_includes.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # expect pass|fail WHAT FILE LINE: adds LINE to FILE in a fresh copy
    local want=$1 what=$2 file=$3 line=$4
    rm -rf "$work/tree" && mkdir "$work/tree"
    for d in game sound shell imaging graphics landscape help installnote resources; do
        cp -r "$src/$d" "$work/tree/$d"
    done
    [ -n "$file" ] && printf '%s\n' "$line" >>"$work/tree/$file"
    out=$($check "$work/tree" 2>&1); rc=$?
    if [ "$want" = pass ] && [ $rc -ne 0 ]; then
        echo "FAIL: $what: the check failed: $out"; failures=$((failures + 1))
    elif [ "$want" = fail ] && { [ $rc -eq 0 ] || ! grep -q "${file##*/}" <<<"$out"; }; then
        echo "FAIL: $what: the check did not name ${file##*/} (rc $rc): $out"; failures=$((failures + 1))
    else
        echo "ok: $what"
    fi
}

expect pass "the sources as they are" "" ""
expect pass "help reads the shell's public header" help/extra_win32.cpp '#include "shell/shell_win32.h"'
expect fail "graphics reaches into the shell" graphics/extra_win32.cpp '#include "shell/shell_win32.h"'
expect fail "the shell's private header outside shell" sound/extra_win32.cpp '#include "shell/shell_private_win32.h"'
expect fail "game includes graphics" game/extra.cpp '#include "graphics/picture_win32.h"'
expect fail "game includes imaging" game/extra.cpp '#include "imaging/picture.h"'
expect fail "imaging includes graphics" imaging/extra.cpp '#include "graphics/screen_bitmap_win32.h"'
expect fail "a Win32 file in imaging" imaging/extra_win32.cpp '#include "picture.h"'
expect fail "portable sound file includes windows.h" sound/extra.cpp '#include <windows.h>'
expect fail "portable shell file includes graphics" shell/extra.cpp '#include "graphics/file_dialogs.h"'
expect fail "graphics includes landscape (a loop back)" graphics/extra_win32.cpp '#include "landscape/landscape.h"'
exit $((failures > 0))
