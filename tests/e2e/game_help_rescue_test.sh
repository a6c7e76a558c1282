#!/usr/bin/env bash
# The confused player's help opened by the game itself: on a field of an "Impossible"
# 12 x 8 game the tenth explosion opens its two boxes and then the instructions dialog,
# exactly once; the ninth does not, nor the eleventh and later ones up to the end of the
# game; a new game counts its explosions again. On an 800 x 600 display, so that the
# instructions dialog is also seen at its place and size on a screen smaller than usual.
#
# A bomb is found by clicking covered squares until one explodes (a third of the squares
# hide one); a bomb clicked again explodes again, so that one bomb clicked ten times in
# all makes the tenth explosion.
. "$(dirname "$0")/harness.sh"
e2e_begin
e2e_display 24 800x600
. "$(dirname "$0")/game_lib.sh"
INSTRUCTIONS="caption:Dazivivo Detectors:"
MAIN_CAPTION="Revaza's Dazivivo, Version 1.0!"

# open_help: the captions of the help boxes and dialog open now, one a line.
open_help() {
  zd windows ZERADE95.exe | cut -f3 |
    grep -E '^(Ending the Confusion:|Ending the Confusion 2:|Dazivivo Detectors:)$'
}
window_disabled() {
  local style
  style=$(zd windows | awk -F'\t' -v t="$1" '$2 == t || $3 == t {print $NF; exit}')
  [ -n "$style" ] && (( (16#${style#0x} & 0x08000000) != 0 ))
}
square_centre() {  # square_centre COL ROW: "X Y" in the 800 x 600 client area
  echo $(( ($1 * 800 / 12 + ($1 + 1) * 800 / 12) / 2 )) $(( ($2 * 600 / 8 + ($2 + 1) * 600 / 8) / 2 ))
}
# first_square LETTER: "COL ROW" of the first square (row by row) that the screen shows as
# LETTER (C covered, X exploded), or nothing.
first_square() {
  game_settle
  game_capture "$E2E_WORK/.field.bmp"
  game_squares "$E2E_WORK/.field.bmp" 12 8 | tr -d '\n' |
    awk -v l="$1" '{ i = index($0, l); if (i) print (i - 1) % 12, int((i - 1) / 12) }'
}
# new_game_with_bomb NAME: a new game, then clicks on covered squares until one explodes:
# BOMB is that square; it was the game's first explosion.
new_game_with_bomb() {
  zd command "$MAIN" $CMD_LAYOUT_12X8 >/dev/null
  BOMB=""
  local square tries=0
  until [ -n "$BOMB" ] || [ $tries -ge 40 ]; do
    tries=$((tries + 1))
    square=$(first_square C)
    [ -n "$square" ] || break
    zd click "$MAIN" $(square_centre $square) >/dev/null
    BOMB=$(first_square X)
  done
  [ -n "$BOMB" ] || e2e_fatal "$1: no bomb found"
  echo "$1: a bomb at ($BOMB) after $tries clicks"
  check_eq "$1: no help after the first explosion" "$(open_help)" ""
}
# click_bomb_times N NAME: N clicks on the bomb, each handled before the next; none of
# them opens any help.
click_bomb_times() {
  local i
  for i in $(seq 1 "$1"); do zd click "$MAIN" $(square_centre $BOMB) >/dev/null; done
  check_eq "$2: no help is open" "$(open_help)" ""
}
# expect_rescue NAME: the click in the background (CLICKING) is held by the confused
# player's help: its first box, then its second, then the instructions dialog, each
# alone and each with the main window disabled; answered with real input.
expect_rescue() {
  local name=$1 caption
  for caption in "Ending the Confusion:" "Ending the Confusion 2:"; do
    require "$name: the box \"$caption\" opens" zd wait "caption:$caption" 20000 >/dev/null
    check_eq "$name: \"$caption\" is the only help open" "$(open_help)" "$caption"
    check "$name: the main window is disabled under \"$caption\"" window_disabled "$MAIN_CAPTION"
    check "$name: the click that exploded the bomb is still being handled" kill -0 "$CLICKING"
    # The real key goes to the box once it is the active window of the game's thread.
    e2e_poll 10 game_window_active "$caption" || e2e_fatal "$name: \"$caption\" never became active"
    xdotool key Return
    check "$name: \"$caption\" closes with Return" zd gone "caption:$caption" 5000
  done
  require "$name: then the instructions" zd wait "$INSTRUCTIONS" 10000 >/dev/null
  check_eq "$name: the instructions are the only help open" "$(open_help)" "Dazivivo Detectors:"
  check "$name: the main window is disabled under the instructions" window_disabled "$MAIN_CAPTION"
}
# dialog_window: the instructions dialog's window rectangle, "left top right bottom".
dialog_window() { zd windows | awk -F'\t' '$3 == "Dazivivo Detectors:" {print $4}'; }
dialog_placed() { [ "$(dialog_window | awk '{print $1, $2}')" = "150 50" ]; }
# check_dialog_place NAME: the instructions dialog at (150, 50), client 360 x 380, and a
# capture of it.
check_dialog_place() {
  local window client
  # Placed as it opens; given up to 5 s to get there.
  e2e_poll 5 dialog_placed
  window=$(dialog_window)
  client=$(zd rect "$INSTRUCTIONS")
  echo "$1: window $window, client $client"
  check_eq "$1: the dialog sits at (150, 50) on the 800 x 600 screen" "$(awk '{print $1, $2}' <<<"$window")" "150 50"
  check_eq "$1: client area 360 x 380" "$(awk '{print $3 - $1, $4 - $2}' <<<"$client")" "360 380"
  zd capture "$INSTRUCTIONS" "$1.bmp" >/dev/null && convert "$1.bmp" "$1.png"
  # The whole screen, to see the dialog over the game.
  import -window root "$1-screen.png" 2>/dev/null || true
}
close_instructions() {
  local ox oy
  read -r ox oy <<<"$(zd rect "$INSTRUCTIONS" | awk '{print $1, $2}')"
  xdotool mousemove $((ox + 80)) $((oy + 350)) click 1
  check "$1: Done closes the instructions" zd gone "$INSTRUCTIONS" 5000
  wait "$CLICKING"
  check_eq "$1: after the instructions nothing more opens" "$(open_help)" ""
}

game_begin level=3 columns=12 rows=8 clock=0
check_eq "the game fills the 800 x 600 screen" "$(zd rect "$MAIN")" "0 0 800 600"
zd key "$MAIN" Q

# ---- game 1: nine explosions, the tenth, the eleventh, then the field to its end ----
new_game_with_bomb "game 1"
click_bomb_times 8 "game 1, nine explosions"
zd click "$MAIN" $(square_centre $BOMB) >/dev/null &
CLICKING=$!
expect_rescue "game 1, the tenth explosion"
check_dialog_place rescue-800x600
close_instructions "game 1"
click_bomb_times 1 "game 1, the eleventh explosion"

# Every other square, column by column: many more explosions, no help, to the end.
zd clickall "$MAIN" 12 8 >/dev/null &
CLICKING=$!
seen="" deadline=$((SECONDS + 300))
while [ $SECONDS -lt $deadline ]; do
  seen+=$(open_help)
  zd windows ZERADE95.exe | cut -f3 | grep -qx "Enter Your Name:" && break
  sleep 0.3
done
check_eq "game 1: no help opens after the tenth explosion up to the end" "$seen" ""
score=$(zd controls "caption:Enter Your Name:" | awk -F'\t' -v id=$IDC_VALUE_SECOND '$2 == id {print $3}')
echo "game 1 ended: $score"
check "game 1: it ended with at least eleven explosions ($score)" \
  bash -c "[[ '$score' =~ ^[0-9]+\ explosions$ ]] && (( ${score%% *} >= 11 ))"
zd press "caption:Enter Your Name:" Done >/dev/null
require "game 1: the high-score dialog" zd wait "caption:High Score for Impossible 12x8 Layout:" 10000 >/dev/null
zd press "caption:High Score for Impossible 12x8 Layout:" Done >/dev/null
zd gone "caption:High Score for Impossible 12x8 Layout:" 10000
wait "$CLICKING"

# ---- game 2: a new game counts again --------------------------------------------------
new_game_with_bomb "game 2"
click_bomb_times 8 "game 2, nine explosions"
zd click "$MAIN" $(square_centre $BOMB) >/dev/null &
CLICKING=$!
expect_rescue "game 2, the tenth explosion"
close_instructions "game 2"

game_exit
