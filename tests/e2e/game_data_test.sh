#!/usr/bin/env bash
# The data folder: a folder named on the command line holds the background and the
# piece sets chosen from the menu; the start-up set is looked for in the current folder.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
mkdir -p "$GAME_DIR" pictures
cp "$ZD_WIN32_DIR/ZERADE95.exe" "$GAME_DIR/"
cp "$ZD_SOURCE_DIR"/data/* pictures/
game_options hidenote=1
# The recent backgrounds: a picture (plain green, 200 x 150) and a file that is not there.
convert -size 200x150 xc:'rgb(0,160,80)' green.png
python3 - "$GAME_DIR/gmnflist" "$(winpath "$E2E_WORK/green.png")" <<'PY'
import sys
data = bytearray(6000)
for i, entry in enumerate([b"C:\\NO\\SUCH.BMP", sys.argv[2].encode()]):
    data[2000 + 200 * i:2000 + 200 * i + len(entry)] = entry
open(sys.argv[1], "wb").write(bytes(data))
PY

game_start_ready "$(winpath "$E2E_WORK/pictures")\\"
# Start-up is over: copies beside the program now serve only to read the screen.
cp pictures/rosewood.vod pictures/PLANET_R.BKG "$GAME_DIR/"
zd key "$MAIN" Q
zd key "$MAIN" N
game_settle
game_capture plain.bmp
# Without "rosewood.vod" in the current folder the set cannot be read: the squares are
# still drawn, plainly.
check_eq "a set that cannot be read gives plain covered squares" \
  "$(python3 "$SCREEN_PY" pixel plain.bmp 32 40)" "96 104 120"

zd command "$MAIN" $CMD_TILESET_ROSEWOOD
game_settle
game_capture rosewood.bmp
check_eq "a set chosen from the menu comes from the data folder" \
  "$(game_squares rosewood.bmp 16 12 | tr -cd C | wc -c)" 192

# Uncover squares until one shows the background: it is the data folder's picture.
# (Clicking every square ends the game; the field is then painted whole once more.)
game_clickall 16 12
zd repaint "$MAIN" 1 >/dev/null
game_settle
game_capture cleared.bmp
check "the background comes from the data folder" grep -q '\.' <<<"$(game_squares cleared.bmp 16 12)"

# A recent background: the file loads, scaled to the window, and moves to the front of
# the list; an entry that does not load says so and keeps the background.
zd post "$MAIN" $CMD_RECENT_BACKGROUND_0
require "a background that cannot be read is reported" zd wait caption:Sorry: 10000 >/dev/null
check_eq "failure text" "$(zd controls caption:Sorry: | awk -F'\t' '$2 == 65535 {print $3}')" \
  "The image load failed."
zd press caption:Sorry: OK
zd gone caption:Sorry: 5000
game_settle
game_capture after-failure.bmp
check "the background is unchanged after a failed load" python3 "$SCREEN_PY" same after-failure.bmp cleared.bmp
zd command "$MAIN" $((CMD_RECENT_BACKGROUND_0 + 1))
game_settle
game_capture green.bmp
background=$(game_squares cleared.bmp 16 12 | awk '{ i = index($0, "."); if (i) { print i - 1, NR - 1; exit } }')
read -r col row <<<"$background"
check_eq "the recent background shows under the uncovered squares" \
  "$(python3 "$SCREEN_PY" pixel green.bmp $((col * 64 + 32)) $((row * 64 + 32)))" "0 160 80"
game_exit
check "the options and list files stay in the current folder" test -f "$GAME_DIR/gmnflist" -a ! -e pictures/gmnflist
green_path=$(winpath "$E2E_WORK/green.png")
check_eq "the loaded background moved to the front of the list" \
  "$(dd if="$GAME_DIR/gmnflist" bs=1 skip=2000 count=${#green_path} 2>/dev/null)" "$green_path"
check_eq "the unreadable entry moved back to second place" \
  "$(dd if="$GAME_DIR/gmnflist" bs=1 skip=2200 count=14 2>/dev/null)" 'C:\NO\SUCH.BMP'

