#!/usr/bin/env bash
# Help: the instructions dialog (its place, size, picture and the count images of the
# set in use), the three boxes behind "More Help", the time bonus and About boxes, the
# confused-player help. Dialogs are driven with real keys and clicks. Runs from a folder with a non-ASCII name.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
GAME_DIR="$E2E_WORK/aide €"
game_prepare
INSTRUCTIONS="caption:Dazivivo Detectors:"

# Every box's caption and text, as the driver prints them (CR and LF escaped).
declare -A BOX
while IFS=$'\t' read -r caption text; do BOX[$caption]=$text; done <<'TEXTS'
How to Play with Dazivivo:	Objective: Try to clear the dazivivo field while exploding as few bombs as possible.\r\n\r\nHow to Play: Click on any square on the screen, and hope it is not a bomb. The square will indicate how many bombs are in squares next to the one you clicked. There are up to 8 adjacent squares, and so there are 8 images that represent the number of adjacent bombs, sometimes by number, and sometimes by color. Different people prefer different image sets, so choose the ones you like.
How to Win Dazivivo:	This is a true mental challenge! Using your brain like never before, you will discover ways to figure out where there is a bomb, and where there can't be one. For example, if a square indicates only 1 bomb is nearby, and only one space could be a bomb, mark it as a bomb!\r\n\r\nMarking Bombs: You can mark squares as bombs by clicking the right mouse button. But be careful, if you mark one wrong, you'll regret it later!
Clearing the Field:	When you click on a space that has zero bombs next to it, it automatically clicks all of the spaces next to it for you. If one of them is also zero, it clicks those too. This is why you will see it rifle across the screen opening up whole sections.
Time Bonuses:	The time bonuses crawl out from under the tiles at random. The more tiles you click, the more likely you'll get one. You should notice the clock turning back a little each time you hit one!
Ending the Confusion:	CLEAR THE AREA: If you seem to be exploding to many bombs, perhaps you need a little help. When you click on a space that has no bombs next to it, that square and all the ones next to it will open up.\r\n\r\nLOOK FOR 'ONES': At this point, you will probably see at least one square that has only ONE bomb next to it, and only ONE covered (hidden) square next to it.\r\n\r\nMARK THE BOMBS: Click the only possible bomb with the right button to mark it as a bomb.\r\n\r\n
Ending the Confusion 2:	USING SOME LOGIC: Now you may have a bomb next to a square marked 'ONE'. Since there can only be one bomb next to it, you can now click all the other squares around it, knowing they all must be free!\r\n\r\nBECOMING AN EXPERT: There are many more complex strategies in this game, but you'll have to crank up a few neurons and find them for yourself. Good luck!
About Revaza's Dazivivo:	
TEXTS

