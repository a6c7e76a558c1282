#!/usr/bin/env bash
# Whole games: in every layout every square is clicked, column by column, until the
# field is cleared (bombs clicked after the last safe square stay covered); the cleared
# field then ignores further left clicks.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
game_prepare
game_options hidenote=1 level=10
game_start
game_ready_without_note
zd key "$MAIN" Q

for layout in "6000 12 8" "6001 16 12" "6002 20 16" "6003 30 24" "6004 40 30" "6005 50 40"; do
  set -- $layout
  zd command "$MAIN" "$1"
  started=$SECONDS
  zd clickall "$MAIN" "$2" "$3"
  game_settle
  game_capture "cleared-$1.bmp"
  squares=$(game_squares "cleared-$1.bmp" "$2" "$3")
  covered=$(tr -cd C <<<"$squares" | wc -c)
  exploded=$(tr -cd X <<<"$squares" | wc -c)
  echo "$2 x $3: cleared in $((SECONDS - started)) s, $exploded bombs exploded, $covered left covered"
  check_eq "$2 x $3: no mark is left" "$(tr -cd M <<<"$squares" | wc -c)" 0
  check_eq "$2 x $3: only the $(( $2 * $3 / 10 )) bombs are exploded or covered" \
    $((covered + exploded)) $(( $2 * $3 / 10 ))

  # A left click on the cleared field changes nothing: not on a covered bomb, which
  # would explode during a game, nor on an exploded one.
  bomb=$(awk '{ i = index($0, "C"); if (i) { print i - 1, NR - 1; exit } }' <<<"$squares")
  [ -n "$bomb" ] || bomb=$(awk '{ i = index($0, "X"); if (i) { print i - 1, NR - 1; exit } }' <<<"$squares")
  read -r col row <<<"$bomb"
  zd click "$MAIN" $(( (2 * col + 1) * 1024 / (2 * $2) )) $(( (2 * row + 1) * 768 / (2 * $3) ))
  game_settle
  game_capture "clicked-$1.bmp"
  check "$2 x $3: a left click on the cleared field changes nothing" \
    python3 "$SCREEN_PY" same "clicked-$1.bmp" "cleared-$1.bmp"
done
game_exit
