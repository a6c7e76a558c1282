#!/usr/bin/env bash
# Screen modes, saved options and a restart with them; the recent lists at exit.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
game_prepare
game_options hidenote=1 clock=0

# A list file whose lists 0 and 2 are not ours: they must survive byte for byte.
python3 - "$GAME_DIR/gmnflist" <<'PY'
import random, sys
random.seed(7)
data = bytearray(random.getrandbits(8) for _ in range(6000))
entries = [b"C:\\PICTURES\\SUNSET.BMP", b"C:\\PICTURES\\FOREST.JPG"]
data[2000:4000] = bytes(2000)
for i, entry in enumerate(entries):
    data[2000 + 200 * i:2000 + 200 * i + len(entry)] = entry
open(sys.argv[1], "wb").write(bytes(data))
PY
cp "$GAME_DIR/gmnflist" gmnflist.before

style_of_main() { zd windows ZERADE95.exe | grep -P "\tRevaza's Dazivivo, Version 1.0!\t" | cut -f6; }
has_caption() { test $(( 16#$(style_of_main) & 0x00C00000 )) -eq $((0x00C00000)); }
client_size() { zd rect "$MAIN" | awk '{print $3 - $1 "x" $4 - $2}'; }

game_start_ready
zd key "$MAIN" Q
zd command "$MAIN" $CMD_LAYOUT_20X16
zd command "$MAIN" $CMD_TILESET_STONE
GAME_SET=stone.vod
game_settle
zd click "$MAIN" 512 384
zd click "$MAIN" 100 100 right
game_settle
game_capture full.bmp
field=$(game_squares full.bmp 20 16)
check_eq "full screen: client is the whole screen" "$(client_size)" 1024x768

zd command "$MAIN" $CMD_NORMAL_WINDOW
game_settle
check "normal window: captioned" has_caption
normal=$(client_size)
check "normal window: the client area is smaller than the screen ($normal)" test "$normal" != 1024x768
game_capture normal.bmp
check_eq "the capture has the client's size" "$(python3 "$SCREEN_PY" size normal.bmp | tr ' ' x)" "$normal"
check_eq "the same game, repainted to the new size" "$(game_squares normal.bmp 20 16)" "$field"

# Saved in the normal window with another level and the clock hidden.
zd post "$MAIN" $CMD_LEVEL_EXPERT
zd wait caption:Notice: 10000 >/dev/null && zd press caption:Notice: OK
zd post "$MAIN" $CMD_SAVE_OPTIONS
require "Save Options confirms" zd wait "caption:Options Saved:" 10000 >/dev/null
check_eq "confirmation text" "$(zd controls "caption:Options Saved:" | awk -F'\t' '$2 == 65535 {print $3}')" \
  "Your current settings have been saved in the file 'vod.opt'. You may delete this file if you want to return to the original settings."
zd press "caption:Options Saved:" OK
zd gone "caption:Options Saved:" 5000
check_eq "options file written" "$(stat -c %s "$GAME_DIR/vod.opt")" 1548
check_eq "saved: windowed" "$(game_option_value 536)" 1
check_eq "saved: next level 4" "$(game_option_value 524)" 4
check_eq "saved: 20 columns" "$(game_option_value 528)" 20
check_eq "saved: 16 rows" "$(game_option_value 532)" 16
check_eq "saved: the clock setting read at start-up" "$(game_option_value 544)" 0
cp "$GAME_DIR/vod.opt" vod.opt.saved

zd command "$MAIN" $CMD_FULL_SCREEN
game_settle
check "full screen again: no caption" test $(( 16#$(style_of_main) & 0x00C00000 )) -eq 0
check_eq "full screen again: the whole screen" "$(client_size)" 1024x768
zd key "$MAIN" Q
game_settle
game_capture full-again.bmp
check_eq "the same game after both switches" "$(game_squares full-again.bmp 20 16)" "$field"
game_exit

check_eq "list 0 kept byte for byte" "$(head -c 2000 "$GAME_DIR/gmnflist" | md5sum)" "$(head -c 2000 gmnflist.before | md5sum)"
check_eq "list 2 kept byte for byte" "$(tail -c 2000 "$GAME_DIR/gmnflist" | md5sum)" "$(tail -c 2000 gmnflist.before | md5sum)"
check_eq "list 1 entries kept" "$(dd if="$GAME_DIR/gmnflist" bs=1 skip=2000 count=22 2>/dev/null)" 'C:\PICTURES\SUNSET.BMP'

# The restart comes up in the normal window, with the saved layout, level and set.
game_start_ready
check "restart in the normal window" has_caption
zd key "$MAIN" N
game_settle
game_capture restarted.bmp
squares=$(game_squares restarted.bmp 20 16)
check_eq "restart: a 20 x 16 game drawn from the saved set" "$(tr -cd C <<<"$squares" | wc -c)" 320
# Saving again writes back exactly what was restored: window mode, level, layout, clock
# setting, piece set and background paths.
rm "$GAME_DIR/vod.opt"
zd post "$MAIN" $CMD_SAVE_OPTIONS
require "Save Options confirms again" zd wait "caption:Options Saved:" 10000 >/dev/null
zd press "caption:Options Saved:" OK
zd gone "caption:Options Saved:" 5000
check "restart: every setting was restored" cmp vod.opt.saved "$GAME_DIR/vod.opt"
game_exit
