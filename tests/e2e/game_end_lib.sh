# Helpers for playing whole games to their end; sourced after game_lib.sh.
#
# After end_deal the test knows the board: END_BOMBS (rows joined, '*' a bomb) and
# END_CLICKS (the squares clicked since the deal, "col,row").

SOUND_PY="$ZD_SOURCE_DIR/tests/e2e/sound.py"
END_ORACLE="${ZD_E2E_STATE%/e2e}/tests/e2e/deal_oracle"
END_WIDTH=1024
END_HEIGHT=768

# end_oracle_block SEED N: block N (1 bombs, 2 field shown, 3 clicks that clear it) of
# the oracle for the current layout after END_CLICKS, rows joined.
end_oracle_block() {
  "$END_ORACLE" "$END_COLUMNS" "$END_ROWS" "$END_LEVEL" "$1" "${END_CLICKS[@]}" |
    awk -v n="$2" 'BEGIN { RS = ""; } NR == n { gsub("\n", ""); print }'
}

end_square_centre() {  # end_square_centre COL ROW: "X Y" in the client area
  echo $(( ($1 * END_WIDTH / END_COLUMNS + ($1 + 1) * END_WIDTH / END_COLUMNS) / 2 )) \
       $(( ($2 * END_HEIGHT / END_ROWS + ($2 + 1) * END_HEIGHT / END_ROWS) / 2 ))
}

# end_click_square COL ROW: a left click on the square, remembered in END_CLICKS.
end_click_square() {
  END_CLICKS+=("$1,$2")
  zd click "$MAIN" $(end_square_centre "$1" "$2") >/dev/null
}

# end_oracle_pair SEED: "BOMBS VIEW" of the oracle for the current layout after
# END_CLICKS (blocks 1 and 2, rows joined).
end_oracle_pair() {
  "$END_ORACLE" "$END_COLUMNS" "$END_ROWS" "$END_LEVEL" "$1" "${END_CLICKS[@]}" |
    awk 'BEGIN { RS = ""; } NR <= 2 { gsub("\n", ""); printf "%s%s", $0, (NR == 1 ? " " : "\n") }'
}

# How far outside the driver's two readings of GetTickCount the deal's seed is looked
# for. The game's tick count is the performance counter from the value GetTickCount had
# at its first call; GetTickCount itself lags the performance counter by up to a step of
# 16 ms (longer when the machine is loaded), by a different amount at every reading.
END_WINDOW=24

# end_deal COMMAND COLUMNS ROWS LEVEL: deals with menu command COMMAND and finds out
# which board was dealt, dealing again (at most five times) when it cannot be told
# for sure or a click made to tell it exploded a bomb.
end_deal() {
  END_COLUMNS=$2 END_ROWS=$3 END_LEVEL=$4
  local deal
  for deal in 1 2 3 4 5; do
    end_deal_once "$1" && return 0
    echo "deal $deal: the board is not known for sure; dealing again"
  done
  e2e_fatal "the dealt board was not found in $deal deals"
}

