#!/usr/bin/env bash
# The game clock: it appears at (500, 300) at the first tick after a deal and counts
# whole seconds; it steps 10 pixels away from the pointer per mouse message and jumps
# back inside when pushed into the 20-pixel margin; hidden, it is not drawn but still
# dodges. Then, on a board the test knows, safe squares are uncovered up to the click that
# brings the first time bonus: its balls are seen crawling, the field is restored exactly,
# the clock is turned back by 8 or 11 s, and no GDI object is left over.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
GAME_DIR="$E2E_WORK/Spiel €"
game_begin clock=1 level=4 columns=50 rows=40
zd key "$MAIN" Q
# The real pointer goes far from the clock's first place, so no move of its own can
# reach it.
zd cursor "$MAIN" 1000 740

CLOCK_FIELD=""   # a capture of the field with no clock on it
clock_box() { python3 "$SCREEN_PY" diffcount "$1" "$CLOCK_FIELD"; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
# capture_timed FILE: a capture, noting when it began and ended (ms) in FILE.time.
capture_timed() {
  local start
  start=$(now_ms)
  game_capture "$1"
  echo "$start $(now_ms)" > "$1.time"
}

# ---- It appears and counts ------------------------------------------------------------
deal_start=$(now_ms)
zd command "$MAIN" $CMD_LAYOUT_50X40
deal_end=$(now_ms)
game_settle
zd command "$MAIN" $CMD_CLOCK_TOGGLE  # hidden: the field alone, repainted whole
sleep 1.3  # timed: a tick passes, which must not draw the hidden clock
game_capture field.bmp
CLOCK_FIELD=field.bmp
zd command "$MAIN" $CMD_CLOCK_TOGGLE  # shown again: it comes back at the next tick
sleep 1.3  # timed: a tick passes (capture_timed reads the clock against the time)
capture_timed clock-a.bmp
read -r left top right bottom count <<<"$(clock_box clock-a.bmp)"
echo "clock drawn over $left,$top - $right,$bottom ($count pixels)"
check "the clock is drawn inside (500, 300) - (596, 396)" \
  test "${left:-0}" -ge 500 -a "${top:-0}" -ge 300 -a "${right:-999}" -le 596 -a "${bottom:-999}" -le 396
check "and fills most of it" test "${count:-0}" -ge 4000
# Where the face's drawn pixels begin within its 96 x 96 square.
face_dx=$((left - 500)) face_dy=$((top - 300))
# The clock shows the whole seconds since the deal: at a capture, at least the seconds
# from the deal's end to the capture's start, at most those from the deal's start to
# the capture's end (it is drawn once a second: one less may show).
first=$(python3 "$SCREEN_PY" clock clock-a.bmp 500 300)
read -r a_start a_end < clock-a.bmp.time
echo "the clock read $first s, $(( (a_start - deal_end) / 1000 ))..$(( (a_end - deal_start) / 1000 )) s after the deal"
check "it runs from the deal: $first s" \
  test "$first" -ge $(( (a_start - deal_end) / 1000 - 1 )) -a "$first" -le $(( (a_end - deal_start) / 1000 ))
sleep 2.2  # timed: the game's clock runs on
capture_timed clock-b.bmp
second=$(python3 "$SCREEN_PY" clock clock-b.bmp 500 300)
read -r b_start b_end < clock-b.bmp.time
low=$(( (b_start - a_end) / 1000 - 1 )) high=$(( (b_end - a_start) / 1000 + 1 ))
echo "then $second s, $((b_start - a_end))..$((b_end - a_start)) ms later"
check "it counts whole seconds: $first, then $second ($low..$high more)" \
  test $((second - first)) -ge "$low" -a $((second - first)) -le "$high" -a "$second" -gt "$first"

# Where the clock is on a capture, from the box of what it draws over the field.
clock_at() {
  local l t r b n
  read -r l t r b n <<<"$(clock_box "$1")"
  echo "$((l - face_dx)) $((t - face_dy))"
}
# clock_moved_from X Y SHOT: the clock is no longer at (X, Y) on a new capture SHOT.
clock_moved_from() { game_capture "$3"; [ "$(clock_at "$3")" != "$1 $2" ]; }

# ---- It dodges the pointer ------------------------------------------------------------
# The pointer up and to the left of the centre (548, 348), within 144 pixels: each
# mouse message moves the clock 10 pixels right and down.
x=500 y=300
for step in 1 2 3; do
  zd move "$MAIN" 448 248
  game_capture "dodge-$step.bmp"
  x=$((x + 10)) y=$((y + 10))
  check_eq "mouse message $step moves the clock to ($x, $y)" "$(clock_at "dodge-$step.bmp")" "$x $y"
done
# The old places were erased: the clock's pixels still fill one face only.
read -r _ _ _ _ moved_count <<<"$(clock_box dodge-3.bmp)"
check "the old places are erased ($moved_count pixels against $count)" \
  test "$moved_count" -le $((count + 300)) -a "$moved_count" -ge $((count - 300))

# The real pointer, put beside the clock's centre, moves it away too.
zd cursor "$MAIN" $((x + 48 + 60)) $((y + 48))
e2e_poll 5 clock_moved_from "$x" "$y" dodge-real.bmp
read -r real_x real_y <<<"$(clock_at dodge-real.bmp)"
echo "the real pointer moved the clock to ($real_x, $real_y)"
check "the real pointer pushes the clock left" test "$real_x" -lt "$x"
zd cursor "$MAIN" 1000 740
sleep 0.3  # timed: the clock may or may not move for a pointer that far away
game_capture dodge-real2.bmp
read -r x y <<<"$(clock_at dodge-real2.bmp)"

# Pushed up and left, message after message, until its top reaches the margin.
steps=$(( (y - 20) / 10 ))
for _ in $(seq 1 "$steps"); do
  zd move "$MAIN" $((x + 48 + 100)) $((y + 48 + 100))
  x=$((x - 10)) y=$((y - 10))
done
game_capture margin-before.bmp
check_eq "pushed $steps times, the clock is at ($x, $y)" "$(clock_at margin-before.bmp)" "$x $y"
zd move "$MAIN" $((x + 48 + 100)) $((y + 48 + 100))
game_capture margin-jump.bmp
read -r jump_x jump_y <<<"$(clock_at margin-jump.bmp)"
echo "one step more would have put it at ($((x - 10)), $((y - 10))): it jumped to ($jump_x, $jump_y)"
check "it jumped to a place at least 20 pixels inside" \
  test "$jump_x" -ge 20 -a "$jump_x" -le $((1024 - 116)) -a "$jump_y" -ge 20 -a "$jump_y" -le $((768 - 116)) \
       -a "$jump_y" -ne $((y - 10))
x=$jump_x y=$jump_y

# ---- Hidden, it is not drawn but still dodges -------------------------------------------
zd command "$MAIN" $CMD_CLOCK_TOGGLE
sleep 1.3  # timed: a tick passes, which must not draw the hidden clock
game_capture hidden.bmp
check_eq "hidden: the timer draws nothing" "$(clock_box hidden.bmp)" none
# The pointer on the side away from the middle of the field: the clock moves toward it,
# never into the margin.
if [ $((x + 48)) -lt 512 ]; then px=$((x + 48 - 60)) sx=10; else px=$((x + 48 + 60)) sx=-10; fi
if [ $((y + 48)) -lt 384 ]; then py=$((y + 48 - 60)) sy=10; else py=$((y + 48 + 60)) sy=-10; fi
zd move "$MAIN" "$px" "$py"
sleep 1.2  # timed: nothing may be drawn for the hidden clock's move, nor at the tick
game_capture hidden-moved.bmp
check_eq "hidden: a mouse move draws nothing" "$(clock_box hidden-moved.bmp)" none
zd command "$MAIN" $CMD_CLOCK_TOGGLE
sleep 1.3  # timed: a tick passes, which draws the clock again
game_capture shown-again.bmp
x=$((x + sx)) y=$((y + sy))
check_eq "shown again, it is where the hidden clock moved: ($x, $y)" "$(clock_at shown-again.bmp)" "$x $y"

# ---- A time bonus ------------------------------------------------------------------------
# A new board whose bombs the test knows (the clock hidden while the squares are read).
# Only safe covered squares far from the clock are clicked, so no bomb explodes, no help
# box opens and no click moves the clock; each such click draws one number from the
# generator that dealt the board, so the oracle knows which click brings the first bonus
# and how large it is. The clicks before the bonus click are made at once; then the field
# must be the one the oracle shows, for the board is known only from the few squares the
# deal's clicks uncovered (and a board dealt a tick before or after those the test saw
# may show the same). Should that fail, or the deal's own clicks have brought a bonus
# (the generator is then reseeded from the tick count), the board is dealt again.
. "$(dirname "$0")/game_end_lib.sh"
plan=unknown
for deal in 1 2 3 4; do
  zd command "$MAIN" $CMD_CLOCK_TOGGLE
  end_deal $CMD_LAYOUT_50X40 50 40 4
  game_settle
  game_capture dealt.bmp
  CLOCK_FIELD=dealt.bmp
  zd command "$MAIN" $CMD_CLOCK_TOGGLE
  # Shown again, the clock comes back at the next tick, wherever the deal's clicks left it.
  box=none deadline=$((SECONDS + 10))
  while [ $SECONDS -lt $deadline ]; do
    game_capture before.bmp
    box=$(clock_box before.bmp)
    [ "$box" != none ] && [ "$(cut -d' ' -f5 <<<"$box")" -ge 4000 ] && break
    sleep 0.2
  done
  require "the clock is drawn on the new board" test "$box" != none
  read -r x y <<<"$(clock_at before.bmp)"
  plan=$("$END_ORACLE" --bonus-plan "1024,768,$((x + 48)),$((y + 48)),170,150" 50 40 4 "$END_SEED" \
    "${END_CLICKS[@]}")
  [ "$plan" = unknown ] && continue
  skip=$(sed -n 2p <<<"$plan")
  before_clicks=$(tr -cd x <<<"$skip" | wc -c)
  [ "$before_clicks" -gt 0 ] || break
  zd clickall "$MAIN" 50 40 "$skip" >/dev/null
  for i in $(seq 0 $((50 * 40 - 1))); do
    [ "${skip:i:1}" = x ] && END_CLICKS+=("$((i % 50)),$((i / 50))")
  done
  game_settle
  game_capture planned.bmp
  cp planned.bmp "planned-$deal.bmp"
  # The squares under the clock are left out of the comparison.
  if python3 - "$(game_squares planned.bmp 50 40 | tr -d '\n')" \
      "$(end_oracle_block "$END_SEED" 2)" "$x" "$y" <<'PY'
import sys
shown, expected, x, y = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
for i, (a, b) in enumerate(zip(shown, expected)):
    col, row = i % 50, i // 50
    under_clock = (col + 1) * 1024 // 50 > x and col * 1024 // 50 < x + 96 and \
        (row + 1) * 768 // 40 > y and row * 768 // 40 < y + 96
    if a != b and not under_clock:
        differ = [(j % 50, j // 50, s, e) for j, (s, e) in enumerate(zip(shown, expected)) if s != e]
        print("%d squares differ, the first: " % len(differ) +
              ", ".join("(%d, %d) shows %s, the board %s" % d for d in differ[:4]))
        sys.exit(1)
PY
  then
    break
  fi
  echo "the field after the planned clicks is not that of board $END_SEED: dealing again"
  plan=unknown
done
read -r kind col row ball_count <<<"$(head -n1 <<<"$plan")"
require "the oracle knows where the first bonus comes (deal $deal: $kind)" test "$kind" = bonus
clock_rect="$x,$y,$((x + 96)),$((y + 96))"
echo "the clock is at ($x, $y) on board $END_SEED; a bonus of $ball_count ball(s) comes at click" \
  "$((before_clicks + 1)), on square ($col, $row)"

# The game's tick count against this shell's clock: the deal was at tick END_SEED, so
# the time the clock should show at a moment of the shell is known within a second.
t_before=$(now_ms); tick=$(zd tick); t_after=$(now_ms)
deal_ms=$(( (t_before + t_after) / 2 - (tick - END_SEED) ))
# behind FILE: "LAG READING": how many seconds the clock on capture FILE is behind the
# time since the deal, and what it reads (empty when no clock can be read there).
behind() {
  local reading start
  reading=$(python3 "$SCREEN_PY" clock "$1" "$x" "$y" 2>/dev/null) || return 0
  read -r start _ < "$1.time"
  echo $(( (start - deal_ms) / 1000 - reading )) "$reading"
}
# read_behind FILE: captures FILE until its clock can be read (a flood may have painted
# over the face until the next tick), for at most 5 s.
read_behind() {
  local deadline=$((SECONDS + 5)) result
  while :; do
    capture_timed "$1"
    result=$(behind "$1")
    [ -n "$result" ] || [ $SECONDS -ge $deadline ] && break
    sleep 0.2
  done
  echo "$result"
}

export ZD_SEND_TIMEOUT=20000
e2e_gdi_countable && gdi_before=$(zd gdi ZERADE95.exe)
# fresh_behind FILE: read_behind of a face drawn after this moment: the face on the
# screen may have been drawn before the last click was handled, so the reading is taken
# once it has changed, at the next tick (for at most 5 s).
fresh_behind() {
  local first result deadline=$((SECONDS + 5))
  read -r _ first <<<"$(read_behind "$1")"
  while :; do
    result=$(read_behind "$1")
    [ -n "$result" ] && [ "${result#* }" != "$first" ] || [ $SECONDS -ge $deadline ] && break
    sleep 0.1
  done
  echo "$result"
}

# The bonus click, watched.
read -r lag0 reading <<<"$(fresh_behind before.bmp)"
require "the clock can be read before the bonus click" test -n "$lag0"
rm -f click-*.bmp
handled=$(zd clickwatch "$MAIN" $(end_square_centre "$col" "$row") click 30 |
  awk '$1 == "handled" { print $2 }')
read -r lag now <<<"$(fresh_behind after.bmp)"
require "the clock can be read after the bonus click" test -n "$lag"
turned=$((lag - lag0)) expected=8
[ "$ball_count" = 4 ] && expected=11
echo "the bonus click was handled in $handled ms; the clock read $reading s before it and" \
  "$now s after it, $lag0 s and then $lag s behind the time since the deal"
# The clock runs on during the animation and is then turned back by the bonus; each
# reading may be up to a second old, and the shell's clock is matched to the game's
# within a second.
check "the clock was turned back by $expected s ($turned)" \
  test "$turned" -ge $((expected - 2)) -a "$turned" -le $((expected + 2))

# The field as painted afresh, without the clock.
zd command "$MAIN" $CMD_CLOCK_TOGGLE
game_settle
game_capture repainted.bmp
zd command "$MAIN" $CMD_CLOCK_TOGGLE
check_eq "after the balls, the field is exactly as painted afresh" \
  "$(python3 "$SCREEN_PY" diffcount after.bmp repainted.bmp "$clock_rect")" none
frames=$(ls click-*.bmp 2>/dev/null)
balls=$(python3 "$SCREEN_PY" balls before.bmp repainted.bmp 50 40 "$clock_rect" $frames)
printf '%s\n' "$balls"
with_balls=$(awk '$2 >= 20' <<<"$balls" | wc -l)
check "frames captured during the click show the balls ($with_balls of $(wc -w <<<"$frames"))" \
  test "$with_balls" -ge 1
# ZD_SHOTS: a folder to keep the pictures in, for looking at them.
[ -n "${ZD_SHOTS:-}" ] && cp clock-a.bmp dodge-3.bmp margin-jump.bmp $frames before.bmp after.bmp \
  repainted.bmp "$ZD_SHOTS/"
# Each ball step makes a pen and a brush, each erased dot a clip region: none is left.
# (Not countable in an emulated i686 game: e2e.game_clock_x86_64 counts them there.)
if e2e_gdi_countable; then
  gdi_after=$(zd gdi ZERADE95.exe)
  echo "GDI objects of the game: $gdi_before before the clicks, $gdi_after after the bonus"
  check "no GDI object is left over ($gdi_before, then $gdi_after)" \
    test -n "$gdi_before" -a "${gdi_after:-99999}" -le "${gdi_before:-0}"
else
  echo "GDI objects: not counted in the emulated i686 game (e2e.game_clock_x86_64 counts them)"
fi

game_exit
