#!/usr/bin/env bash
# deal_finder_test.sh DEAL_ORACLE: end_deal (game_end_lib.sh) against a stand-in for the
# running game, natively. The stand-in deals the board of a seed that lies a chosen number
# of ticks from the driver's two readings, as the game's tick count does when it runs on
# the performance counter, and shows the field that the finder's clicks leave. The finder
# must name that board, explode nothing, and deal again (rather than take a wrong board)
# when the seed lies beyond where it looks.
set -uo pipefail
ZD_SOURCE_DIR=$(cd "$(dirname "$0")/../.." && pwd)
ZD_E2E_STATE=/nonexistent/e2e MAIN=game
. "${ZD_IDS:?}"
. "$ZD_SOURCE_DIR/tests/e2e/game_end_lib.sh"
END_ORACLE=$1
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
E2E_WORK=$fake
failed=0

e2e_fatal() { echo "fatal: $*"; exit 3; }
game_settle() { :; }
game_capture() { :; }
# The stand-in: "zd timed" deals (deal N reads ticks BASE + 1000 N and BASE + 1000 N +
# SPAN, and its seed lies OFFSETS[N-1] ticks after the first reading); a click is only
# remembered by end_click_square; the screen is the oracle's field of the dealt seed.
zd() {
  [ "$1" = timed ] || return 0
  local n t0
  n=$(( $(cat "$fake/deals") + 1 ))
  echo "$n" > "$fake/deals"
  t0=$((BASE + 1000 * n))
  echo $((t0 + OFFSETS[n - 1])) > "$fake/seed"
  echo "$t0" $((t0 + SPAN))
}
game_squares() { end_oracle_block "$(cat "$fake/seed")" 2 | fold -w "$END_COLUMNS"; }

# finds CASE COLUMNS ROWS LEVEL BASE SPAN DEALS OFFSET...: the finder names the board of
# the seed dealt last, after DEALS deals, and none of its clicks was on a bomb.
finds() {
  local name=$1 result
  END_COLUMNS=$2 END_ROWS=$3 END_LEVEL=$4 BASE=$5 SPAN=$6
  local deals=$7
  shift 7
  OFFSETS=("$@")
  echo 0 > "$fake/deals"
  result=$( (end_deal $CMD_LAYOUT_12X8 "$END_COLUMNS" "$END_ROWS" "$END_LEVEL" >"$fake/log"
             echo "$END_SEED ${END_CLICKS[*]}") )
  local found=${result%% *} clicks=${result#* } seed
  seed=$(cat "$fake/seed")
  local why=""
  [ "$(cat "$fake/deals")" = "$deals" ] || why="dealt $(cat "$fake/deals") times, not $deals"
  [ -n "$found" ] && [ "$(end_oracle_block "$found" 1)" = "$(end_oracle_block "$seed" 1)" ] ||
    why+=" took the board of tick ${found:-none}, not that of tick $seed"
  END_CLICKS=($clicks)
  [[ "$(end_oracle_block "$seed" 2)" != *X* ]] || why+=" exploded a bomb"
  if [ -z "$why" ]; then
    echo "ok: $name (${#END_CLICKS[@]} clicks)"
  else
    echo "FAIL: $name:$why"
    sed 's/^/  /' "$fake/log"
    failed=1
  fi
}

finds "12x8: the seed is the driver's reading" 12 8 10 20153400 0 1 0
finds "12x8: the seed is 16 ticks before the readings" 12 8 10 20153400 0 1 -16
finds "12x8: the seed is 20 ticks after two readings 2 apart" 12 8 10 7312345 2 1 22
finds "12x8: a seed 60 ticks away is not taken; the next deal is found" 12 8 10 20153400 0 2 60 3
finds "50x40 at one bomb in four: the seed 9 ticks before the readings" 50 40 4 24105999 1 1 -9
exit $failed
