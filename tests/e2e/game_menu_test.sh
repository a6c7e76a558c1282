#!/usr/bin/env bash
# The hidden menu bar: the pointer rule at the top-left corner, and the three keys.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
game_prepare
game_options
# The pointer rests on the menu bar's place as the game appears: the window manager hands
# the new window a move of the pointer, and one over the field would hide the bar at once.
xdotool mousemove 100 5
game_start_ready

check_eq "the menu bar is shown when the game first appears" "$(menu_state)" visible

# A real click on the field gives the main window the keyboard focus (before the first
# game a click plays nothing); the real pointer's move there hides the menu bar.
game_focus_click
zd move "$MAIN" 0 0
check_eq "the pointer at (0, 0) shows the menu bar" "$(wait_menu visible)" visible
zd move "$MAIN" 300 300
check_eq "a move onto the field hides it" "$(wait_menu hidden)" hidden
zd move "$MAIN" 0 0
check_eq "at (0, 0) shown again" "$(wait_menu visible)" visible
zd move "$MAIN" 1 0
check_eq "at (1, 0) it is hidden again" "$(wait_menu hidden)" hidden
zd move "$MAIN" 0 0
check_eq "at (0, 0) shown once more" "$(wait_menu visible)" visible
zd move "$MAIN" 0 1
check_eq "at (0, 1) hidden again" "$(wait_menu hidden)" hidden

# Any key other than F1, N and X only hides the menu bar.
zd move "$MAIN" 0 0
wait_menu visible >/dev/null
game_capture before-key.bmp
zd key "$MAIN" Q
check_eq "another key hides the menu bar" "$(wait_menu hidden)" hidden
game_settle
game_capture after-key.bmp
check "and leaves the title on the screen" \
  bash -c "[ \"\$(python3 '$SCREEN_PY' pixel after-key.bmp 512 384)\" = \"\$(python3 '$SCREEN_PY' pixel before-key.bmp 512 384)\" ]"

# N starts a game at once.
zd key "$MAIN" N
game_settle
game_capture new-game.bmp
squares=$(game_squares new-game.bmp 16 12)
check_eq "N deals a new 16 x 12 game" "$(tr -cd C <<<"$squares" | wc -c)" 192

# X ends the program.
zd key "$MAIN" X
check_eq "X ends the program with exit code 0" "$(e2e_exit_code game 30)" 0
