#!/usr/bin/env bash
# game_full_test.sh LAYOUT...: whole games in the layouts given as "COLUMNSxROWS" (for
# example 12x8, started by CMD_LAYOUT_12X8), one after the other in one run of the game.
#
# Whole games: in every layout every square is clicked, column by column, until the
# field is cleared (bombs clicked after the last safe square stay covered). The end of
# the game follows: the first game of each layout on a fresh table is a record, so the
# name is asked for, then the high score shown; the window then shows the background,
# and the finished field ignores further left clicks. A game with ten explosions or more
# opens the confused player's help once on the way; it is answered with real input.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
[ $# -gt 0 ] || e2e_fatal "no layouts given"
LAYOUTS=("$@")
game_prepare
game_options hidenote=1 level=10
E2E_RUN_MS=900000
game_start_ready
zd key "$MAIN" Q

for layout in "${LAYOUTS[@]}"; do
  IFS=x read -r columns rows <<<"$layout"
  set -- "$layout" "$columns" "$rows"
  command=CMD_LAYOUT_${columns}X$rows
  zd command "$MAIN" "${!command}"
  started=$SECONDS
  # The finishing click returns only once the dialogs are closed.
  zd clickall "$MAIN" "$2" "$3" >/dev/null &
  clicking=$!
  # Up to the end the game may open the confused player's help (at its tenth
  # explosion, early in the game); it is answered with real input and counted. Few
  # driver processes are started meanwhile: on a busy machine they slow the game.
  confused=0 deadline=$((SECONDS + 400))
  until zd windows ZERADE95.exe | cut -f3 | grep -qx "Enter Your Name:"; do
    [ $SECONDS -lt $deadline ] || e2e_fatal "$2 x $3: the game did not end with the new-record dialog"
    if zd wait "caption:Ending the Confusion:" 5000 >/dev/null; then
      confused=$((confused + 1))
      check "$2 x $3: the confused player's help is answered" game_answer_confused
      zd wait "caption:Enter Your Name:" $(( (deadline - SECONDS) * 1000 )) >/dev/null
    fi
  done
  score=$(zd controls "caption:Enter Your Name:" | awk -F'\t' -v id=$IDC_VALUE_SECOND '$2 == id {print $3}')
  label=$(zd controls "caption:Enter Your Name:" | awk -F'\t' -v id=$IDC_LABEL_SECOND '$2 == id {print $3}')
  echo "$2 x $3: cleared in $((SECONDS - started)) s: $label $score; confused help opened $confused times"
  explosions=0
  [[ $score =~ ^([0-9]+)\ explosions$ ]] && explosions=${BASH_REMATCH[1]}
  check_eq "$2 x $3: the confused player's help opened once if there were ten explosions, else never" \
    "$confused" "$(( explosions >= 10 ? 1 : 0 ))"
  check "$2 x $3: the new score is a count of explosions up to the bombs, or a perfect time" \
    bash -c "[[ '$label $score' =~ ^New\ Best\ Score:\ [0-9]+\ explosions$ && ${score%% *} -le $(( $2 * $3 / 10 )) ]] ||
             [[ '$label $score' =~ ^New\ Best\ Perfect\ Game\ Score:\ [0-9]{2}:[0-9]{2}:[0-9]{2}$ ]]"
  zd press "caption:Enter Your Name:" Done
  require "$2 x $3: then the high-score dialog" \
    zd wait "caption:High Score for Easy $2x$3 Layout:" 10000 >/dev/null
  zd press "caption:High Score for Easy $2x$3 Layout:" Done
  zd gone "caption:High Score for Easy $2x$3 Layout:" 10000
  wait "$clicking"
  # The clicks go on after the end. A pointer move that Wine makes as a dialog goes (the
  # real pointer standing still) can reach the game between one click's button-down and
  # button-up, and it then paints the board back around the pointer, as for a move with
  # the button held. A real move without the button shows the background there again.
  xdotool mousemove_relative 1 0 mousemove_relative -- -1 0
  game_settle
  game_capture "cleared-$1.bmp"
  check_eq "$2 x $3: the window shows the background all over" \
    "$(game_squares "cleared-$1.bmp" "$2" "$3" | tr -d '\n.' | wc -c)" 0

  # A left click on the finished field changes nothing.
  zd click "$MAIN" $(( 1024 / (2 * $2) )) $(( 768 / (2 * $3) ))
  game_settle
  game_capture "clicked-$1.bmp"
  check "$2 x $3: a left click on the finished field changes nothing" \
    python3 "$SCREEN_PY" same "clicked-$1.bmp" "cleared-$1.bmp"
done
game_exit
