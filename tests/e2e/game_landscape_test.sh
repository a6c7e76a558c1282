#!/usr/bin/env bash
# The three generated backgrounds. On a cleared 12 x 8 field, each command hides the menu
# bar, paints a new picture that grows on the screen, and the picture becomes the
# background: where the cleared field shows background, the screen after the command shows
# exactly the picture that was painted. The game runs the command in short slices, stopped
# in between, so that the picture is seen growing however fast or busy the machine is. Run
# from a folder whose name holds a non-ASCII character. Then on a 256-colour display: the
# two landscapes refuse with their message, the banded fractal paints.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
GAME_DIR="$E2E_WORK/Landschaft €"
game_begin level=10 columns=12 rows=8

screen() { python3 "$SCREEN_PY" "$@"; }
frames() { python3 "$(dirname "$0")/landscape_frames.py" "$@"; }
# The game's own process (the program the driver started), for stopping it between slices.
game_pid() {
  local pid comm
  for pid in $(e2e_run_processes); do
    read -r comm <"/proc/$pid/comm" 2>/dev/null && [ "$comm" = ZERADE95.exe ] && echo "$pid"
  done | head -n 1
}
grab() { frames grab $CLIENT "$1" || e2e_fatal "grab $1"; }
# sliced_command ID PREFIX: with the pointer at the top-left corner, so that the menu bar
# is up, gives command ID and watches the game run it in short slices (landscape_frames.py).
# PREFIX-before.raw is the screen when the command is given, PREFIX-menu the menu bar's
# rectangle, PREFIX-NNN.raw the screens seen while it ran.
sliced_command() {
  local pid id
  xdotool mousemove 0 0
  zd move "$MAIN" 0 0
  check_eq "$1: the menu bar is up before the command" "$(wait_menu visible)" visible
  grab "$2-before.raw"
  id=$(zd controls "$MAIN" | awk -F'\t' '$1 == "#32770" {print $2; exit}')
  zd place "$MAIN" "$id" | awk '{print $1 "," $2 "," $1 + $3 "," $2 + $4}' > "$2-menu"
  pid=$(game_pid)
  [ -n "$pid" ] || e2e_fatal "the game's process is not found"
  kill -STOP "$pid"
  zd post "$MAIN" "$1" || { kill -CONT "$pid"; e2e_fatal "post $1"; }
  echo "$1: $(frames slices "$pid" $CLIENT "$2") screens seen while it ran"
}

# A real click gives the main window the focus; N deals a 12 x 8 game at level 10.
game_focus_click
zd key "$MAIN" N
game_settle
game_clickall 12 8
game_settle
# The finished game may still show its closing picture; the field is drawn again over it.
zd repaint "$MAIN" 1 >/dev/null
game_settle
game_capture cleared.bmp
squares=$(game_squares cleared.bmp 12 8)
printf '%s\n' "$squares"
check "the cleared field shows background somewhere" grep -q '[.]' <<<"$squares"
printf '%s\n' "$squares" > cleared.txt

CLIENT=$(zd rect "$MAIN" | awk '{print $1, $2, $3 - $1, $4 - $2}')
grab cleared.raw
previous=cleared.raw
for command in $CMD_GENERATE_LANDSCAPE $CMD_GENERATE_MULTICOLOR $CMD_GENERATE_BANDED; do
  kind=columns
  [ "$command" = $CMD_GENERATE_BANDED ] && kind=passes
  xdotool mousemove 600 500
  game_settle
  sliced_command "$command" "frames-$command"
  game_settle
  check_eq "$command: the command hid the menu bar" "$(menu_state)" hidden
  grab "after-$command.raw"
  # Each screen seen while the command ran is the picture partly drawn, in its order; where
  # the cleared field shows background, the screen after it shows the picture as drawn.
  # A generator done before the first look leaves nothing to judge (exit 3).
  frames check "$kind" "frames-$command-before.raw" "after-$command.raw" cleared.txt 12 8 \
    "$(cat "frames-$command-menu")" frames-"$command"-[0-9]*.raw
  judged=$?
  if [ $judged -eq 3 ]; then
    echo "note: $command was done before the first look at the screen; its drawing is not judged in this run"
  else
    check_eq "$command: the picture grows and becomes the background" "$judged" 0
  fi
  check "$command: a new background" bash -c "! cmp -s '$previous' 'after-$command.raw'"
  game_capture "after-$command.bmp"
  previous="after-$command.raw"
done
game_exit

# ---- A 256-colour display ----------------------------------------------------------------
e2e_display 8
GAME_DIR="$E2E_WORK/game8"
game_begin level=10 columns=12 rows=8
game_focus_click
zd key "$MAIN" N
game_settle
game_capture field8.bmp
for command in $CMD_GENERATE_LANDSCAPE $CMD_GENERATE_MULTICOLOR; do
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
CLIENT=$(zd rect "$MAIN" | awk '{print $1, $2, $3 - $1, $4 - $2}')
xdotool mousemove 600 500
game_settle
sliced_command $CMD_GENERATE_BANDED frames8
check_eq "118 paints on 256 colours without a message" "$(zd windows | grep -c "I'm Sorry:")" 0
game_settle
grab after8.raw
check "118 paints pass by pass on 256 colours" \
  frames check passes frames8-before.raw after8.raw - 12 8 "$(cat frames8-menu)" frames8-[0-9]*.raw
game_exit
