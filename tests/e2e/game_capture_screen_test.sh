#!/usr/bin/env bash
# "Capture Game Screen": the menu bar hidden, the window painted and saved as it shows;
# on a 256-colour display the suggestion follows, whether or not a file was saved. The
# game runs from a folder whose name holds a non-ASCII character.
. "$(dirname "$0")/harness.sh"
e2e_begin
GAME_DIR="$E2E_WORK/spiel €"
. "$(dirname "$0")/game_lib.sh"
GAME_DIR="$E2E_WORK/spiel €"
. "$(dirname "$0")/background_lib.sh"
SUGGESTION="caption:Important Suggestion:"
suggestion_text="If you are capturing this screen for use in advertising or a news article, you may want to set your Windows driver to a higher number of colors. This game looks much nicer in 65,536 colors (16 bit) or 16 million colors (24 or 32 bit)."
game_begin
# A real click gives the main window the keyboard focus (before the first game it plays
# nothing); the pointer at (0, 0) then brings the menu bar up, and the capture hides it.
game_focus_click
zd move "$MAIN" 0 0
require "the menu bar is shown" test "$(wait_menu visible)" = visible
game_capture with-menu.bmp
bg_save_dialog $CMD_CAPTURE_SCREEN
bg_save 3 "$E2E_WORK/screen.bmp" >/dev/null
zd gone "$SAVE" 5000
game_capture driver.bmp
check "the capture is written" test -s "$E2E_WORK/screen.bmp"
check_eq "the capture is the client area" "$(identify -format '%w %h' "$E2E_WORK/screen.bmp")" "1024 768"
check "the capture is what the screen shows" test "$(bg_psnr "$E2E_WORK/screen.bmp" driver.bmp)" = inf
check "the menu bar was hidden for it" bash -c "! python3 '$SCREEN_PY' same with-menu.bmp driver.bmp"
sleep 1  # timed: nothing may appear within a second
check "no suggestion on a display of 24 bits" bg_absent "$SUGGESTION"
game_exit

# --- a 256-colour display: the suggestion, after a save and after a cancel --------------
e2e_display 8
game_start_ready
bg_save_dialog $CMD_CAPTURE_SCREEN
zd press "$SAVE" Cancel
zd gone "$SAVE" 5000
require "a cancelled capture on 256 colours ends with the suggestion" zd wait "$SUGGESTION" 5000 >/dev/null
check_eq "the suggestion's text" \
  "$(zd controls "$SUGGESTION" | awk -F'\t' '$2 == 65535 {print $3}')" "$suggestion_text"
check_eq "the suggestion has one button" \
  "$(zd controls "$SUGGESTION" | awk -F'\t' '$1 == "Button" {printf "%s;", $3}')" "OK;"
zd press "$SUGGESTION" OK
zd gone "$SUGGESTION" 5000
bg_save_dialog $CMD_CAPTURE_SCREEN
bg_save 7 "$E2E_WORK/screen8.tif" >/dev/null
require "a saved capture on 256 colours ends with the suggestion" zd wait "$SUGGESTION" 5000 >/dev/null
zd press "$SUGGESTION" OK
zd gone "$SUGGESTION" 5000
game_capture driver8.bmp
check_eq "the 256-colour capture is the client area" \
  "$(identify -format '%w %h' "$E2E_WORK/screen8.tif")" "1024 768"
# The file holds the window's own pixels, in the colours of the game's palette. Wine's
# 8-bit display shows each of those colours as one of the few it holds, so the screen
# is the file seen through a map of colours: every pixel of one colour in the file shows
# the same colour on the screen, and a file shifted or of other content breaks that.
convert "$E2E_WORK/screen8.tif" -auto-orient -type truecolor BMP3:screen8.bmp
map=$(python3 "$SCREEN_PY" colourmap screen8.bmp driver8.bmp)
echo "the 256-colour capture: $(cut -d' ' -f1 <<<"$map") colours in the file, $(identify -format '%k' driver8.bmp) on the screen"
check_eq "the 256-colour capture is what the screen shows (stray pixels)" "$(cut -d' ' -f2 <<<"$map")" 0
game_exit
