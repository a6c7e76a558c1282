#!/usr/bin/env bash
# The three generated backgrounds. On a cleared 12 x 8 field, each command hides the menu
# bar, paints a new picture that grows on the screen, and the picture becomes the
# background: where the cleared field shows background, the screen after the command shows
# exactly the picture that was painted. Run from a folder whose name holds a non-ASCII
# character. Then on a 256-colour display: 116 and 117 refuse with their message, 118
# paints.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
GAME_DIR="$E2E_WORK/Landschaft €"
game_prepare
game_options hidenote=1 level=10 columns=12 rows=8
game_start
game_ready_without_note

menu_state() { zd controls "$MAIN" | awk -F'\t' '$1 == "#32770" {print $4; exit}'; }
wait_menu() {  # wait_menu visible|hidden
  local deadline=$((SECONDS + 10))
  until [ "$(menu_state)" = "$1" ] || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
  menu_state
}
screen() { python3 "$SCREEN_PY" "$@"; }
compare() { python3 "$(dirname "$0")/landscape_frames.py" "$@"; }
# watch_command ID PREFIX: posts command ID once the driver watches the screen, and saves
# every distinct frame for fifteen seconds (PREFIX.txt lists them).
watch_command() {
  zd watch "$MAIN" 15000 "$2" > "$2.txt" &
  local watcher=$! deadline=$((SECONDS + 30))
  until [ -s "$2.txt" ] || [ $SECONDS -ge $deadline ]; do sleep 0.05; done
  zd post "$MAIN" "$1"
  wait "$watcher"
}

# A real click gives the main window the focus; N deals a 12 x 8 game at level 10.
xdotool mousemove 600 500 click 1
sleep 0.3
zd key "$MAIN" N
game_settle
zd clickall "$MAIN" 12 8
game_settle
game_capture cleared.bmp
squares=$(game_squares cleared.bmp 12 8)
printf '%s\n' "$squares"
check "the cleared field shows background somewhere" grep -q '[.]' <<<"$squares"
printf '%s\n' "$squares" > cleared.txt

previous=cleared.bmp
for command in 117 116 118; do
  # The pointer at the top-left corner shows the menu bar; the command hides it.
  xdotool mousemove 0 0
  zd move "$MAIN" 0 0
  check_eq "$command: the menu bar is up before the command" "$(wait_menu visible)" visible
  watch_command "$command" "frames-$command"
  game_settle
  game_capture "after-$command.bmp"
  check_eq "$command: the command hid the menu bar" "$(menu_state)" hidden
  frames=$(wc -l < "frames-$command.txt")
  echo "$command: $frames distinct frames"
  check "$command: the picture grows in several steps ($frames frames)" test "$frames" -ge 4
  # The last frame before the field came back is the finished picture; where the
  # cleared field shows background, the screen now shows that picture unchanged.
  check "$command: the painted picture is the background under the field" \
    compare adopted cleared.txt "after-$command.bmp" "frames-$command.txt" 12 8
  check "$command: a new background" bash -c "! python3 '$SCREEN_PY' same '$previous' 'after-$command.bmp'"
  previous="after-$command.bmp"
done
game_exit

# ---- A 256-colour display ----------------------------------------------------------------
e2e_display 8
GAME_DIR="$E2E_WORK/game8"
game_prepare
game_options hidenote=1 level=10 columns=12 rows=8
game_start
game_ready_without_note
xdotool mousemove 600 500 click 1
sleep 0.3
zd key "$MAIN" N
game_settle
game_capture field8.bmp
for command in 117 116; do
  zd post "$MAIN" "$command"
  require "$command refuses on 256 colours" zd wait "caption:I'm Sorry:" 10000 >/dev/null
  check_eq "$command: the refusal's text" \
    "$(zd controls "caption:I'm Sorry:" | awk -F'\t' '$2 == 65535 {print $3}')" \
    "The landscape generators are intended for machines that are set for higher than 256 colors. Your machine is set for 256 or less colors. You may wish to change your video driver and try making a landscape later."
  zd press "caption:I'm Sorry:" OK
  zd gone "caption:I'm Sorry:" 5000
  game_settle
  game_capture "refused-$command.bmp"
  check "$command: the field is unchanged" screen same "refused-$command.bmp" field8.bmp
done
watch_command 118 frames8
check_eq "118 paints on 256 colours without a message" "$(zd windows | grep -c "I'm Sorry:")" 0
game_settle
game_capture after8.bmp
check "118 paints in several passes ($(wc -l < frames8.txt) frames)" test "$(wc -l < frames8.txt)" -ge 4
check "118 leaves its picture on the screen" compare changed field8.bmp "$(tail -n 2 frames8.txt | head -n 1 | cut -f2)"
game_exit
