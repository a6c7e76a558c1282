#!/usr/bin/env bash
# The game on a 256-colour display: it starts, shows its title and draws its field.
. "$(dirname "$0")/harness.sh"
e2e_begin
e2e_display 8
. "$(dirname "$0")/game_lib.sh"
game_prepare
game_options hidenote=1
check_eq "the display has 8 bits" "$(xdpyinfo | awk '/depth of root window/ {print $5}')" 8
game_start_ready
game_capture title.bmp
zd key "$MAIN" Q
zd key "$MAIN" N
game_settle
game_capture field.bmp
check "the field replaces the title" bash -c "! python3 '$SCREEN_PY' same title.bmp field.bmp"
# Every square of a new game is covered: the same picture in every square of a size.
same=0
for square in "0 0" "5 5" "10 3" "15 11"; do
  set -- $square
  [ "$(python3 "$SCREEN_PY" pixel field.bmp $(( $1 * 64 + 20 )) $(( $2 * 64 + 40 )))" = \
    "$(python3 "$SCREEN_PY" pixel field.bmp 20 40)" ] && same=$((same + 1))
done
check_eq "covered squares look alike" "$same" 4
check "covered squares are not black" test "$(python3 "$SCREEN_PY" pixel field.bmp 20 40)" != "0 0 0"
game_exit
