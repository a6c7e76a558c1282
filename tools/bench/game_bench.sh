#!/usr/bin/env bash
# game_bench.sh [BUILD_DIR]: the game's speed under Wine on a private Xvfb display.
# Prints figures; passes or fails nothing (the machines are shared and noisy).
#   - a full repaint of the 50 x 40 field at 1024 x 768 (median of 200; goal < 16 ms)
#   - the time from starting the program to the title picture (goal < 1 s, Wine up)
#   - the CPU the game uses while a game sits idle for ten seconds (goal near zero)
set -uo pipefail
. "$(dirname "$0")/bench_lib.sh"
bench_begin game "${1:-}"
. "$top/tests/e2e/game_lib.sh"
game_prepare
game_options hidenote=1 level=8 columns=50 rows=40

# Wine is up (a first program ran); now the game's own start-up.
wine "$ZD_DRIVER" tick >/dev/null 2>&1
wine "$ZD_DRIVER" watch "$MAIN" 20000 "$E2E_WORK/frame" > frames.txt 2>/dev/null &
watcher=$!
sleep 1
wine "$ZD_DRIVER" run "$(winpath "$GAME_DIR")" "$(winpath "$GAME_DIR/ZERADE95.exe")" 600000 \
  > run.out 2> run.err &
game=$!
deadline=$((SECONDS + 30))
until grep -q started run.err 2>/dev/null || [ $SECONDS -ge $deadline ]; do sleep 0.05; done
started=$(tr -d '\r' < run.err | awk -F'\t' '/^started/ {print $2}')
title=""
while [ -z "$title" ] && [ $SECONDS -lt $deadline ]; do
  while read -r ms file tick; do
    [ -f "$file" ] || continue
    if [ "$(python3 "$SCREEN_PY" pixel "$file" 512 300)" != "0 0 0" ] &&
       [ "$(python3 "$SCREEN_PY" count "$file" 255 50 180)" -lt 100 ]; then
      title=$tick
      break
    fi
  done < <(tr -d '\r' < frames.txt)
  sleep 0.2
done
kill $watcher 2>/dev/null
echo "start to title picture: $((title - started)) ms (goal: under 1000 ms)"

zd key "$MAIN" Q >/dev/null
zd key "$MAIN" N >/dev/null
game_clickall 25 40                     # half the field uncovered: every kind of square
zd repaint "$MAIN" 20 >/dev/null        # warm up
echo "full repaint of the 50 x 40 field at 1024 x 768: $(zd repaint "$MAIN" 200 | awk -F'\t' '{printf "median %s ms, fastest %s ms, slowest %s ms", $2, $4, $6}') (goal: under 16 ms)"

pid=$(pgrep -f 'ZERADE95.exe' | while read -r p; do [ "$(cat /proc/$p/comm)" = ZERADE95.exe ] && echo "$p"; done | head -n1)
if [ -n "$pid" ]; then
  ticks=$(getconf CLK_TCK)
  before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep 10
  after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  echo "CPU while idle for 10 s: $(( (after - before) * 1000 / ticks )) ms (goal: near zero)"
fi
zd command "$MAIN" 108 >/dev/null
wait $game 2>/dev/null