# end_deal_once COMMAND: one deal and the clicks that tell its board; fails when the
# board is not known for sure after them or when one of them exploded a bomb.
#
# The candidates are the distinct boards of the seeds up to END_WINDOW ticks either side
# of the driver's readings, each weighted by how likely its seed is (those between the
# readings far above the rest). Each click is on a covered square safe on as much of
# that weight as can be (among those, one whose count of bombs around differs most
# between the candidates); the boards whose field then differs from the screen drop out.
# At least one click is always made, so that a board is never taken unseen.
end_deal_once() {
  END_CLICKS=()
  local t0 t1 seed distance weight shown square
  read -r t0 t1 <<<"$(zd timed "$MAIN" "$1")"
  [ -n "$t1" ] || e2e_fatal "the deal command was not timed"
  # A deal handled seconds after it was given leaves too many ticks to try one by one (in
  # one run the emulated game, held up for minutes, answered only after the driver's 60 s,
  # and the test then tried 60,000 seeds until its time ran out).
  if [ $((t1 - t0)) -gt 1000 ]; then
    echo "the deal was handled $((t1 - t0)) ms after it was given"
    return 1
  fi
  game_settle
  # Seeds from the most likely out, so that a board keeps the weight of its likeliest.
  local seeds=() weights=()
  for seed in $(seq "$t0" "$t1"); do seeds+=("$seed"); weights+=(1000); done
  for distance in $(seq 1 "$END_WINDOW"); do
    weight=$(( distance <= 16 ? 20 - distance : 1 ))
    seeds+=($((t0 - distance)) $((t1 + distance)))
    weights+=("$weight" "$weight")
  done
  local -A seen=()
  local candidates=() cweights=() i bombs
  for i in "${!seeds[@]}"; do
    bombs=$(end_oracle_block "${seeds[i]}" 1)
    [ -n "${seen[$bombs]:-}" ] && continue
    seen[$bombs]=1
    candidates+=("${seeds[i]}")
    cweights+=("${weights[i]}")
  done
  echo "deal between ticks $t0 and $t1: ${#candidates[@]} possible boards within $END_WINDOW ticks"
  local tries=0 kept keptweights
  while [ $tries -eq 0 ] || [ ${#candidates[@]} -gt 1 ]; do
    [ $tries -lt 8 ] || return 1
    tries=$((tries + 1))
    square=$(for i in "${!candidates[@]}"; do
               echo "${cweights[i]} $(end_oracle_pair "${candidates[i]}")"
             done | python3 -c '
import sys
columns = int(sys.argv[1])
boards = [line.split() for line in sys.stdin.read().splitlines()]
rows = len(boards[0][1]) // columns
def around(bombs, i):
    c, r = i % columns, i // columns
    return sum(bombs[(r + dr) * columns + c + dc] == "*"
               for dr in (-1, 0, 1) for dc in (-1, 0, 1)
               if (dr or dc) and 0 <= c + dc < columns and 0 <= r + dr < rows)
best = None
for i in range(len(boards[0][1])):
    if any(view[i] != "C" for _, _, view in boards):
        continue
    safe = [b for b in boards if b[1][i] == "."]
    score = (sum(int(w) for w, _, _ in safe), len({around(b[1], i) for b in safe}))
    if best is None or score > best[0]:
        best = (score, i)
if best:
    print(best[1] % columns, best[1] // columns)' "$END_COLUMNS")
    [ -n "$square" ] || return 1
    end_click_square $square
    game_settle
    game_capture "$E2E_WORK/.deal.bmp"
    shown=$(game_squares "$E2E_WORK/.deal.bmp" "$END_COLUMNS" "$END_ROWS" | tr -d '\n')
    if [[ "$shown" == *X* ]]; then
      echo "the click on ($square) exploded a bomb"
      return 1
    fi
    kept=() keptweights=()
    for i in "${!candidates[@]}"; do
      [ "$(end_oracle_block "${candidates[i]}" 2)" = "$shown" ] || continue
      kept+=("${candidates[i]}")
      keptweights+=("${cweights[i]}")
    done
    candidates=("${kept[@]}") cweights=("${keptweights[@]}")
    echo "after a click on ($square): ${#candidates[@]} boards match the screen"
    [ ${#candidates[@]} -gt 0 ] || return 1
  done
  END_SEED=${candidates[0]}
  END_BOMBS=$(end_oracle_block "$END_SEED" 1)
  echo "the board is that of tick $END_SEED (readings $t0 and $t1)"
}

# end_inner_bomb: "COL ROW" of a bomb away from the edges (any bomb if there is none),
# still covered.
end_inner_bomb() {
  python3 - "$END_COLUMNS" "$END_ROWS" "$END_BOMBS" "$(end_oracle_block "$END_SEED" 2)" <<'PY'
import sys
columns, rows, bombs, shown = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4]
found = [(i % columns, i // columns) for i, b in enumerate(bombs) if b == "*" and shown[i] == "C"]
inner = [(c, r) for c, r in found if 0 < c < columns - 1 and 0 < r < rows - 1]
print(*(inner or found)[0])
PY
}

# end_finish_game [PREFIX]: clicks every safe square still covered, in the background
# (the finishing click returns only when the dialogs are closed); with PREFIX, captures
# the screen as PREFIX-N.bmp about twice a second until a dialog shows.
end_finish_game() {
  local plan
  plan=$(end_oracle_block "$END_SEED" 3)
  zd clickall "$MAIN" "$END_COLUMNS" "$END_ROWS" "$plan" >/dev/null &
  END_CLICKALL_PID=$!
  [ $# -gt 0 ] || return 0
  local n=0 deadline=$((SECONDS + 40))
  while [ $SECONDS -lt $deadline ]; do
    zd windows ZERADE95.exe | grep -qE "Enter Your Name:|High Score for" && break
    n=$((n + 1))
    zd capture "$MAIN" "$1-$n.bmp" >/dev/null 2>&1
    sleep 0.3
  done
}

end_wait_clickall() {
  local deadline=$((SECONDS + 90))
  while kill -0 "$END_CLICKALL_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
  wait "$END_CLICKALL_PID" 2>/dev/null
}

# end_saw_midway_wipe PREFIX FINAL.bmp: one of the captures PREFIX-N.bmp shows the
# background of FINAL.bmp in the middle of the window while the field is left elsewhere.
end_saw_midway_wipe() {
  local shot
  for shot in "$1"-*.bmp; do
    [ -f "$shot" ] || continue
    python3 "$SCREEN_PY" samebox "$shot" "$2" 412 334 612 434 &&
      ! python3 "$SCREEN_PY" same "$shot" "$2" && { echo "mid-wipe: $shot"; return 0; }
  done
  return 1
}

# end_dialog_texts TARGET: "ID=TEXT" of the dialog's labels and values (ids 3000 to
# 3101, the name box left out), joined with "|".
end_dialog_texts() {
  zd controls "$1" | awk -F'\t' '$1 == "Static" && $2 >= 3000 && $2 <= 3101 {print $2 "=" $3}' |
    paste -sd '|'
}

# end_table_entry FILE K: "SIZE EXPLOSIONS TIME HOLDER" of entry K of a high-score file.
end_table_entry() {
  python3 - "$1" "$2" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
k = int(sys.argv[2])
explosions = struct.unpack_from("<i", data, 144 + 4 * k)[0]
time = struct.unpack_from("<I", data, 4 * k)[0]
holder = data[288 + 16 * k:288 + 16 * k + 16]
name = holder.split(b"\0")[0].decode("latin-1")
padding = "" if set(holder[len(name):]) <= {0} else " (bytes after the name are not zero)"
print(len(data), explosions, time, name + padding)
PY
}

# end_check_reveal COL ROW: with the field finished and the window showing the
# background (end.bmp), the real pointer with the left button held paints the board
# back in the rectangle of an eighth of the window around it, and without the button
# wipes it away again. (COL, ROW) is a bomb away from the edges, so that every square
# around it shows a piece.
end_check_reveal() {
  local x y dx=$((END_WIDTH / 16)) dy=$((END_HEIGHT / 16))
  read -r x y <<<"$(end_square_centre "$1" "$2")"
  xdotool mousemove "$x" "$y"
  sleep 0.3  # timed: the move must change nothing
  game_capture reveal-moved.bmp
  check "a move without the button over the background leaves it as it is" \
    python3 "$SCREEN_PY" same reveal-moved.bmp end.bmp
  # The button and the move reach the game in this order (one stream of real input).
  xdotool mousedown 1 mousemove $((x + 1)) "$y"
  e2e_poll 5 screen_differs end.bmp
  game_settle
  game_capture reveal-held.bmp
  check_eq "with the left button held the board comes back in the rectangle round the pointer" \
    "$(python3 "$SCREEN_PY" diffbox end.bmp reveal-held.bmp)" \
    "$((x + 1 - dx)) $((y - dy)) $((x + 1 + dx)) $((y + dy))"
  xdotool mouseup 1 mousemove $((x + 41)) "$y"
  e2e_poll 5 screen_differs reveal-held.bmp
  game_settle
  game_capture reveal-wiped.bmp
  check_eq "without the button the board is wiped away again round the pointer" \
    "$(python3 "$SCREEN_PY" diffbox end.bmp reveal-wiped.bmp)" \
    "$((x + 1 - dx)) $((y - dy)) $((x + 41 - dx)) $((y + dy))"
}

# end_check_spoken REC.wav WORD...: the last stretch of sound in the recording (it
# follows the silence of the wipe) is the game's recordings WORD.wav, one after another
# and nothing after them. Each word is looked for where the one before it ended, with
# the silence taken out (sound.py sequence: the pauses Wine leaves between the words and
# the gaps of a stuttering playback under load); a stutter still lowers a word's
# envelope correlation to about 0.5, so a word counts as heard from 0.4 on. A word left
# out or put in (such as "new record") shifts the ones after it, and the words then end
# elsewhere than the sound.
end_check_spoken() {
  local rec=$1 start end heard said refs=() word
  shift
  read -r start end <<<"$(python3 "$SOUND_PY" segments "$rec" 2000 | tail -n 1)"
  [ -n "$start" ] || { check "something is said in $rec" false; return; }
  for word; do refs+=("$ZD_SOURCE_DIR/resources/sounds/$word.wav"); done
  python3 "$SOUND_PY" sequence "$rec" "$start" "${refs[@]}" > "$rec.words"
  echo "heard in $rec from $start s to $end s; the words one after another (start, correlation):"
  sed 's|^.*/||' "$rec.words" | paste -sd ' '
  heard=$(awk '$1 != "end" && $3 < 0.4 { sub(".*/", "", $1); printf "%s ", $1 }' "$rec.words")
  check_eq "each word of $* is heard where the one before it ends (not heard: $heard)" "$heard" ""
  said=$(awk '$1 == "end" { print $2 }' "$rec.words")
  check "nothing else is said after them (words end at $said s, sound at $end s)" \
    awk -v a="$said" -v b="$end" 'BEGIN { exit !(a - b <= 0.25 && b - a <= 0.25) }'
}
