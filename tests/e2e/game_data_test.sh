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

game_start "$(winpath "$E2E_WORK/pictures")\\"
game_ready_without_note
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

zd command "$MAIN" 8103
game_settle
game_capture rosewood.bmp
check_eq "a set chosen from the menu comes from the data folder" \
  "$(game_squares rosewood.bmp 16 12 | tr -cd C | wc -c)" 192

# Uncover squares until one shows the background: it is the data folder's picture.
zd clickall "$MAIN" 16 12
game_settle
game_capture cleared.bmp
check "the background comes from the data folder" grep -q '\.' <<<"$(game_squares cleared.bmp 16 12)"
game_exit
check "the options and list files stay in the current folder" test -f "$GAME_DIR/gmnflist" -a ! -e pictures/gmnflist
