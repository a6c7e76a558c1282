#!/usr/bin/env bash
# Playing: every layout deals and paints its field; clicks uncover and mark; a level
# change gives its notice; piece sets change the picture and not the game; an unknown
# command changes nothing.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
game_begin
# Any key other than F1, N and X only hides the menu bar, which would cover the top
# row of the smallest squares.
zd key "$MAIN" Q

game_capture title.bmp
check "before the first game the title is shown, not the field" \
  bash -c "[ \"\$(python3 '$SCREEN_PY' pixel title.bmp 10 700)\" = '0 0 0' ]"

# Every layout deals a fully covered field that fills the client area.
for layout in "6000 12 8" "6001 16 12" "6002 20 16" "6003 30 24" "6004 40 30" "6005 50 40"; do
  set -- $layout
  zd command "$MAIN" "$1"
  game_settle
  game_capture "layout-$1.bmp"
  squares=$(game_squares "layout-$1.bmp" "$2" "$3")
  covered=$(tr -cd C <<<"$squares" | wc -c)
  check_eq "layout $2 x $3: all $(( $2 * $3 )) squares covered" "$covered" $(( $2 * $3 ))
done

# 16 x 12: a left click uncovers; a right click marks a covered square and a second one
# unmarks it. (Marks are set after the click: a flood that reaches a marked safe square
# uncovers it.)
zd command "$MAIN" $CMD_LAYOUT_16X12
game_settle
zd click "$MAIN" 544 352
game_settle
game_capture played.bmp
squares=$(game_squares played.bmp 16 12)
printf '%s\n' "$squares"
check "left click uncovered square (8, 5)" test "$(sed -n 6p <<<"$squares" | cut -c9)" != C
first_covered() { awk '{ i = index($0, "C"); if (i) { print i - 1, NR - 1; exit } }'; }
read -r col row <<<"$(first_covered <<<"$squares")"
x=$((col * 64 + 32)) y=$((row * 64 + 32))
zd click "$MAIN" $x $y right
game_settle
game_capture marked.bmp
check_eq "right click marks square ($col, $row)" "$(game_squares marked.bmp 16 12 | sed -n "$((row + 1))p" | cut -c$((col + 1)))" M
zd click "$MAIN" $x $y right
game_settle
game_capture unmarked.bmp
check_eq "a second right click unmarks it" "$(game_squares unmarked.bmp 16 12 | sed -n "$((row + 1))p" | cut -c$((col + 1)))" C

# Marks are a memory aid only: a left click on a marked square plays it.
zd click "$MAIN" $x $y right
zd click "$MAIN" $x $y
game_settle
game_capture marked-click.bmp
played=$(game_squares marked-click.bmp 16 12 | sed -n "$((row + 1))p" | cut -c$((col + 1)))
check "a left click on a marked square plays it (now '$played')" test "$played" != M -a "$played" != C

# Mark the first square that is still covered.
read -r mark_col mark_row <<<"$(game_squares marked-click.bmp 16 12 | first_covered)"
zd click "$MAIN" $((mark_col * 64 + 32)) $((mark_row * 64 + 32)) right
game_settle
game_capture marked-again.bmp
before=$(game_squares marked-again.bmp 16 12)
check_eq "square ($mark_col, $mark_row) marked" "$(sed -n "$((mark_row + 1))p" <<<"$before" | cut -c$((mark_col + 1)))" M

# A level change: a notice, and the game in play goes on unchanged.
zd post "$MAIN" $CMD_LEVEL_EXPERT
require "level change gives a notice" zd wait "caption:Notice:" 10000 >/dev/null
check_eq "notice text" "$(zd controls caption:Notice: | awk -F'\t' '$2 == 65535 {print $3}')" \
  "This change will take effect next game."
zd press caption:Notice: OK
zd gone caption:Notice: 5000
game_settle
game_capture after-level.bmp
check_eq "the level change leaves the game in play alone" "$(game_squares after-level.bmp 16 12)" "$before"

# Another piece set: the same game drawn with other images.
zd command "$MAIN" $CMD_TILESET_ELECTRONS
game_settle
game_capture electron.bmp
check "the new set changes the picture" bash -c "! python3 '$SCREEN_PY' same electron.bmp after-level.bmp"
GAME_SET=electron.vod
check_eq "and not the game" "$(game_squares electron.bmp 16 12)" "$before"

# An id that is not a menu command changes nothing.
zd command "$MAIN" 4242
zd command "$MAIN" 7999
game_settle
game_capture unknown.bmp
check "an unknown command changes nothing" python3 "$SCREEN_PY" same unknown.bmp electron.bmp
check_eq "the mark is still there" "$(game_squares unknown.bmp 16 12 | sed -n "$((mark_row + 1))p" | cut -c$((mark_col + 1)))" M

game_exit
