#!/usr/bin/env bash
# Pictures kept while the window changes: a failed background load keeps the current
# background through the next resize, and the piece images scaled for the squares do
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

CHOOSER="caption:Click on a Background:"
# distance SHOT EXPECTED: the mean difference per channel (0..255) over the top 320
# rows of two BMPs of the same size.
distance() {
  python3 - "$1" "$2" <<'PY'
import struct, sys
def rows(path):
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    step = struct.unpack_from("<H", data, 28)[0] // 8
    stride = (width * step + 3) & ~3
    out = []
    for y in range(min(320, abs(height))):
        row = (abs(height) - 1 - y) if height > 0 else y
        line = data[offset + row * stride: offset + row * stride + width * step]
        out.append([line[i + c] for i in range(0, width * step, step) for c in range(3)])
    return out
a, b = rows(sys.argv[1]), rows(sys.argv[2])
total = sum(abs(x - y) for ra, rb in zip(a, b) for x, y in zip(ra, rb))
print(total // sum(len(r) for r in a))
PY
}

game_start
game_ready_without_note
zd key "$MAIN" Q
game_settle
zd post "$MAIN" 7020
require "the missing recent background is reported" zd wait caption:Sorry: 10000 >/dev/null
check_eq "the load failure message" \
  "$(zd controls caption:Sorry: | awk -F'\t' '$2 == 65535 {print $3}')" "The image load failed."
zd press caption:Sorry: OK
zd gone caption:Sorry: 5000
zd command "$MAIN" 2100           # the normal window: the background is rescaled
game_settle
# The background dialog shows the whole background shrunk; a lost one shows black.
zd post "$MAIN" 115
require "the background dialog opens" zd wait "$CHOOSER" 10000 >/dev/null
sleep 0.5
zd capture "$CHOOSER" chooser.bmp
size=$(python3 "$SCREEN_PY" size chooser.bmp | tr ' ' x)
convert "$GAME_DIR/PLANET_R.BKG" -resize "$size!" -type truecolor BMP3:expected.bmp
convert -size "$size" xc:black -type truecolor BMP3:black.bmp
near=$(distance chooser.bmp expected.bmp)
far=$(distance black.bmp expected.bmp)
check "after a failed load the background is still shown ($near from it; black is $far)" \
  test "$((near * 2))" -lt "$far"
zd close "$CHOOSER"
zd gone "$CHOOSER" 5000

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
