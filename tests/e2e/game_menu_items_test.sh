#!/usr/bin/env bash
# The game's menu item by item, and its check marks at run time read off the screen.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
game_prepare

# --- the menu resource of the program ---------------------------------------------------
expected="0 popup &Play Game
1 6100 Start &New Game (Current Layout, Level)
1 0 -
1 6001 Start New &Tiny 16x12 Game
1 6002 Start New &Medium 20x16 Game
1 0 -
1 6000 Start New &Miniature 12x8 Game
1 6003 Start New &Big 30x24 Game
1 6004 Start New &Large 40x30 Game
1 6005 Start New &Gigantic 50x40 Game
1 0 -
1 popup &Choose Explosion Sound Effect
2 8200 &Normal Explosion!
2 8201 &Nuclear Explosion!
2 8202 &Gosh Darn It!
2 8203 &Awe Schucks!
1 212 &Sound Toggle
1 121 &Show Clock Toggle
1 popup Screen &Mode
2 2101 &Full Screen Mode
2 2100 &Normal Window
2 2102 &Reduce Game to Icon
1 0 -
1 120 &Capture Game Screen
1 209 Save &Options
1 108 E&xit Dazivivo (X)
0 popup Set &Difficulty
1 0 -
1 6108 Medium (1 Bomb per 8 Squares)
1 6106 Advanced (1 Bomb per 5 Squares)
1 0 -
1 6110 Easy (1 Bomb per 10 Squares)
1 6104 Expert (1 Bomb per 4 Squares)
1 6103 Impossible (1 Bomb per 3 Squares)
0 popup Choose Piece &Images
1 8103 Rosewood and Flower from Vavazezod
1 8110 Hot Electrons
1 0 -
1 8100 Ray-Traced Hot Metal
1 8101 3-D Abstract Stone
1 8102 Dark Circles From Vavazezod
1 8104 Radioactive Glow
1 8105 Soft Tubes and Flowers
1 8106 Aluminum Shielding
1 8107 Mutant Irradiated Faces
1 8108 Swirling Vod Meters
1 8109 Exploding Arrows
1 8111 Exciting Sampler
0 popup &Background
1 115 &Open Background Image
1 0 -
1 117 Generate Landscape (Takes a While)
1 116 Generate Multi-color Landscape
1 118 Generate Banded 3D Fractal
1 0 -
1 7020 -
1 7021 -
1 7022 -
1 7023 -
1 7024 -
1 7025 -
1 7026 -
1 7027 -
1 7028 -
1 7029 -
1 0 -
1 119 &Save Current Background Image
0 popup &Help
1 500 &How to Play (F1)
1 505 &Time Bonuses
1 506 &I'm Confused
1 502 &About Dazivivo"
actual=$(zd menu "$(winpath "$GAME_DIR/ZERADE95.exe")" VodMenu | awk -F'\t' '{print $1, $2, $4}')
check_eq "VodMenu item by item" "$actual" "$expected"
check_eq "no item of the resource carries a check mark" \
  "$(zd menu "$(winpath "$GAME_DIR/ZERADE95.exe")" VodMenu | awk -F'\t' '$3 ~ /8/' | wc -l)" 0

# --- check marks at run time --------------------------------------------------------------
game_options hidenote=1 level=8 columns=16 rows=12
game_start_ready

screen_shot() {
  import -window root "$1.png" && convert "$1.png" -type truecolor "BMP3:$1.bmp"
}
# open_popup NAME TITLE: opens pop-up TITLE (1-based) of the menu dialog's menu bar with
# real input and prints what it shows (see screen.py popup).
open_popup() {
  screen_shot "$1-before"
  local x
  x=$(python3 "$SCREEN_PY" menubar "$1-before.bmp" | sed -n "$2p")
  [ -n "$x" ] || { echo "no menu title $2"; return; }
  xdotool mousemove "$x" 9 click 1
  e2e_poll 10 popups 1
  screen_settled "$1-open"
  xdotool key Escape
  e2e_poll 10 popups 0
  xdotool key Escape
  e2e_poll 10 menu_mode_ended
  python3 "$SCREEN_PY" popup "$1-before.bmp" "$1-open.bmp"
}
# The game's thread has left menu mode (GUI_INMENUMODE).
menu_mode_ended() {
  local flags
  flags=$(zd focus "$MAIN" | awk -F'\t' '$1 == "flags" {print $2}')
  [ -n "$flags" ] && [ $((16#$flags & 4)) -eq 0 ]
}
# screen_settled NAME: screen shots NAME until two in a row are the same (up to 10 s).
screen_settled() {
  local previous="" current deadline=$((SECONDS + 10))
  while [ $SECONDS -lt $deadline ]; do
    screen_shot "$1"
    current=$(md5sum < "$1.bmp")
    [ "$current" = "$previous" ] && return 0
    previous=$current
    sleep 0.1
  done
}
show_menu_bar() {
  zd move "$MAIN" 0 0
  local deadline=$((SECONDS + 10))
  until zd controls "$MAIN" | grep -qP '^#32770\t.*\tvisible\t' || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
}

# The field gets the focus (a click before the first game plays nothing); the menu bar
# is shown by the pointer rule.
game_focus_click
show_menu_bar
check_eq "Set Difficulty: the level of the game dealt (8) is checked" "$(open_popup level1 2)" "-*.-..."
check_eq "Play Game: the layout of the game dealt (16 x 12) is checked" "$(open_popup layout1 1)" ".-*.-....-....-..."

zd command "$MAIN" $CMD_LAYOUT_30X24
zd post "$MAIN" $CMD_LEVEL_EXPERT
require "level notice" zd wait caption:Notice: 10000 >/dev/null
zd press caption:Notice: OK
zd gone caption:Notice: 5000
show_menu_bar
check_eq "a new layout moves the layout check at once" "$(open_popup layout2 1)" ".-..-.*..-....-..."
check_eq "a level change leaves the level check on the game in play" "$(open_popup level2 2)" "-*.-..."

zd key "$MAIN" N
show_menu_bar
check_eq "the next game moves the level check" "$(open_popup level3 2)" "-..-.*."
game_exit
