#!/usr/bin/env bash
# The end of a game, played to its end in the running program from a folder whose name
# needs the ANSI code page: the wipe, the spoken score heard word by word, the new-record
# dialog with a name typed on the keyboard, the table in gmnscore, the high-score dialog,
# a tie that changes nothing, a record that cannot be saved, the board wiped away and
# painted back around the real pointer, and a new deal with N.
#
# The board is known from the deal: the game seeds its generator with the tick count
# at the deal, and deal_oracle deals the same board natively for every tick count the
# deal can have read; clicks tell the candidates apart.
E2E_RAISE=15  # it listens to the game (harness.sh)
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
. "$(dirname "$0")/game_end_lib.sh"

NAME_BOX="caption:Enter Your Name:"
HS_BOX="caption:High Score for Easy 12x8 Layout:"
GAME_DIR="$E2E_WORK/t€st/game"

e2e_audio_start
game_prepare
game_options sound=1 hidenote=1 level=10 columns=12 rows=8
game_start_ready
zd key "$MAIN" Q

# ---- 1. A first game with one explosion: a new record ---------------------------------
end_deal $CMD_LAYOUT_12X8 12 8 10
bomb=$(end_inner_bomb)
end_click_square $bomb
game_settle
e2e_record_start record.wav
end_finish_game wipe
require "the new-record dialog appears" zd wait "$NAME_BOX" 30000 >/dev/null
e2e_record_stop
end_check_spoken record.wav yourscorewas_wav n1 explosions_wav new_rec_wav recordmoves_wav \
  n1 n1000 explosions_wav
check_eq "new-record dialog texts" "$(end_dialog_texts "$NAME_BOX")" \
  "3100=Old Best Score:|3000=1000 explosions|3101=New Best Score:|3001=1 explosions"
zd capture "$NAME_BOX" new-record.bmp >/dev/null
# Typed on the real keyboard into the focused name box: only 13 characters fit.
xdotool type --delay 20 "ABCDEFGHIJKLMNOPQRST"
sleep 0.3  # timed: no 14th character may arrive
check_eq "the name box holds the first 13 characters" \
  "$(zd controls "$NAME_BOX" | awk -F'\t' -v id=$IDC_NAME_EDIT '$2 == id {print $3}')" "ABCDEFGHIJKLM"
xdotool key Return
require "the high-score dialog follows" zd wait "$HS_BOX" 10000 >/dev/null
check_eq "high-score dialog texts" "$(end_dialog_texts "$HS_BOX")" \
  "3100=Best Score:|3000=1 explosions|3001=ABCDEFGHIJKLM|3101=Your Score:|3002=1 explosions"
zd capture "$HS_BOX" high-score.bmp >/dev/null
# Escape on the real keyboard ends it like "Done".
xdotool key Escape
require "Escape closes the high-score dialog" zd gone "$HS_BOX" 10000
end_wait_clickall
check_eq "gmnscore: 1304 bytes, entry 0 (Easy 12x8) holds 1 explosion, the stored time and the 13 characters" \
  "$(end_table_entry "$GAME_DIR/gmnscore" 0)" "1304 1 320000000 ABCDEFGHIJKLM"

# ---- 2. The pointer over the finished field -------------------------------------------
game_settle
game_capture end.bmp
check_eq "after the end the window shows the background only" \
  "$(game_squares end.bmp 12 8 | tr -d '\n.' | wc -c)" 0
check "a capture during the wipe shows the background in the middle and the field elsewhere" \
  end_saw_midway_wipe wipe end.bmp
end_check_reveal $bomb

# ---- 3. A second game with as many explosions: no record, nothing written -------------
stamp=$(stat -c '%Y %s %i' "$GAME_DIR/gmnscore"; md5sum < "$GAME_DIR/gmnscore")
sleep 1.1  # a rewrite would show in the modification time too
end_deal $CMD_LAYOUT_12X8 12 8 10
end_click_square $(end_inner_bomb)
game_settle
e2e_record_start tie.wav
end_finish_game
require "the high-score dialog appears" zd wait "$HS_BOX" 30000 >/dev/null
e2e_record_stop
end_check_spoken tie.wav yourscorewas_wav n1 explosions_wav recordmoves_wav n1 explosions_wav
check_eq "no new-record dialog for a tie" "$(zd windows ZERADE95.exe | grep -c 'Enter Your Name:')" 0
check_eq "high-score dialog after a tie" "$(end_dialog_texts "$HS_BOX")" \
  "3100=Best Score:|3000=1 explosions|3001=ABCDEFGHIJKLM|3101=Your Score:|3002=1 explosions"
zd press "$HS_BOX" Done
zd gone "$HS_BOX" 10000
end_wait_clickall
check_eq "a tie leaves gmnscore as it was" \
  "$(stat -c '%Y %s %i' "$GAME_DIR/gmnscore"; md5sum < "$GAME_DIR/gmnscore")" "$stamp"

# ---- 4. A perfect game whose record cannot be saved -----------------------------------
rm -f "$GAME_DIR/gmnscore"
mkdir "$GAME_DIR/gmnscore"
end_deal $CMD_LAYOUT_12X8 12 8 10
end_finish_game
zd wait "$NAME_BOX" 30000 >/dev/null || game_capture "$E2E_WORK/no-record.bmp"  # kept on failure
require "a perfect game is a record" zd wait "$NAME_BOX" 1000 >/dev/null
texts=$(end_dialog_texts "$NAME_BOX")
time=$(sed 's/.*3001=//' <<<"$texts")
check "the new-record dialog shows the perfect game's time ($texts)" \
  bash -c "[[ '$texts' =~ ^3100=Old\ Best\ Score:\|3000=1\ explosions\|3101=New\ Best\ Perfect\ Game\ Score:\|3001=00:0[0-9]:[0-5][0-9]$ ]]"
xdotool type --delay 20 "Zed"
# Closing the dialog by Escape keeps the name and the record.
xdotool key Escape
require "the high-score dialog follows" zd wait "$HS_BOX" 10000 >/dev/null
check_eq "the record holds in memory though it could not be saved" "$(end_dialog_texts "$HS_BOX")" \
  "3100=Best Perfect Game Score:|3000=$time|3001=Zed|3101=Your Perfect Game Score:|3002=$time"
check_eq "no other box is open (no error shown)" \
  "$(zd windows ZERADE95.exe | cut -f3 | grep -vc "^Revaza's Dazivivo")" 1
zd capture "$HS_BOX" perfect-high-score.bmp >/dev/null
zd press "$HS_BOX" Done
zd gone "$HS_BOX" 10000
end_wait_clickall
check "gmnscore is still the folder, with no scratch file beside it" \
  bash -c "[ -d '$GAME_DIR/gmnscore' ] && [ -z \"\$(ls -A '$GAME_DIR/gmnscore')\" ] && [ ! -e '$GAME_DIR/gmnscore.new' ]"

# ---- 5. The finished game ignores left clicks; N deals afresh -------------------------
game_settle
game_capture finished.bmp
xdotool mousemove 400 300 click 1
sleep 0.5  # timed: the click must change nothing
game_settle
game_capture finished-clicked.bmp
check "a left click on the finished field changes nothing" \
  python3 "$SCREEN_PY" same finished.bmp finished-clicked.bmp
xdotool key n
game_settle
game_capture dealt.bmp
check_eq "N deals a fresh covered field" "$(game_squares dealt.bmp 12 8 | tr -cd C | wc -c)" 96
game_exit
