#!/usr/bin/env bash
# The game's files in folders whose names are not plain ASCII: one whose name the ANSI
# code page holds ("t€st"), one whose name it does not (Cyrillic under a Western code
# page). In both the options are saved, found again after a restart, and the recent
# lists are written at exit. A place where vod.opt cannot be written gets "Sorry:".
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
# Wine takes Unix file names in the locale's character set: UTF-8, whatever the
# machine's locale. The Windows side keeps its Western (1252) ANSI code page.
export LC_ALL=C.UTF-8

style_of_main() { zd windows ZERADE95.exe | grep -P "\tRevaza's Dazivivo, Version 1.0!\t" | cut -f6; }
has_caption() { test $(( 16#$(style_of_main) & 0x00C00000 )) -eq $((0x00C00000)); }
message_text() { zd controls "caption:$1" | awk -F'\t' '$2 == 65535 {print $3}'; }

# save_and_restart FOLDER: options saved in the normal window with a 20 x 16 layout come
# back after a restart; the list file is written at exit; no scratch file is left.
save_and_restart() {
  GAME_DIR="$E2E_WORK/$1"
  game_prepare
  game_options hidenote=1
  rm -f "$GAME_DIR/gmnflist"
  game_start_ready
  zd key "$MAIN" Q
  zd command "$MAIN" $CMD_LAYOUT_20X16
  zd command "$MAIN" $CMD_NORMAL_WINDOW
  game_settle
  zd post "$MAIN" $CMD_SAVE_OPTIONS
  require "$1: Save Options answers" zd wait "caption:Options Saved:" 10000 >/dev/null
  zd press "caption:Options Saved:" OK
  zd gone "caption:Options Saved:" 5000
  check_eq "$1: saved 20 columns" "$(game_option_value 528)" 20
  check_eq "$1: saved the normal window" "$(game_option_value 536)" 1
  game_exit
  check_eq "$1: recent lists written at exit" "$(stat -c %s "$GAME_DIR/gmnflist" 2>/dev/null)" 6000
  check_eq "$1: no scratch file left" "$(ls "$GAME_DIR" | grep -c '\.new$')" 0

  game_start_ready
  check "$1: the restart finds the saved options (normal window)" has_caption
  zd key "$MAIN" N
  game_settle
  game_capture "restarted.bmp"
  check_eq "$1: the restart finds the saved options (20 x 16)" \
    "$(game_squares restarted.bmp 20 16 | tr -cd C | wc -c)" 320
  game_exit
}

save_and_restart "t€st"
save_and_restart "тест"

# vod.opt is a folder: nothing can be saved, and the player is told so.
GAME_DIR="$E2E_WORK/blocked"
game_prepare
game_options hidenote=1
rm "$GAME_DIR/vod.opt"
mkdir "$GAME_DIR/vod.opt"
game_start_ready
zd post "$MAIN" $CMD_SAVE_OPTIONS
require "a failed save is reported" zd wait "caption:Sorry:" 10000 >/dev/null
check_eq "failed save: the message" "$(message_text Sorry:)" \
  "Your current settings could not be saved in the file 'vod.opt'."
check "failed save: no confirmation" test -z "$(zd windows ZERADE95.exe | grep -F 'Options Saved:')"
zd press "caption:Sorry:" OK
zd gone "caption:Sorry:" 5000
check "failed save: the folder is left as it was" test -d "$GAME_DIR/vod.opt"
check_eq "failed save: no scratch file left" "$(ls "$GAME_DIR" | grep -c '\.new$')" 0
game_exit
