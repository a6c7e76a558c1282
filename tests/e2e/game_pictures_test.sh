#!/usr/bin/env bash
# Pictures kept while the window changes: a failed background load is reported and the
# game goes on through the next resize, and the piece images scaled for the squares do
# not pile up while the normal window's frame is dragged through many sizes.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
# Wine takes Unix file names in the locale's character set: UTF-8, whatever the
# machine's locale. The Windows side keeps its Western (1252) ANSI code page.
export LC_ALL=C.UTF-8
GAME_DIR="$E2E_WORK/pictures€"
game_prepare
game_options hidenote=1

# The first recent background is a file that is gone.
python3 - "$GAME_DIR/gmnflist" "$(winpath "$GAME_DIR/gone.bmp")" <<'PY'
import sys
data = bytearray(6000)
entry = sys.argv[2].encode("cp1252")
data[2000:2000 + len(entry)] = entry
open(sys.argv[1], "wb").write(bytes(data))
PY

game_start_ready
zd key "$MAIN" Q
game_settle
zd post "$MAIN" $CMD_RECENT_BACKGROUND_0
require "the missing recent background is reported" zd wait caption:Sorry: 10000 >/dev/null
check_eq "the load failure message" \
  "$(zd controls caption:Sorry: | awk -F'\t' '$2 == 65535 {print $3}')" "The image load failed."
zd press caption:Sorry: OK
zd gone caption:Sorry: 5000
zd command "$MAIN" $CMD_NORMAL_WINDOW  # the normal window: the background is rescaled
game_settle
# Dragging the frame through many sizes: every size is painted, and the process's GDI
# objects stay flat (before, each new square size kept a bitmap and a context).
zd key "$MAIN" N
game_settle
sizes=()
for i in $(seq 0 39); do sizes+=("$((500 + i * 11)) $((400 + i * 7))"); done
for size in "${sizes[@]:0:4}"; do zd resize "$MAIN" $size >/dev/null; zd repaint "$MAIN" 1 >/dev/null; done
before=$(zd gdi ZERADE95.exe)
for size in "${sizes[@]:4}"; do zd resize "$MAIN" $size >/dev/null; zd repaint "$MAIN" 1 >/dev/null; done
after=$(zd gdi ZERADE95.exe)
e2e_log "GDI objects after 4 sizes: $before, after 40: $after"
require "GDI objects counted" test -n "$before" -a -n "$after"
check "GDI objects stay flat over 36 more sizes ($before -> $after)" test "$after" -le "$((before + 6))"
game_capture resized.bmp
check_eq "the last size is painted: a full field of covered squares" \
  "$(game_squares resized.bmp 16 12 | tr -cd C | wc -c)" 192
game_exit