# box_text CAPTION: the text of the open message box CAPTION
box_text() { zd controls "caption:$1" | awk -F'\t' '$2 == 65535 {print $3}'; }
# check_box CAPTION [OWNER]: the box is open with its exact text, and the window that
# asked for it takes no input meanwhile; then OK is pressed with the Return key.
check_box() {
  require "box \"$1\" opens" zd wait "caption:$1" 10000 >/dev/null
  check_eq "box \"$1\": its text" "$(box_text "$1")" "${BOX[$1]}"
  check_eq "box \"$1\": one OK button" "$(zd controls "caption:$1" | awk -F'\t' '$1 == "Button" {print $3}' | tr -d '&')" "OK"
  if [ -n "${2:-}" ]; then
    check "box \"$1\": the window that asked is disabled" window_disabled "$2"
  fi
  xdotool key Return
  check "box \"$1\" closes with OK" zd gone "caption:$1" 5000
}
# window_disabled CAPTION-OR-CLASS: the window's style has WS_DISABLED
window_disabled() {
  local style
  style=$(zd windows | awk -F'\t' -v t="$1" '$2 == t || $3 == t {print $NF; exit}')
  [ -n "$style" ] && (( (16#${style#0x} & 0x08000000) != 0 ))
}
# The instructions dialog is the active window of its thread (real keys go to it).
instructions_active() {
  [ "$(zd focus "$INSTRUCTIONS" | sed -n 2p | cut -f3)" = "${INSTRUCTIONS#caption:}" ]
}
main_running() { zd wait "$MAIN" 1000 >/dev/null; }
# client_origin TARGET: "X Y" of the client area's top-left corner on the screen
client_origin() { zd rect "$1" | awk '{print $1, $2}'; }
# click_dialog X Y: a real click at client (X, Y) of the instructions dialog
click_dialog() {
  local ox oy
  read -r ox oy <<<"$(client_origin "$INSTRUCTIONS")"
  xdotool mousemove $((ox + $1)) $((oy + $2)) click 1
}
# check_instructions NAME SET: the dialog's place, size and painting, with the count
# images of piece set SET down its left edge.
check_instructions() {
  local name=$1 set=$2
  require "$name: the instructions open" zd wait "$INSTRUCTIONS" 10000 >/dev/null
  local window client
  window=$(zd windows | awk -F'\t' '$3 == "Dazivivo Detectors:" {print $4}')
  client=$(zd rect "$INSTRUCTIONS")
  echo "$name: window $window, client $client"
  check_eq "$name: the dialog sits at (150, 50)" "$(awk '{print $1, $2}' <<<"$window")" "150 50"
  check_eq "$name: client area 360 x 380" "$(awk '{print $3 - $1, $4 - $2}' <<<"$client")" "360 380"
  check_eq "$name: its buttons" "$(zd controls "$INSTRUCTIONS" | awk -F'\t' '$1 == "Button" {print $2 ":" $3}' | sort | tr '\n' ' ')" "1:&Done 3000:&More Help "
  check "$name: the main window takes no input meanwhile" window_disabled "Revaza's Dazivivo, Version 1.0!"
  # The picture, unscaled at (0, 0), right of the count images: captured until it shows
  # (up to 10 s).
  local differ deadline=$((SECONDS + 10))
  while :; do
    zd capture "$INSTRUCTIONS" "$name.bmp" >/dev/null || e2e_fatal "capture $name"
    convert "$name.bmp" -crop 300x320+60+0 +repage -type truecolor "BMP3:$name-picture.bmp"
    differ=$(compare -metric AE -fuzz 4% "$name-picture.bmp" .picture.bmp null: 2>&1)
    [ "${differ%%.*}" -lt 1000 ] 2>/dev/null || [ $SECONDS -ge $deadline ] && break
    sleep 0.1
  done
  convert "$name.bmp" "$name.png"
  check "$name: the instructions picture is painted at (0, 0) ($differ of 96000 pixels differ)" \
    test "${differ%%.*}" -lt 1000
  # The eight count images, 40 x 40 at x = 12, y = 40k.
  convert "$name.bmp" -crop 40x320+12+0 +repage -type truecolor "BMP3:$name-counts.bmp"
  convert "$GAME_DIR/$set" -type truecolor "BMP3:.set-$set.bmp"
  check_eq "$name: the count images 1..8 of $set down the left edge" \
    "$(python3 "$SCREEN_PY" squares "$name-counts.bmp" 1 8 ".set-$set.bmp" | tr -d '\n')" 12345678
}

convert "$ZD_SOURCE_DIR/resources/pictures/bombinst.png" -crop 300x320+60+0 +repage \
  -type truecolor BMP3:.picture.bmp

game_options hidenote=1 level=3 columns=12 rows=8 clock=0
game_start_ready

# --- F1: the instructions with the default set; Done closes them -------------------------
game_focus_click
xdotool key F1
check_instructions rosewood rosewood.vod
click_dialog 80 350
check "Done closes the instructions" zd gone "$INSTRUCTIONS" 5000
# Escape on the real keyboard closes them too.
xdotool key F1
require "F1 opens the instructions again" zd wait "$INSTRUCTIONS" 10000 >/dev/null
e2e_poll 10 instructions_active
xdotool key Escape
check "Escape closes the instructions" zd gone "$INSTRUCTIONS" 5000

# --- another set: its count images; More Help: three boxes, then the dialog closes --------
zd command "$MAIN" $CMD_TILESET_ELECTRONS
xdotool mousemove 600 500
wait_menu hidden >/dev/null
zd post "$MAIN" $CMD_HOW_TO_PLAY
check_instructions electron electron.vod
check "the two sets' count images differ" bash -c '! cmp -s rosewood-counts.bmp electron-counts.bmp'
click_dialog 260 350
check_box "How to Play with Dazivivo:" "Dazivivo Detectors:"
check_box "How to Win Dazivivo:" "Dazivivo Detectors:"
check_box "Clearing the Field:" "Dazivivo Detectors:"
check "after the third box the instructions close" zd gone "$INSTRUCTIONS" 5000

# --- Time Bonuses, About --------------------------------------------------------------------
zd post "$MAIN" $CMD_TIME_BONUSES
check_box "Time Bonuses:" "Revaza's Dazivivo, Version 1.0!"
# About, chosen from the menu bar with real input. The menu bar stays on the screen while
# the box is open, but takes no input: a click on "Play Game" and its Exit key do nothing.
game_focus_click
zd move "$MAIN" 0 0
deadline=$((SECONDS + 10))
until zd controls "$MAIN" | grep -qP '^#32770\t.*\tvisible\t' || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
import -window root menubar.png && convert menubar.png -type truecolor BMP3:menubar.bmp
titles=$(python3 "$SCREEN_PY" menubar menubar.bmp)
require "the menu bar shows its five titles" test "$(wc -l <<<"$titles")" -eq 5
xdotool mousemove "$(sed -n 5p <<<"$titles")" 9 click 1
check "a click on Help opens its menu" e2e_poll 10 popups 1
xdotool key a
require "Help > About opens the About box" zd wait "caption:About Revaza's Dazivivo:" 10000 >/dev/null
xdotool mousemove "$(sed -n 1p <<<"$titles")" 9 click 1
sleep 0.8  # timed: no menu may open within 0.8 s
check_eq "with the box open, a click on the menu bar opens no menu" \
  "$(zd windows | awk -F'\t' '$2 == "#32768"' | wc -l)" 0
xdotool key x
sleep 1  # timed: the game must still run a second later
check "and Exit's key leaves the game running" main_running
check_box "About Revaza's Dazivivo:" "Revaza's Dazivivo, Version 1.0!"

# --- I'm Confused: two boxes, then the instructions ------------------------------------------
zd post "$MAIN" $CMD_CONFUSED
check_box "Ending the Confusion:" "Revaza's Dazivivo, Version 1.0!"
check_box "Ending the Confusion 2:" "Revaza's Dazivivo, Version 1.0!"
require "then the instructions" zd wait "$INSTRUCTIONS" 10000 >/dev/null
click_dialog 80 350
check "Done closes them" zd gone "$INSTRUCTIONS" 5000

game_exit
